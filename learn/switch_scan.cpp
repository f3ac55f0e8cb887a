#include "learn/switch_scan.h"

#include <QTimer>
#include <algorithm>

namespace learn {

SwitchScan::SwitchScan(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_clock.start();
    m_timer->setSingleShot(true);
    // The pace is what the child waits for: a coarse timer would let a move slip by up to 5%.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SwitchScan::moveOn);
}

void SwitchScan::setUp(const Setup& setup)
{
    m_setup = setup;
    m_setup.intervalMs = std::max(1, setup.intervalMs);
    m_setup.guardMs = std::max(0, setup.guardMs);
    m_running = false;
    m_timer->stop();
    m_down.clear();
    highlight(-1);
}

void SwitchScan::restart()
{
    if (!isOn())
        return;
    m_running = true;
    m_held = false;
    highlight(0);
    if (!twoSwitches()) {
        m_due = clockMs() + m_setup.intervalMs;
        scheduleMove();
    }
}

void SwitchScan::stop()
{
    m_running = false;
    m_timer->stop();
}

void SwitchScan::hold()
{
    m_held = true;
    m_timer->stop();
    // The releases go to the other window, so what is down now is not known any more.
    m_down.clear();
}

void SwitchScan::unhold()
{
    if (!m_held)
        return;
    m_held = false;
    m_down.clear();
    m_lastPress = clockMs();
    if (m_running)
        restart();
}

void SwitchScan::scheduleMove()
{
    // Each move is due a whole number of intervals after the start, so that a late move does
    // not push every later one back.
    m_timer->start(int(std::max<qint64>(0, m_due - clockMs())));
}

void SwitchScan::moveOn()
{
    if (!running())
        return;
    highlight((m_highlight + 1) % targetCount());
    if (!twoSwitches()) {
        m_due += m_setup.intervalMs;
        // After a long stall (the machine was asleep) the scan goes on from now, one move at a
        // time, instead of racing through the moves it missed.
        if (m_due <= clockMs())
            m_due = clockMs() + m_setup.intervalMs;
        scheduleMove();
    }
}

bool SwitchScan::press(int key, bool autoRepeat)
{
    if (!isSwitchKey(key))
        return false;
    if (autoRepeat || m_down.contains(key))
        return true;
    m_down.insert(key);
    const qint64 now = clockMs();
    if (!running() || (m_lastPress >= 0 && now - m_lastPress < m_setup.guardMs))
        return true;
    m_lastPress = now;
    if (twoSwitches() && key == m_setup.keys.at(0) && key != m_setup.keys.at(1)) {
        moveOn();
        return true;
    }
    stop();
    emit chosen(m_highlight);
    return true;
}

bool SwitchScan::release(int key, bool autoRepeat)
{
    if (!isSwitchKey(key))
        return false;
    if (!autoRepeat)
        m_down.remove(key);
    return true;
}

void SwitchScan::highlight(int target)
{
    if (target == m_highlight)
        return;
    m_highlight = target;
    emit highlightChanged(target);
}

} // namespace learn
