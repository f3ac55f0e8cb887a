#pragma once

#include <QElapsedTimer>

namespace learn {

// How long the route has been unavailable to one kind of action of the learning window (a tick,
// an answer), and whether the adult has been told. The window retries by itself meanwhile.
class RouteOutage
{
public:
    // Notes a failure. True when the adult is to be told now: at once when the route file itself
    // is at fault, after `reportAfterMs` when another program only holds it; once per outage.
    bool failed(bool busy, int reportAfterMs);
    // The route was read again: the outage is over.
    void clear();

private:
    QElapsedTimer m_since;
    bool m_reported = false;
};

} // namespace learn
