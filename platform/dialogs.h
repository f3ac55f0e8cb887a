#pragma once

#include <QList>
#include <QString>
#include <memory>

class QDialog;
class QMessageBox;
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

    // Asks for one line of text under `prompt`, starting with `initial`; returns what was typed,
    // trimmed, or an empty string after Cancel.
    virtual QString InputBox(QWidget* parent, const QString& prompt, const QString& initial = {});

    // Runs one of the program's own dialogs modally and returns its result (QDialog::Accepted
    // or Rejected); tests fill the dialog in and answer instead.
    virtual int Exec(QDialog& dialog);
};

// How the message boxes shown over one window are answered and drawn; the window sets it for
// itself (a practice window answered with switches, or with big buttons).
struct MessageLook
{
    // Keys that close a box as its OK button does, besides the box's own keys. A held key (auto-
    // repeat) never does, nor one pressed within `guardMs` of the box appearing: the press that
    // brought the box up may still be going on.
    QList<int> switchKeys;
    int guardMs = 0;
    // Letters and buttons a young child can read and hit.
    bool large = false;

    bool operator==(const MessageLook&) const = default;
};
void setMessageLook(QWidget* window, const MessageLook& look);
// The look of the window that `widget` lies in (the default one when it set none).
MessageLook messageLook(const QWidget* widget);

// The box that MsgBox shows, ready to be shown: text, buttons, title and the look of the
// parent's window.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text,
                                            MsgButtons buttons = MsgButtons::OkOnly);

// The title every message box carries.
QString messageBoxTitle();

// Turns a Windows-style filter ("*.*", "Pictures|*.jpg;*.png") into a Qt name filter.
QString qtNameFilter(const QString& filter);

} // namespace platform
