#include "edit/command_guard.h"

#include <QWidget>

namespace edit {

bool CommandGuard::deferClose()
{
    if (m_busy)
        m_closePending = true;
    return m_busy;
}

CommandScope::CommandScope(CommandGuard& guard) : m_guard(guard)
{
    if (m_guard.m_busy)
        return;
    m_guard.m_busy = true;
    m_entered = true;
}

CommandScope::~CommandScope()
{
    if (!m_entered)
        return;
    m_guard.m_busy = false;
    if (m_guard.m_closePending) {
        m_guard.m_closePending = false;
        m_guard.m_window.close();
    }
}

} // namespace edit
