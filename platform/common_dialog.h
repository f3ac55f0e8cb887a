#pragma once

#include "platform/dialogs.h"

namespace platform {

// The open-file dialog as the editor uses it: set its fields, call ShowOpen(), read FileName.
class CommonDialog
{
public:
    CommonDialog(Dialogs& dialogs, QWidget* parent) : m_dialogs(dialogs), m_parent(parent) {}

    QString InitDir;
    QString Filter;
    QString FileName;
    QString DefaultExt;

    // After it returns, FileName is the chosen full path, or empty after Cancel.
    void ShowOpen();

private:
    Dialogs& m_dialogs;
    QWidget* m_parent;
};

} // namespace platform
