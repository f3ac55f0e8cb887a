#pragma once

#include "platform/dialogs.h"

#include <cstdio>

namespace bench {

// A benchmark expects no message: one that comes anyway is printed, answered OK, and the run
// goes on, so that a figure is never taken with a box standing over the window.
class SilentDialogs : public platform::Dialogs
{
public:
    platform::MsgResult MsgBox(QWidget*, const QString& text, platform::MsgButtons) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return platform::MsgResult::Ok;
    }
};

} // namespace bench
