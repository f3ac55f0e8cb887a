#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QTimer;
class QWidget;

namespace platform {
class Dialogs;
}

namespace learn {

// Keeps a child in the practice window: the close box, Alt+F4, Esc and the window manager's
// close are all refused, and the window stays full screen in front. The adult leaves by holding
// the window's top-left corner for three seconds (mouse or touch) and then answering a simple
// sum; the window then closes.
class PracticeLock : public QObject
{
    Q_OBJECT
public:
    PracticeLock(QWidget* window, platform::Dialogs& dialogs);
    ~PracticeLock() override;

    // How long the corner must be held, and how large the corner is (pixels of the window).
    int HoldMs = 3000;
    int CornerPixels = 80;

    // Asks the sum now, as holding the corner does; true when it was answered right and the
    // window closed.
    bool askAdult();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inCorner(const QPointF& globalPos) const;
    void pressed(const QPointF& globalPos);
    void released();
    void keepInFront();

    QPointer<QWidget> m_window;
    platform::Dialogs& m_dialogs;
    QTimer* m_hold = nullptr;
    bool m_open = false; // the adult answered: the window may close
    bool m_asking = false;
};

} // namespace learn
