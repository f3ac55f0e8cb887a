#include "platform/dialogs.h"

#include "platform/open_dialog.h"
#include "platform/photo_preview.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>

namespace platform {

QString messageBoxTitle()
{
    return QStringLiteral("アルキッズ");
}

MsgResult Dialogs::MsgBox(QWidget* parent, const QString& text, MsgButtons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(messageBoxTitle());
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    if (buttons == MsgButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok ? MsgResult::Ok : MsgResult::Cancel;
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

} // namespace platform
