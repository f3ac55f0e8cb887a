#include "answer/answer_dialog.h"

#include "answer/key_button.h"
#include "answer/messages.h"
#include "platform/dialogs.h"
#include "platform/failure.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace answer {
namespace {

QLabel* explanation(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QDoubleSpinBox* seconds(double from, double to, int ms)
{
    auto* box = new QDoubleSpinBox;
    box->setRange(from, to);
    box->setSingleStep(0.1);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" 秒"));
    box->setValue(ms / 1000.0);
    return box;
}

int milliseconds(const QDoubleSpinBox* box)
{
    return int(std::lround(box->value() * 1000));
}

} // namespace

AnswerDialog::AnswerDialog(const app::PracticeSettings& settings, const QString& child,
                           QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("答え方"));
    setMinimumWidth(680);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        child.isEmpty()
            ? QStringLiteral("この道順を練習するときの答え方です。")
            : QStringLiteral("%1 さんがこの道順を練習するときの答え方です。").arg(child)));

    auto* modeBox = new QGroupBox(QStringLiteral("子どもの答え方"));
    auto* modeGrid = new QGridLayout(modeBox);
    m_modes = new QButtonGroup(this);
    const struct
    {
        app::AnswerMode mode;
        QString name;
        QString about;
    } modes[] = {
        {app::AnswerMode::Pointer, QStringLiteral("マウス・タッチ・キーボード"),
         QStringLiteral("矢印のボタンをマウスか指で押すか、← ↑ → キーで答えます。"
                        "Backspace キーは「もどる」です。")},
        {app::AnswerMode::OneSwitch, QStringLiteral("スイッチ 1 つ"),
         QStringLiteral("矢印が 1 つずつ順に光ります。答えたい矢印が光っているときに"
                        "スイッチを押します。")},
        {app::AnswerMode::TwoSwitches, QStringLiteral("スイッチ 2 つ"),
         QStringLiteral("1 つ目のスイッチで光る矢印を次へ動かし、2 つ目のスイッチで答えます。"
                        "子どもが自分の速さで選べます。")},
    };
    for (int row = 0; row < 3; ++row) {
        auto* radio = new QRadioButton(modes[row].name);
        m_modes->addButton(radio, int(modes[row].mode));
        modeGrid->addWidget(radio, row, 0, Qt::AlignTop);
        modeGrid->addWidget(explanation(modes[row].about), row, 1);
    }
    modeGrid->setColumnStretch(1, 1);
    if (QAbstractButton* chosen = m_modes->button(int(settings.answer)))
        chosen->setChecked(true);
    layout->addWidget(modeBox);

    m_switches = new QGroupBox(QStringLiteral("スイッチ"));
    auto* grid = new QGridLayout(m_switches);
    int row = 0;
    grid->addWidget(
        explanation(QStringLiteral("キーのボタンを押してから、スイッチ（またはキーボード"
                                   "のキー）を押すと、そのキーがスイッチになります。")),
        row++, 0, 1, 3);
    for (int i = 0; i < 2; ++i) {
        const int key = i < settings.switchKeys.size() ? settings.switchKeys.at(i)
                                                       : (i == 0 ? Qt::Key_Space : Qt::Key_Return);
        m_keyLabels[i] = new QLabel;
        m_keys[i] = new KeyButton(key);
        grid->addWidget(m_keyLabels[i], row, 0);
        grid->addWidget(m_keys[i], row++, 1);
    }
    m_pace = seconds(0.5, 5.0, std::clamp(settings.scanIntervalMs, 500, 5000));
    grid->addWidget(new QLabel(QStringLiteral("光る速さ")), row, 0);
    grid->addWidget(m_pace, row, 1);
    grid->addWidget(explanation(QStringLiteral("この時間ごとに、光る矢印が次へ動きます"
                                               "（スイッチ 1 つのとき）。")),
                    row++, 2);
    m_guard = seconds(0.0, 2.0, std::clamp(settings.guardMs, 0, 2000));
    grid->addWidget(new QLabel(QStringLiteral("押しなおしの間")), row, 0);
    grid->addWidget(m_guard, row, 1);
    grid->addWidget(explanation(QStringLiteral("これより短い間にもう一度押しても数えません。"
                                               "手がふるえて 2 回答えてしまうのを防ぎます。")),
                    row++, 2);
    m_offersBack = new QCheckBox(QStringLiteral("「もどる」も光らせる"));
    m_offersBack->setChecked(settings.scanOffersBack);
    grid->addWidget(m_offersBack, row, 0, 1, 2);
    grid->addWidget(explanation(QStringLiteral("矢印のあとに「もどる」も選べるようにします。")),
                    row++, 2);
    m_tick = new QCheckBox(QStringLiteral("光るたびに音を鳴らす"));
    m_tick->setChecked(settings.scanSound);
    grid->addWidget(m_tick, row, 0, 1, 2);
    grid->addWidget(
        explanation(QStringLiteral("画面を見ていなくても、光が動いたことがわかります。")), row++,
        2);
    grid->setColumnStretch(2, 1);
    layout->addWidget(m_switches);

    auto* bigBox = new QGroupBox(QStringLiteral("見やすさ"));
    auto* bigGrid = new QGridLayout(bigBox);
    m_big = new QCheckBox(QStringLiteral("大きなボタン"));
    m_big->setChecked(settings.bigButtons);
    bigGrid->addWidget(m_big, 0, 0, Qt::AlignTop);
    bigGrid->addWidget(
        explanation(QStringLiteral("矢印と「もどる」を写真の下いっぱいに大きく出し、"
                                   "「ざんねん！」やゴールの文字も大きくします。"
                                   "タッチ画面や、小さなボタンを押しにくい子どもに。")),
        0, 1);
    bigGrid->setColumnStretch(1, 1);
    layout->addWidget(bigBox);

    m_problem = new QLabel;
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #B00000;"));
    m_problem->hide();
    layout->addWidget(m_problem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_modes, &QButtonGroup::idToggled, this, &AnswerDialog::modeChanged);
    modeChanged();
}

