#include "records/walk_form.h"

#include "records/messages.h"
#include "records/records_count.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace records {

WalkForm::WalkForm(const QList<store::Step>& steps, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("実際の道を記録する"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(messages::kWalkHowTo, this));
    auto* top = new QFormLayout;
    m_when = new QDateTimeEdit(QDateTime::currentDateTime(), this);
    m_when->setCalendarPopup(true);
    m_when->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm"));
    top->addRow(QStringLiteral("日時"), m_when);
    layout->addLayout(top);

    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto* list = new QWidget(area);
    auto* grid = new QGridLayout(list);
    for (int i = 0; i < steps.size(); ++i) {
        const store::Step& step = steps[i];
        auto* label = new QLabel(QStringLiteral("%1　%2　%3")
                                     .arg(step.number(), 3, 10, QLatin1Char('0'))
                                     .arg(QFileInfo(step.photo).fileName(), step.direction),
                                 list);
        auto* choice = new QComboBox(list);
        for (int level = 0; level < kHelpLevels; ++level)
            choice->addItem(helpLabel(level), level);
        choice->setAccessibleName(QStringLiteral("%1 番の手助け").arg(step.number()));
        label->setBuddy(choice);
        grid->addWidget(label, i, 0);
        grid->addWidget(choice, i, 1);
        m_help.append(choice);
    }
    area->setWidget(list);
    layout->addWidget(area, 1);

    auto* bottom = new QFormLayout;
    m_note = new QLineEdit(this);
    bottom->addRow(QStringLiteral("メモ"), m_note);
    layout->addLayout(bottom);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("記録する"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 480);
}

qint64 WalkForm::when() const
{
    return m_when->dateTime().toMSecsSinceEpoch();
}

QString WalkForm::note() const
{
    return m_note->text().trimmed();
}

QList<int> WalkForm::help() const
{
    QList<int> levels;
    for (const QComboBox* choice : m_help)
        levels.append(choice->currentData().toInt());
    return levels;
}

void WalkForm::setHelp(int index, int level)
{
    m_help.at(index)->setCurrentIndex(level);
}

void WalkForm::setNote(const QString& note)
{
    m_note->setText(note);
}

} // namespace records
