#include "learn/practice_lock.h"

#include "learn/messages.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QTouchEvent>
#include <QWidget>

namespace learn {

PracticeLock::PracticeLock(QWidget* window, platform::Dialogs& dialogs)
    : QObject(window), m_window(window), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("practiceLock"));
    m_hold = new QTimer(this);
    m_hold->setSingleShot(true);
    connect(m_hold, &QTimer::timeout, this, &PracticeLock::askAdult);
    // The window and everything in it: a focused button sees a key before the window does.
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setWindowState(window->windowState() | Qt::WindowFullScreen);
}

PracticeLock::~PracticeLock()
{
    if (m_window) {
        m_window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
    }
}

bool PracticeLock::inCorner(const QPointF& globalPos) const
{
    const QPoint local = m_window->mapFromGlobal(globalPos.toPoint());
    return local.x() >= 0 && local.y() >= 0 && local.x() < CornerPixels && local.y() < CornerPixels;
}

void PracticeLock::pressed(const QPointF& globalPos)
{
    if (inCorner(globalPos))
        m_hold->start(HoldMs);
    else
        m_hold->stop();
}

void PracticeLock::released()
{
    m_hold->stop();
}

bool PracticeLock::askAdult()
{
    m_hold->stop();
    if (m_asking || !m_window)
        return false;
    m_asking = true;
    const int a = QRandomGenerator::global()->bounded(3, 10);
    const int b = QRandomGenerator::global()->bounded(3, 10);
    const QString answer = m_dialogs.InputBox(m_window, messages::unlockQuestion(a, b));
    m_asking = false;
    bool number = false;
    const int given = QString(answer)
                          .replace(QRegularExpression(QStringLiteral("\\s")), {})
                          .normalized(QString::NormalizationForm_KC)
                          .toInt(&number);
    if (!number || given != a + b)
        return false;
    m_open = true;
    return m_window->close();
}

void PracticeLock::keepInFront()
{
    // Our own questions and messages are in front of the window on purpose.
    if (!m_window || m_open || QApplication::activeModalWidget())
        return;
    m_window->raise();
    m_window->activateWindow();
}

bool PracticeLock::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Close:
        if (watched == m_window && !m_open) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_F4 ||
            key->matches(QKeySequence::Close) || key->matches(QKeySequence::Quit))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
        pressed(static_cast<QMouseEvent*>(event)->globalPosition());
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        released();
        break;
    case QEvent::TouchBegin: {
        const auto* touch = static_cast<QTouchEvent*>(event);
        if (!touch->points().isEmpty())
            pressed(touch->points().constFirst().globalPosition());
        break;
    }
    case QEvent::WindowDeactivate:
        if (watched == m_window)
            QTimer::singleShot(200, this, &PracticeLock::keepInFront);
        break;
    case QEvent::WindowStateChange:
        if (watched == m_window && !m_open && !(m_window->windowState() & Qt::WindowFullScreen))
            QTimer::singleShot(0, this, [this] {
                if (m_window && !m_open)
                    m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
            });
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace learn
