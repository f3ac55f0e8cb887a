#include "app/form_look.h"

#include "app/program_icon.h"

#include <QPalette>
#include <QWidget>

void fillBackground(QWidget& widget, const QColor& colour)
{
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

platform::TwipGeometry setUpForm(QWidget& form, const QString& name, const QString& caption,
                                 const QColor& background, const platform::ScreenTwips& screen,
                                 float width, float height)
{
    form.setObjectName(name);
    form.setWindowTitle(caption);
    form.setWindowIcon(programIcon());
    fillBackground(form, background);
    return platform::TwipGeometry(&form, screen.TwipsPerPixel,
                                  screen.Left + (screen.Width - width) / 2,
                                  screen.Top + (screen.Height - height) / 2, width, height);
}
