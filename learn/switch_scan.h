#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>

class QTimer;

namespace learn {

// Answering with one or two switches (keys the adult assigned), without any widget: which
// target is highlighted, when the highlight moves on, and which presses count.
//
// The targets are numbered in the order the highlight visits them: 0 "↑", 1 "←", 2 "→" (the
// arrow buttons' indexes) and, when offered, 3 "もどる". With one switch the highlight moves by
// itself at a steady pace and any switch chooses; with two, the first switch moves it and the
// second chooses. A held switch counts once (auto-repeat and a second press without a release
// are ignored), and a press sooner than the guard time after the last one that counted is
// ignored, so that a tremor does not answer twice.
class SwitchScan : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Off, OneSwitch, TwoSwitches };
    struct Setup
    {
        Mode mode = Mode::Off;
        int intervalMs = 1500;
        int guardMs = 300;
        bool offersBack = false;
        QList<int> keys;
    };
    static constexpr int kBack = 3;

    explicit SwitchScan(QObject* parent = nullptr);

    // Takes a new setup; the scan stops until the next restart().
    void setUp(const Setup& setup);
    const Setup& setup() const { return m_setup; }
    bool isOn() const { return m_setup.mode != Mode::Off && !m_setup.keys.isEmpty(); }
    bool isSwitchKey(int key) const { return isOn() && m_setup.keys.contains(key); }
    int targetCount() const { return m_setup.offersBack ? 4 : 3; }

    // Starts again at the first target: highlighted at once, and with one switch the next move
    // due one interval later.
    void restart();
    // No move and no press counts until the next restart(); the highlight stays where it is, so
    // the child sees what was chosen.
    void stop();
    // While another window holds the input (a message box), nothing moves and no press counts;
    // when it lets go, a running scan starts again and the guard time counts from then, since
    // the press that closed the box was one of the child's presses too.
    void hold();
    void unhold();

    // A key went down or up. True when it is one of the switches, whether or not it counted: the
    // caller then lets nothing else act on it.
    bool press(int key, bool autoRepeat);
    bool release(int key, bool autoRepeat);

    bool running() const { return m_running && !m_held; }
    int highlighted() const { return m_highlight; }
    // The scan's own clock, in milliseconds, and when on it the last move was due.
    qint64 clockMs() const { return m_clock.elapsed(); }
    qint64 lastDueMs() const { return m_due - m_setup.intervalMs; }

signals:
    // The highlight moved to `target` (-1: no highlight).
    void highlightChanged(int target);
    // The switch chose `target`; the scan has stopped.
    void chosen(int target);

private:
    void highlight(int target);
    void moveOn();
    void scheduleMove();
    bool twoSwitches() const
    {
        return m_setup.mode == Mode::TwoSwitches && m_setup.keys.size() >= 2;
    }

    Setup m_setup;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    QSet<int> m_down;
    qint64 m_lastPress = -1; // on m_clock; -1: none yet
    qint64 m_due = 0;        // when the next move is due, on m_clock
    int m_highlight = -1;
    bool m_running = false;
    bool m_held = false;
};

} // namespace learn