void AnswerDialog::modeChanged()
{
    const auto mode = app::AnswerMode(m_modes->checkedId());
    m_switches->setEnabled(mode != app::AnswerMode::Pointer);
    const bool two = mode == app::AnswerMode::TwoSwitches;
    m_keyLabels[0]->setText(two ? QStringLiteral("動かすスイッチ") : QStringLiteral("スイッチ"));
    m_keyLabels[1]->setText(two ? QStringLiteral("答えるスイッチ")
                                : QStringLiteral("スイッチ（どちらでも答えます）"));
    m_pace->setEnabled(!two);
    m_problem->hide();
}

app::PracticeSettings AnswerDialog::settings() const
{
    app::PracticeSettings settings = m_settings;
    settings.answer = app::AnswerMode(m_modes->checkedId());
    settings.switchKeys = {m_keys[0]->key(), m_keys[1]->key()};
    settings.scanIntervalMs = milliseconds(m_pace);
    settings.guardMs = milliseconds(m_guard);
    settings.scanOffersBack = m_offersBack->isChecked();
    settings.scanSound = m_tick->isChecked();
    settings.bigButtons = m_big->isChecked();
    return settings;
}

QString AnswerDialog::problem() const
{
    if (app::AnswerMode(m_modes->checkedId()) == app::AnswerMode::TwoSwitches &&
        m_keys[0]->key() == m_keys[1]->key())
        return messages::kSameKeyTwice;
    return {};
}

void AnswerDialog::accept()
{
    const QString why = problem();
    if (!why.isEmpty()) {
        m_problem->setText(why);
        m_problem->show();
        return;
    }
    QDialog::accept();
}

bool EditAnswerSettings(platform::Dialogs& dialogs, QWidget* parent, const QString& routeFile,
                        const QString& child)
{
    AnswerDialog dialog(app::LoadPracticeSettings(routeFile, child), child, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    std::optional<platform::Failure> failure;
    if (!app::SavePracticeSettings(routeFile, child, dialog.settings(), &failure)) {
        platform::tell(dialogs, parent, failure->headed(messages::kNotSaved));
        return false;
    }
    return true;
}

} // namespace answer
