#include "learn/practice_events.h"

namespace learn {

QString inputName(Input input)
{
    switch (input) {
    case Input::Key:
        return QStringLiteral("key");
    case Input::Touch:
        return QStringLiteral("touch");
    case Input::Switch:
        return QStringLiteral("switch");
    case Input::Mouse:
        break;
    }
    return QStringLiteral("mouse");
}

void PracticeEvents::noteShown()
{
    m_shown.start();
    m_attempt = 0;
}

Press PracticeEvents::press(int step, const QString& expected, const QString& pressed, bool right,
                            bool waiting)
{
    Press p;
    p.step = step;
    p.expected = expected;
    p.pressed = pressed;
    p.right = right;
    p.attempt = ++m_attempt;
    p.msSincePhoto = m_shown.isValid() ? m_shown.elapsed() : 0;
    p.input = m_input;
    p.waiting = waiting;
    return p;
}

} // namespace learn
