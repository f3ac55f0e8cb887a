#pragma once

class QWidget;

namespace edit {

// Lets one command of a window run at a time. While one runs (a question may be open, a change
// may be under way), another command does nothing, and a request to close the window waits until
// the running command has ended.
class CommandGuard
{
public:
    explicit CommandGuard(QWidget& window) : m_window(window) {}
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

    bool busy() const { return m_busy; }

    // For the window's close event: true when a command runs; the window is then closed as soon
    // as that command ends, and the event must be ignored.
    bool deferClose();

private:
    friend class CommandScope;
    QWidget& m_window;
    bool m_busy = false;
    bool m_closePending = false;
};

// One command's run: true when it may go on, false when another command runs already.
class CommandScope
{
public:
    explicit CommandScope(CommandGuard& guard);
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;
    ~CommandScope();

    explicit operator bool() const { return m_entered; }

private:
    CommandGuard& m_guard;
    bool m_entered = false;
};

} // namespace edit
