#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

// What happens in the practice window, told to whoever listens (the practice records). The window
// only reports; it never waits for a listener, and nothing here touches a file.
namespace learn {

// How a press reached the window.
enum class Input { Mouse, Key, Touch, Switch };
QString inputName(Input input); // "mouse", "key", "touch", "switch"

// One press on an arrow button.
struct Press
{
    int step = 0;     // the step on screen (STEP_NO)
    QString expected; // the step's direction; empty when the step has no row (after the goal)
    QString pressed;  // the arrow pressed
    bool right = false;
    int attempt = 0; // 1 for the first press since this step's photo appeared
    qint64 msSincePhoto = 0;
    Input input = Input::Mouse;
    bool waiting = false; // pressed during the second after a right answer
};

class PracticeEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Kept by the window as things happen.
    void noteShown(); // a photo appeared: presses count again from 1
    Press press(int step, const QString& expected, const QString& pressed, bool right,
                bool waiting);
    // The input kind of the press being handled, Mouse unless told otherwise.
    void setInput(Input input) { m_input = input; }
    Input input() const { return m_input; }

signals:
    // The window was opened: a new run begins at step 1.
    void started();
    void stepShown(int step, const QString& photo);
    void photoMissing(int step, const QString& photo);
    void answered(const learn::Press& press);
    void back(int fromStep, learn::Input input);
    void goal(int step);
    void routeOutage(const QString& reason);
    // The window was closed.
    void ended();

private:
    QElapsedTimer m_shown;
    int m_attempt = 0;
    Input m_input = Input::Mouse;
};

} // namespace learn
