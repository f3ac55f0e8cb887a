#include "platform/dialogs.h"

#include "platform/open_dialog.h"
#include "platform/photo_preview.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <algorithm>

Q_DECLARE_METATYPE(platform::MessageLook)

namespace platform {
namespace {

const char kLookProperty[] = "michitanMessageLook";

// Lets the switch keys of a window's look close a box shown over it, as its OK button does.
class SwitchCloses : public QObject
{
public:
    SwitchCloses(QMessageBox& box, QPushButton& ok, const MessageLook& look)
        : QObject(&box), m_ok(ok), m_look(look)
    {
        box.installEventFilter(this);
        for (QPushButton* button : box.findChildren<QPushButton*>())
            button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == m_ok.window())
            m_shown.start();
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!m_look.switchKeys.contains(key->key()))
            return false;
        const bool early = !m_shown.isValid() || m_shown.elapsed() < m_look.guardMs;
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat() && !early)
            m_ok.click();
        return true;
    }

private:
    QPushButton& m_ok;
    MessageLook m_look;
    QElapsedTimer m_shown;
};

// Letters a young child can read: as large as one line of the text allows in the width a box
// may take (the box would otherwise break a short message in the middle of a word).
void enlarge(QMessageBox& box, const QString& text)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const bool oneLine = !text.contains(QLatin1Char('\n'));
    QFont font = label->font();
    font.setPixelSize(std::clamp(720 / int(std::max<qsizetype>(1, text.size())), 28, 72));
    label->setFont(font);
    if (oneLine)
        label->setMinimumWidth(std::min(760, QFontMetrics(font).horizontalAdvance(text) + 8));
    box.setStyleSheet(QStringLiteral("QPushButton { font-size: 24pt; min-width: 4em;"
                                     " min-height: 1.6em; }"));
}

} // namespace

void setMessageLook(QWidget* window, const MessageLook& look)
{
    window->setProperty(kLookProperty, QVariant::fromValue(look));
}

MessageLook messageLook(const QWidget* widget)
{
    if (!widget)
        return {};
    return widget->window()->property(kLookProperty).value<MessageLook>();
}

QString messageBoxTitle()
{
    return QStringLiteral("アルキッズ");
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text,
                                            MsgButtons buttons)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(messageBoxTitle());
    box->setIcon(QMessageBox::NoIcon);
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    QPushButton* ok = box->addButton(QMessageBox::Ok);
    if (buttons == MsgButtons::OkCancel) {
        box->addButton(QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setEscapeButton(ok);
    }
    box->setDefaultButton(ok);
    const MessageLook look = messageLook(parent);
    if (look.large)
        enlarge(*box, text);
    if (!look.switchKeys.isEmpty())
        new SwitchCloses(*box, *ok, look);
    return box;
}

MsgResult Dialogs::MsgBox(QWidget* parent, const QString& text, MsgButtons buttons)
{
    const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, text, buttons);
    box->exec();
    return box->clickedButton() == box->defaultButton() ? MsgResult::Ok : MsgResult::Cancel;
}

QString qtNameFilter(const QString& filter)
{
    // "a|b|c|d" pairs a description with patterns; a bare pattern list has no description.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    auto patternsOf = [](const QString& list) {
        QStringList patterns = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            // On Windows "*.*" lists every file; elsewhere it would skip names without a dot.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        return patterns.join(QLatin1Char(' '));
    };
    if (parts.size() < 2) {
        const QString patterns = patternsOf(filter);
        return patterns.isEmpty() || patterns == QLatin1String("*")
                   ? QStringLiteral("すべてのファイル (*)")
                   : QStringLiteral("%1 (%1)").arg(patterns);
    }
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patternsOf(parts[i + 1]));
    return filters.join(QStringLiteral(";;"));
}

QString Dialogs::ShowOpen(QWidget* parent, const OpenRequest& request)
{
    QFileDialog dialog(parent, QString(), openDialogStart(request.InitDir));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = openDialogFilters(request.Filter);
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the asked one; "*" (any file) adds none.
    QString suffix = request.DefaultExt;
    suffix.remove(QRegularExpression(QStringLiteral("^\\*?\\.")));
    if (!suffix.isEmpty() && suffix != QStringLiteral("*"))
        dialog.setDefaultSuffix(suffix);
    // Dates and sizes read as the rest of the program's texts do.
    dialog.setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    showDetails(dialog);
    // A dialog that lists every file is where photos are chosen: they are seen before they are
    // chosen.
    const bool forPhotos = filters.size() > 1;
    if (forPhotos)
        addPhotoPreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    // Only the photos' folder is remembered; a dialog with a folder of its own (an archive to
    // read) leaves it as it was.
    if (request.InitDir.isEmpty())
        rememberOpenFolder(chosen);
    return chosen;
}

QString Dialogs::ShowSave(QWidget* parent, const SaveRequest& request)
{
    QFileDialog dialog(parent, request.Title, request.DefaultPath, request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(request.DefaultPath);
    dialog.setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    showDetails(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString Dialogs::ShowFolder(QWidget* parent, const QString& title, const QString& startDir)
{
    return QFileDialog::getExistingDirectory(parent, title, startDir);
}

bool Dialogs::OpenFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QString Dialogs::InputBox(QWidget* parent, const QString& prompt, const QString& initial)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(messageBoxTitle());
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue().trimmed();
}

int Dialogs::Exec(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace platform
