#include "support/scripted_dialogs.h"

#include <QDialog>

platform::MsgResult ScriptedDialogs::MsgBox(QWidget*, const QString& text,
                                            platform::MsgButtons kind)
{
    messages << text;
    buttons << kind;
    if (onMessage)
        onMessage(text);
    if (kind == platform::MsgButtons::OkOnly)
        return platform::MsgResult::Ok;
    if (answers.empty())
        return platform::MsgResult::Ok;
    const platform::MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

QString next(std::deque<QString>& queue)
{
    if (queue.empty())
        return QString();
    const QString answer = queue.front();
    queue.pop_front();
    return answer;
}

} // namespace

QString ScriptedDialogs::ShowOpen(QWidget*, const platform::OpenRequest& request)
{
    openRequests << request;
    return next(files);
}

QString ScriptedDialogs::ShowSave(QWidget*, const platform::SaveRequest& request)
{
    saveRequests << request;
    return next(saveFiles);
}

bool ScriptedDialogs::OpenFolder(const QString& folder)
{
    openedFolders << folder;
    return true;
}

QString ScriptedDialogs::ShowFolder(QWidget*, const QString&, const QString& startDir)
{
    folderStarts << startDir;
    return next(folders);
}

QString ScriptedDialogs::InputBox(QWidget*, const QString& prompt, const QString&)
{
    prompts << prompt;
    return next(inputs);
}

int ScriptedDialogs::Exec(QDialog& dialog)
{
    return onDialog ? onDialog(dialog) : int(QDialog::Accepted);
}
