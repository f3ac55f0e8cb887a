#pragma once

#include "platform/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>

// Answers message boxes and file dialogs as a test says, and records every message.
class ScriptedDialogs : public platform::Dialogs
{
public:
    platform::MsgResult MsgBox(QWidget* parent, const QString& text,
                               platform::MsgButtons buttons) override;
    QString ShowOpen(QWidget* parent, const platform::OpenRequest& request) override;
    QString ShowSave(QWidget* parent, const platform::SaveRequest& request) override;
    QString ShowFolder(QWidget* parent, const QString& title, const QString& startDir) override;
    bool OpenFolder(const QString& folder) override;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& initial) override;
    int Exec(QDialog& dialog) override;

    // Answers for the next questions (OK+Cancel boxes), in order; OK when none is left.
    std::deque<platform::MsgResult> answers;
    // Paths the next file dialogs return, in order; "" (Cancel) when none is left.
    std::deque<QString> files;
    // Paths the next save dialogs return, in order; "" (Cancel) when none is left.
    std::deque<QString> saveFiles;
    // Folders the next folder dialogs return, in order; "" (Cancel) when none is left.
    std::deque<QString> folders;
    // Texts the next input boxes return, in order; "" (Cancel) when none is left.
    std::deque<QString> inputs;
    // Fills in and answers each of the program's own dialogs; Accepted as it stands when not set.
    std::function<int(QDialog&)> onDialog;
    // Called with each message before it is answered (for example to click again meanwhile).
    std::function<void(const QString&)> onMessage;

    QStringList messages;
    QList<platform::MsgButtons> buttons;
    QList<platform::OpenRequest> openRequests;
    QList<platform::SaveRequest> saveRequests;
    QStringList folderStarts;
    QStringList openedFolders;
    QStringList prompts;
};
