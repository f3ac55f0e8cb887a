#pragma once

#include <QObject>
#include <array>

class QPushButton;
class QWidget;

namespace learn {

// The practice after the goal: the arrows answer nothing (they are shown disabled), "もどる"
// still goes back, and a "もういちど" button starts the route again from its first step.
class AfterGoal : public QObject
{
    Q_OBJECT
public:
    // Creates the hidden "もういちど" button on `window`, which shows `arrows`.
    AfterGoal(QWidget& window, const std::array<QPushButton*, 3>& arrows);

    bool reached() const { return m_reached; }
    QPushButton* button() const { return m_again; }

    // The goal is on screen: the arrows rest, and "もういちど" shows and takes the focus, so that
    // Space or Enter presses it.
    void reach();
    // A new step is on its way: the arrows answer again and "もういちど" goes.
    void leave();

signals:
    // "もういちど" was pressed.
    void again();

private:
    std::array<QPushButton*, 3> m_arrows;
    QPushButton* m_again = nullptr;
    bool m_reached = false;
};

} // namespace learn
