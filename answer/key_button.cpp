#include "answer/key_button.h"

#include "answer/messages.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace answer {

KeyButton::KeyButton(int key, QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setKey(key);
    connect(this, &QPushButton::clicked, this, &KeyButton::listen);
}

QString KeyButton::keyName(int key)
{
    switch (key) {
    case Qt::Key_Space:
        return QStringLiteral("スペース");
    case Qt::Key_Return:
        return QStringLiteral("Enter");
    case Qt::Key_Enter:
        return QStringLiteral("Enter（テンキー）");
    default:
        return QKeySequence(key).toString(QKeySequence::NativeText);
    }
}

void KeyButton::setKey(int key)
{
    m_key = key;
    stopListening();
}

void KeyButton::listen()
{
    m_listening = true;
    setText(messages::kPressSwitch);
}

void KeyButton::stopListening()
{
    m_listening = false;
    setText(keyName(m_key));
}

bool KeyButton::event(QEvent* event)
{
    // Taken here, before Tab moves the focus and Enter presses the dialog's default button.
    if (m_listening &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const auto* press = static_cast<QKeyEvent*>(event);
        event->accept();
        if (event->type() == QEvent::ShortcutOverride || press->isAutoRepeat())
            return true;
        const int key = press->key();
        const bool modifierAlone = key == Qt::Key_Shift || key == Qt::Key_Control ||
                                   key == Qt::Key_Alt || key == Qt::Key_Meta;
        if (modifierAlone)
            return true; // a shortcut's first key, not a switch: still listening
        if (key == Qt::Key_Escape || key == 0 || key == Qt::Key_unknown) {
            stopListening();
            return true;
        }
        setKey(key);
        emit keyChanged(key);
        return true;
    }
    // The release of the key just taken must not press this button again.
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
        !isDown() && static_cast<QKeyEvent*>(event)->key() == m_key)
        return true;
    return QPushButton::event(event);
}

void KeyButton::focusOutEvent(QFocusEvent* event)
{
    if (m_listening)
        stopListening();
    QPushButton::focusOutEvent(event);
}

} // namespace answer
