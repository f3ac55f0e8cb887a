#include "app/practice_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace app {

PracticeSettingsDialog::PracticeSettingsDialog(const QString& whose,
                                               const PracticeSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("練習の設定"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(whose, this));
    m_sounds = new QCheckBox(QStringLiteral("正しいとき・まちがえたときに音を鳴らす"), this);
    m_sounds->setChecked(settings.sounds);
    // The first choice leaves the mode unset, which follows the route: the voices play when
    // the route has any, and nothing changes for a route without them.
    m_voice = new QComboBox(this);
    m_voice->addItem(QStringLiteral("道順の設定のまま（声があれば流す）"));
    m_voice->addItem(QStringLiteral("いつも"), int(VoiceMode::Always));
    m_voice->addItem(QStringLiteral("まちがえたときだけ"), int(VoiceMode::OnlyAfterWrong));
    m_voice->addItem(QStringLiteral("なし"), int(VoiceMode::Never));
    if (settings.voice)
        m_voice->setCurrentIndex(m_voice->findData(int(*settings.voice)));
    auto* voiceLabel = new QLabel(QStringLiteral("録音した声を流す:"), this);
    voiceLabel->setBuddy(m_voice);
    m_lock = new QCheckBox(QStringLiteral("ロックする（子どもが練習の画面を閉じられないように"
                                          "します）"),
                           this);
    m_lock->setChecked(settings.lock);
    auto* lockHelp = new QLabel(QStringLiteral("ロック中に大人が練習をやめるには、画面の左上の"
                                               "すみを 3 秒おしつづけ、出てくる計算に答えます。"),
                                this);
    lockHelp->setWordWrap(true);
    m_records = new QCheckBox(QStringLiteral("練習を記録する"), this);
    m_records->setChecked(settings.records);
    layout->addWidget(m_sounds);
    layout->addWidget(voiceLabel);
    layout->addWidget(m_voice);
    layout->addWidget(m_lock);
    layout->addWidget(lockHelp);
    layout->addWidget(m_records);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PracticeSettings PracticeSettingsDialog::settings() const
{
    PracticeSettings settings = m_settings;
    settings.sounds = m_sounds->isChecked();
    settings.lock = m_lock->isChecked();
    settings.records = m_records->isChecked();
    const QVariant voice = m_voice->currentData();
    settings.voice = voice.isValid() ? std::optional(VoiceMode(voice.toInt())) : std::nullopt;
    return settings;
}

} // namespace app
