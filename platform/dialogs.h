#pragma once

#include <QString>

class QWidget;

namespace platform {

enum class MsgButtons { OkOnly, OkCancel };
enum class MsgResult { Ok, Cancel };

// What the open-file dialog is asked for and what it answers.
struct OpenRequest
{
    QString InitDir;
    QString Filter;
    QString FileName;
    QString DefaultExt;
};

// What a save-file dialog is asked for: its title, the file it proposes (a full path) and a
// Qt name filter ("PDF (*.pdf)").
struct SaveRequest
{
    QString Title;
    QString DefaultPath;
    QString Filter;
};

// Every message box and every file dialog of the program goes through one of these, so that
// tests can answer them without a real modal window.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Shows `text` with OK (and Cancel), OK the default, no icon, the program's title.
    // Closing the box any other way than with OK counts as Cancel.
    virtual MsgResult MsgBox(QWidget* parent, const QString& text,
                             MsgButtons buttons = MsgButtons::OkOnly);

    // Returns the chosen file's full path, or an empty string after Cancel.
    virtual QString ShowOpen(QWidget* parent, const OpenRequest& request);

    // Asks where to save a file; returns the full path, or an empty string after Cancel. The
    // dialog itself asks before an existing file is replaced.
    virtual QString ShowSave(QWidget* parent, const SaveRequest& request);

    // Asks for a folder, starting in `startDir`; returns its path, or an empty string after
    // Cancel.
    virtual QString ShowFolder(QWidget* parent, const QString& title, const QString& startDir);

    // Opens `folder` in the desktop's file manager; false when it could not be opened.
    virtual bool OpenFolder(const QString& folder);
};

// The title every message box carries.
QString messageBoxTitle();

// Turns a Windows-style filter ("*.*", "Pictures|*.jpg;*.png") into a Qt name filter.
QString qtNameFilter(const QString& filter);

} // namespace platform
