#include "edit/voice_menu.h"

#include "app/m_lane.h"
#include "app/messages.h"
#include "app/practice_settings.h"
#include "edit/messages.h"
#include "edit/voice_recorder.h"
#include "platform/audio_level.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "platform/voice_player.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QActionGroup>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMenu>
#include <QScopeGuard>
#include <QWidget>

namespace edit {
namespace {

const QString kFilter = QStringLiteral("声のファイル (WAV, MP3, Ogg/Opus, M4A)|*.wav;*.mp3;*.ogg;"
                                       "*.oga;*.opus;*.m4a;*.aac|すべてのファイル|*.*");
// Practice plays a voice for at most this long.
constexpr qint64 kPlayedMs = 20000;

QString stepName(const QString& order)
{
    return QStringLiteral("順序 %1 の声").arg(order);
}

} // namespace

VoiceMenu::VoiceMenu(QMenu& menu, platform::Dialogs& dialogs, QWidget& window,
                     std::function<QString()> chosenPhoto)
    : QObject(&menu), Microphones(&QMediaDevices::audioInputs), m_dialogs(dialogs),
      m_window(window), m_chosenPhoto(std::move(chosenPhoto))
{
    m_player = new platform::VoicePlayer(this);
    connect(m_player, &platform::VoicePlayer::failed, this, [this](const QString& reason) {
        m_dialogs.MsgBox(&m_window, messages::voiceUnplayable(m_player->source(), reason));
    });

    m_record = menu.addAction(QStringLiteral("この順序の声を録音…"), this, [this] { Record(); });
    m_record->setObjectName(QStringLiteral("recordVoiceAction"));
    m_choose =
        menu.addAction(QStringLiteral("声のファイルをえらぶ…"), this, [this] { ChooseFile(); });
    m_choose->setObjectName(QStringLiteral("chooseVoiceAction"));
    m_listen = menu.addAction(QStringLiteral("声を聞く"), this, [this] { Listen(); });
    m_listen->setObjectName(QStringLiteral("listenVoiceAction"));
    m_remove = menu.addAction(QStringLiteral("声を消す"), this, [this] { Remove(); });
    m_remove->setObjectName(QStringLiteral("removeVoiceAction"));
    menu.addSeparator();
    QMenu* goal = menu.addMenu(QStringLiteral("ゴールの声"));
    goal->setObjectName(QStringLiteral("goalVoiceMenu"));
    goal->addAction(QStringLiteral("録音…"), this, [this] { Record(true); });
    goal->addAction(QStringLiteral("ファイルをえらぶ…"), this, [this] { ChooseFile(true); });
    goal->addAction(QStringLiteral("聞く"), this, [this] { Listen(true); });
    goal->addAction(QStringLiteral("消す"), this, [this] { Remove(true); });
    menu.addSeparator();
    addModeMenu(menu);
}

VoiceMenu::~VoiceMenu() = default;

void VoiceMenu::addModeMenu(QMenu& menu)
{
    QMenu* modes = menu.addMenu(QStringLiteral("練習で声を流す"));
    modes->setObjectName(QStringLiteral("voiceModeMenu"));
    auto* group = new QActionGroup(modes);
    const std::pair<app::VoiceMode, QString> choices[] = {
        {app::VoiceMode::Always, QStringLiteral("いつも")},
        {app::VoiceMode::OnlyAfterWrong, QStringLiteral("まちがえたときだけ")},
        {app::VoiceMode::Never, QStringLiteral("なし")}};
    for (const auto& [mode, text] : choices) {
        QAction* action = modes->addAction(text);
        action->setCheckable(true);
        action->setData(int(mode));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode = mode] {
            app::PracticeSettings settings = app::LoadPracticeSettings(m_lane::DB_PATH);
            settings.voice = mode;
            std::optional<platform::Failure> failure;
            if (!app::SavePracticeSettings(m_lane::DB_PATH, {}, settings, &failure))
                platform::tell(m_dialogs, &m_window, *failure);
        });
    }
    // Shows the route's setting as it stands; unset, the route's voices decide.
    connect(modes, &QMenu::aboutToShow, this, [this, group] {
        const std::optional<app::VoiceMode> mode = app::LoadPracticeSettings(m_lane::DB_PATH).voice;
        bool voiced = false;
        if (!mode) {
            try {
                store::Connection cn;
                cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 1);
                voiced = !store::readVoices(cn).isEmpty();
            } catch (const platform::Failure&) {
            }
        }
        const app::VoiceMode shown =
            mode.value_or(voiced ? app::VoiceMode::Always : app::VoiceMode::Never);
        for (QAction* action : group->actions())
            action->setChecked(action->data().toInt() == int(shown));
    });
}

bool VoiceMenu::target(bool goal, QString* key, QString* name)
{
    if (goal) {
        *key = store::goalVoiceKey();
        *name = QStringLiteral("ゴールの声");
        return true;
    }
    const QString photo = m_chosenPhoto();
    QString order;
    if (!photo.isEmpty()) {
        try {
            store::Connection cn;
            cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
            order = store::orderOfPhoto(cn, m_lane::ROUTE_TABLE, photo);
        } catch (const platform::Failure& e) {
            m_dialogs.MsgBox(&m_window, e.text());
            return false;
        }
    }
    if (order.isEmpty()) {
        m_dialogs.MsgBox(&m_window, messages::kChooseVoiceStep);
        return false;
    }
    *key = photo;
    *name = stepName(order);
    return true;
}

