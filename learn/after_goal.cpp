#include "learn/after_goal.h"

#include <QPushButton>

namespace learn {

AfterGoal::AfterGoal(QWidget& window, const std::array<QPushButton*, 3>& arrows)
    : QObject(&window), m_arrows(arrows)
{
    m_again = new QPushButton(QStringLiteral("もういちど"), &window);
    m_again->setObjectName(QStringLiteral("again"));
    m_again->setAccessibleName(m_again->text());
    m_again->setStyleSheet(QStringLiteral("QPushButton { background-color: #FFFFC0; }"));
    m_again->setFocusPolicy(Qt::StrongFocus);
    m_again->hide();
    connect(m_again, &QPushButton::clicked, this, [this] {
        if (m_reached)
            emit again();
    });
}

void AfterGoal::reach()
{
    m_reached = true;
    for (QPushButton* arrow : m_arrows)
        arrow->setEnabled(false);
    m_again->show();
    m_again->raise();
    m_again->setFocus();
}

void AfterGoal::leave()
{
    m_reached = false;
    m_again->hide();
    for (QPushButton* arrow : m_arrows)
        arrow->setEnabled(true);
}

} // namespace learn
