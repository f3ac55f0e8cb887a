#include "learn/route_outage.h"

namespace learn {

bool RouteOutage::failed(bool busy, int reportAfterMs)
{
    if (!m_since.isValid())
        m_since.start();
    if (m_reported || (busy && m_since.elapsed() < reportAfterMs))
        return false;
    m_reported = true;
    return true;
}

void RouteOutage::clear()
{
    m_since.invalidate();
    m_reported = false;
}

} // namespace learn
