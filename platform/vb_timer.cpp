#include "platform/vb_timer.h"

namespace platform {

VbTimer::VbTimer(QObject* parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &VbTimer::Timer);
}

void VbTimer::setEnabled(bool on)
{
    if (!on)
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

} // namespace platform
