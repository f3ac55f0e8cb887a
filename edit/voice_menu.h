#pragma once

#include <QAudioDevice>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace platform {
class Dialogs;
class VoicePlayer;
} // namespace platform

namespace edit {

// The editor's "声" menu: gives the step in the edit bar, or the goal, the parent's voice,
// recorded on the spot or taken from a file; plays it; removes it; and sets when practice plays
// the voices. A voice is kept only once it is known to be sound with something in it, and a
// voice that can't be kept leaves the step as it was.
class VoiceMenu : public QObject
{
    Q_OBJECT
public:
    // `window` owns the dialogs; `chosenPhoto` gives the photo of the step in the edit bar.
    VoiceMenu(QMenu& menu, platform::Dialogs& dialogs, QWidget& window,
              std::function<QString()> chosenPhoto);
    ~VoiceMenu() override;

    // The commands, for the step in the edit bar (`goal` false) or for the goal.
    void Record(bool goal = false);
    void ChooseFile(bool goal = false);
    void Listen(bool goal = false);
    void Remove(bool goal = false);

    // The microphones there are (the system's, unless a test says otherwise).
    std::function<QList<QAudioDevice>()> Microphones;
    // The largest voice file taken.
    qint64 MaxFileBytes = 40LL * 1024 * 1024;

    QAction* recordAction() const { return m_record; }
    QAction* chooseAction() const { return m_choose; }
    QAction* listenAction() const { return m_listen; }
    QAction* removeAction() const { return m_remove; }
    platform::VoicePlayer* player() const { return m_player; }

signals:
    // A voice was kept or removed: the list shows it.
    void voicesChanged();

private:
    // The key of the voice the command is for (a step's photo, or the goal's) and its name in
    // messages; false, after saying why, when the edit bar holds no registered step.
    bool target(bool goal, QString* key, QString* name);
    // Checks that `file` is sound with something in it; says why not.
    bool usable(const QString& file);
    void keep(const QString& key, const QString& file);
    void addModeMenu(QMenu& menu);

    platform::Dialogs& m_dialogs;
    QWidget& m_window;
    std::function<QString()> m_chosenPhoto;
    platform::VoicePlayer* m_player = nullptr;
    QAction* m_record = nullptr;
    QAction* m_choose = nullptr;
    QAction* m_listen = nullptr;
    QAction* m_remove = nullptr;
};

} // namespace edit
