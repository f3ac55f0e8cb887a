#pragma once

#include <QPushButton>

namespace answer {

// A button that shows one key and takes the next key pressed as its new key once it is clicked,
// so that an adult assigns a switch by pressing it (a USB switch interface sends a key). Escape
// gives up; every other key counts, Tab and Enter included.
class KeyButton : public QPushButton
{
    Q_OBJECT
public:
    explicit KeyButton(int key, QWidget* parent = nullptr);

    int key() const { return m_key; }
    void setKey(int key);
    bool listening() const { return m_listening; }

    // How a key is called in the settings ("スペース", "Enter", "F1", "A").
    static QString keyName(int key);

signals:
    void keyChanged(int key);

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void listen();
    void stopListening();

    int m_key = 0;
    bool m_listening = false;
};

} // namespace answer
