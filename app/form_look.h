#pragma once

#include "platform/twips.h"

#include <QColor>
#include <QString>

class QWidget;

// Gives a window its design name, caption, the program's icon and its background colour, and
// places it at its design size in the centre of `screen`. Returns its geometry in twips.
platform::TwipGeometry setUpForm(QWidget& form, const QString& name, const QString& caption,
                                 const QColor& background, const platform::ScreenTwips& screen,
                                 float width, float height);

// Fills `widget`'s background with `colour`.
void fillBackground(QWidget& widget, const QColor& colour);