void VoiceMenu::Record(bool goal)
{
    QString key, name;
    if (!target(goal, &key, &name))
        return;
    const QList<QAudioDevice> microphones = Microphones();
    if (microphones.isEmpty()) {
        m_dialogs.MsgBox(&m_window, messages::kNoMicrophone);
        return;
    }
    // A folder that can't take the voice is told before the parent speaks.
    try {
        QFile::remove(store::newVoiceFile(m_lane::DB_PATH, QStringLiteral("mp3")));
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, &m_window, e.headed(messages::kVoiceNotKept));
        return;
    }
    QAudioDevice microphone = QMediaDevices::defaultAudioInput();
    if (microphone.isNull() || !microphones.contains(microphone))
        microphone = microphones.first();
    VoiceRecorder recorder(m_dialogs, microphone, name + QStringLiteral("を録音します。"),
                           &m_window);
    if (recorder.exec() == QDialog::Accepted && !recorder.take().isEmpty())
        keep(key, recorder.take());
}

void VoiceMenu::ChooseFile(bool goal)
{
    QString key, name;
    if (!target(goal, &key, &name))
        return;
    platform::OpenRequest request;
    request.Filter = kFilter;
    const QString file = m_dialogs.ShowOpen(&m_window, request).trimmed();
    if (file.isEmpty())
        return;
    if (usable(file))
        keep(key, file);
}

bool VoiceMenu::usable(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        m_dialogs.MsgBox(&m_window, app::messages::notFound(file));
        return false;
    }
    if (info.size() > MaxFileBytes) {
        m_dialogs.MsgBox(&m_window, messages::voiceFileTooBig(MaxFileBytes / (1024 * 1024), file));
        return false;
    }
    // The file is read as sound before it is kept; the window waits without taking commands.
    platform::AudioLevel level;
    level.MaxSoundMs = kPlayedMs + 1;
    bool decoded = false;
    double peak = 0;
    qint64 soundMs = 0;
    QEventLoop loop;
    connect(&level, &platform::AudioLevel::measured, &loop, [&](bool d, double p, qint64 ms) {
        decoded = d;
        peak = p;
        soundMs = ms;
        loop.quit();
    });
    m_window.setEnabled(false);
    const auto enable = qScopeGuard([this] { m_window.setEnabled(true); });
    level.measure(file);
    loop.exec();
    if (!decoded) {
        m_dialogs.MsgBox(&m_window, messages::notAVoiceFile(file));
        return false;
    }
    if (peak < kSilentPeak) {
        m_dialogs.MsgBox(&m_window, messages::silentVoiceFile(file));
        return false;
    }
    if (soundMs > kPlayedMs)
        m_dialogs.MsgBox(&m_window, messages::voiceTooLong(kPlayedMs / 1000));
    return true;
}

void VoiceMenu::keep(const QString& key, const QString& file)
{
    const QString& route = m_lane::DB_PATH;
    try {
        const QString copy = store::copyIntoVoiceFolder(route, file);
        auto dropCopy = qScopeGuard([&copy] { QFile::remove(copy); });
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        store::Transaction change(cn);
        // The step may have gone meanwhile (another editor window).
        if (key != store::goalVoiceKey() &&
            store::orderOfPhoto(cn, m_lane::ROUTE_TABLE, key).isEmpty()) {
            m_dialogs.MsgBox(&m_window, messages::kChooseVoiceStep);
            return;
        }
        store::setVoice(cn, m_lane::ROUTE_TABLE, key, store::storedVoiceName(route, copy));
        const QStringList voices = store::readVoices(cn).values();
        change.commit();
        dropCopy.dismiss();
        cn.Close();
        store::removeUnusedVoiceFiles(route, voices);
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, &m_window, e.headed(messages::kVoiceNotKept));
        return;
    }
    emit voicesChanged();
}

void VoiceMenu::Listen(bool goal)
{
    QString key, name;
    if (!target(goal, &key, &name))
        return;
    QString stored;
    try {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        stored = store::voiceOf(cn, key);
    } catch (const platform::Failure& e) {
        m_dialogs.MsgBox(&m_window, e.text());
        return;
    }
    if (stored.isEmpty()) {
        m_dialogs.MsgBox(&m_window, goal ? messages::kNoGoalVoice : messages::kNoVoice);
        return;
    }
    const QString path = store::voicePath(m_lane::DB_PATH, stored);
    if (!QFileInfo(path).isFile()) {
        m_dialogs.MsgBox(&m_window, messages::voiceFileMissing(path));
        return;
    }
    m_player->load(path);
    m_player->play();
}

void VoiceMenu::Remove(bool goal)
{
    QString key, name;
    if (!target(goal, &key, &name))
        return;
    if (m_dialogs.MsgBox(&m_window, messages::kRemoveVoice, platform::MsgButtons::OkCancel) !=
        platform::MsgResult::Ok)
        return;
    m_player->stop();
    try {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        store::Transaction change(cn);
        store::removeVoice(cn, key);
        const QStringList voices = store::readVoices(cn).values();
        change.commit();
        cn.Close();
        store::removeUnusedVoiceFiles(m_lane::DB_PATH, voices);
    } catch (const platform::Failure& e) {
        m_dialogs.MsgBox(&m_window, e.text());
        return;
    }
    emit voicesChanged();
}

} // namespace edit
