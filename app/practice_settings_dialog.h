#pragma once

#include "app/practice_settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace app {

// "練習の設定…": what the adult sets for a child (or for a route when no child is set up) that
// this program offers itself: the answer sounds, when the parent's recorded voice is played, the
// lock and recording. Everything else in the settings is kept as it was.
class PracticeSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    PracticeSettingsDialog(const QString& whose, const PracticeSettings& settings,
                           QWidget* parent = nullptr);

    PracticeSettings settings() const;

    QCheckBox* soundsBox() const { return m_sounds; }
    QCheckBox* lockBox() const { return m_lock; }
    QCheckBox* recordsBox() const { return m_records; }
    QComboBox* voiceBox() const { return m_voice; }

private:
    PracticeSettings m_settings;
    QCheckBox* m_sounds = nullptr;
    QCheckBox* m_lock = nullptr;
    QCheckBox* m_records = nullptr;
    QComboBox* m_voice = nullptr;
};

} // namespace app
