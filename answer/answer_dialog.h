#pragma once

#include "app/practice_settings.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;

namespace platform {
class Dialogs;
}

namespace answer {

class KeyButton;

// "答え方": how the child answers in the practice window (mouse, touch and keyboard; one switch;
// two switches), the switches' keys, the pace of the highlight, the guard time, whether
// "もどる" is offered and a tick sounds, and big buttons. Each choice has a short explanation
// beside it. Everything else in the settings is kept as it was.
class AnswerDialog : public QDialog
{
    Q_OBJECT
public:
    // `child`: whose settings they are (empty: no child set up, the route's own).
    explicit AnswerDialog(const app::PracticeSettings& settings, const QString& child = {},
                          QWidget* parent = nullptr);

    // The settings given, with the choices made here.
    app::PracticeSettings settings() const;
    // Why the choices can't be kept as they are (two switches on one key), or empty.
    QString problem() const;

    QButtonGroup* modes() const { return m_modes; }
    KeyButton* keyButton(int index) const { return m_keys.at(index); }
    QDoubleSpinBox* pace() const { return m_pace; }
    QDoubleSpinBox* guard() const { return m_guard; }
    QCheckBox* offersBack() const { return m_offersBack; }
    QCheckBox* tick() const { return m_tick; }
    QCheckBox* bigButtons() const { return m_big; }

    void accept() override;

private:
    void modeChanged();

    app::PracticeSettings m_settings;
    QButtonGroup* m_modes = nullptr;
    QGroupBox* m_switches = nullptr;
    std::array<QLabel*, 2> m_keyLabels{};
    std::array<KeyButton*, 2> m_keys{};
    QDoubleSpinBox* m_pace = nullptr;
    QDoubleSpinBox* m_guard = nullptr;
    QCheckBox* m_offersBack = nullptr;
    QCheckBox* m_tick = nullptr;
    QCheckBox* m_big = nullptr;
    QLabel* m_problem = nullptr;
};

// Shows "答え方" for practising `routeFile` as `child` and saves what the adult chose; a failure
// to save is told through `dialogs`. True when new settings were saved.
bool EditAnswerSettings(platform::Dialogs& dialogs, QWidget* parent, const QString& routeFile,
                        const QString& child = {});

} // namespace answer
