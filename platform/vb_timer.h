#pragma once

#include <QObject>
#include <QTimer>

namespace platform {

// A timer switched on and off through Enabled. Switching it on while it runs changes nothing;
// the tick handler switches it off first, which makes it one-shot.
class VbTimer : public QObject
{
    Q_OBJECT
public:
    explicit VbTimer(QObject* parent = nullptr);

    int Interval() const { return m_timer.interval(); }
    void setInterval(int ms) { m_timer.setInterval(ms); }
    bool Enabled() const { return m_timer.isActive(); }
    void setEnabled(bool on);

signals:
    void Timer();

private:
    QTimer m_timer;
};

} // namespace platform
