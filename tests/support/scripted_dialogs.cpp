#include "support/scripted_dialogs.h"

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

QString ScriptedDialogs::ShowOpen(QWidget*, const platform::OpenRequest& request)
{
    openRequests << request;
    if (files.empty())
        return QString();
    const QString file = files.front();
    files.pop_front();
    return file;
}
