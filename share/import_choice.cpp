#include "share/import_choice.h"

#include "share/messages.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace share {

ImportChoice::ImportChoice(const QString& archiveName, int steps, const QString& currentRoute,
                           QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("道順を読み込む"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(messages::importHow(archiveName, steps), this));
    m_replace = new QRadioButton(
        QStringLiteral("いまの道順「%1」を置きかえる（いまの道順は控えとして残します）")
            .arg(currentRoute),
        this);
    m_replace->setChecked(true);
    m_newRoute = new QRadioButton(QStringLiteral("新しい道順として読み込む　名前:"), this);
    m_name = new QLineEdit(QFileInfo(archiveName).completeBaseName(), this);
    m_name->setAccessibleName(QStringLiteral("新しい道順の名前"));
    m_name->setEnabled(false);
    layout->addWidget(m_replace);
    layout->addWidget(m_newRoute);
    layout->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(m_newRoute, &QRadioButton::toggled, m_name, &QLineEdit::setEnabled);
    // A new route needs a name.
    const auto check = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!m_newRoute->isChecked() || !m_name->text().trimmed().isEmpty());
    };
    connect(m_newRoute, &QRadioButton::toggled, this, check);
    connect(m_name, &QLineEdit::textChanged, this, check);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ImportChoice::newRouteName() const
{
    return m_newRoute->isChecked() ? m_name->text().trimmed() : QString();
}

} // namespace share
