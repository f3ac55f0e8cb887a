#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Where an open-file dialog without a folder of its own starts: the folder a file was last
// chosen in (remembered across runs), else the user's Pictures folder, else the home folder.
QString openDialogStart(const QString& initDir);

// Remembers the folder of `chosenFile` for the next open-file dialog.
void rememberOpenFolder(const QString& chosenFile);

// The dialog's name filters for `filter`: that filter first, then, when it lists every file,
// one for the photo types the program reads.
QStringList openDialogFilters(const QString& filter);

} // namespace platform
