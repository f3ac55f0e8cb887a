// The practice window speaks the voice of the step on screen: when and which file its player
// is given (the player's source, not the sound card).
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "learn/voice_prompt.h"
#include "platform/sound.h"
#include "platform/voice_player.h"
#include "store/voices.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"
#include "support/voice_media.h"

#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// Records when the window's voice player starts: a voice of a few seconds may play to its end
// between two looks when there is no sound card to keep time.
class VoiceSpy
{
public:
    explicit VoiceSpy(const frm_lane_play& w)
        : m_spy(w.voicePrompt()->player()->player(), &QMediaPlayer::playbackStateChanged)
    {
    }
    bool started() const
    {
        for (const QList<QVariant>& args : m_spy)
            if (args.at(0).value<QMediaPlayer::PlaybackState>() == QMediaPlayer::PlayingState)
                return true;
        return false;
    }

private:
    QSignalSpy m_spy;
};

} // namespace

class TestLearnVoice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;
    QStringList voices; // of steps 1 and 3, and of the goal

    std::unique_ptr<frm_lane_play> open(std::optional<app::VoiceMode> mode)
    {
        auto w = std::make_unique<frm_lane_play>(
            dialogs, platform::ScreenTwips::fromPixels({1024, 768}), fx->dir());
        app::PracticeSettings settings;
        settings.voice = mode;
        w->setPracticeSettings(settings);
        return w;
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
        QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3"), fx->dir() + "/OK.mp3");
        QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/NG.mp3"), fx->dir() + "/NG.mp3");
        QList<RouteRow> rows;
        for (int i = 1; i <= 3; ++i)
            rows << RouteRow{stepKey(i),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i), QSize(160, 120)), kUp};
        fx->create(rows);
        voices.clear();
        for (const char* name : {"one", "three", "goal"})
            voices << writeToneWav(fx->dir() + QStringLiteral("/%1.wav").arg(name), 3000);
        giveVoice(rows[0].photo, voices[0]);
        giveVoice(rows[2].photo, voices[1]);
        giveVoice(store::goalVoiceKey(), voices[2]);
    }

    void voiceOfTheStepOnScreen_data()
    {
        QTest::addColumn<std::optional<app::VoiceMode>>("mode");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("wrongFirst");
        QTest::addColumn<QString>("voice"); // "" none, else one/three/goal
        QTest::addColumn<bool>("spoken");
        const std::optional<app::VoiceMode> unset;
        const auto always = std::optional(app::VoiceMode::Always);
        const auto afterWrong = std::optional(app::VoiceMode::OnlyAfterWrong);
        const auto never = std::optional(app::VoiceMode::Never);
        QTest::newRow("unset mode: the first step's voice") << unset << 1 << false << "one" << true;
        QTest::newRow("a step without a voice stays silent") << always << 2 << false << "" << false;
        QTest::newRow("the third step's own voice") << always << 3 << false << "three" << true;
        QTest::newRow("the goal's voice") << always << 4 << false << "goal" << true;
        QTest::newRow("only after wrong: silent when shown")
            << afterWrong << 1 << false << "one" << false;
        QTest::newRow("only after wrong: spoken after a wrong answer")
            << afterWrong << 1 << true << "one" << true;
        QTest::newRow("never: not even after a wrong answer") << never << 1 << true << "" << false;
    }

    void voiceOfTheStepOnScreen()
    {
        QFETCH(std::optional<app::VoiceMode>, mode);
        QFETCH(int, step);
        QFETCH(bool, wrongFirst);
        QFETCH(QString, voice);
        QFETCH(bool, spoken);
        auto w = open(mode);
        for (int i = 1; i < step; ++i) {
            w->Timer1_Timer();
            w->Command1_Click(0);
        }
        const VoiceSpy voiceSpy(*w);
        w->Timer1_Timer();
        if (wrongFirst) {
            dialogs.answers = {platform::MsgResult::Ok};
            w->Command1_Click(1);
            // The wrong-answer tone is heard alone first.
            QVERIFY(!voiceSpy.started() || !w->MMControl1->player() ||
                    w->MMControl1->player()->playbackState() != QMediaPlayer::PlayingState);
        }
        const QString expected =
            voice.isEmpty() ? QString() : fx->dir() + QStringLiteral("/%1.wav").arg(voice);
        QCOMPARE(w->voicePrompt()->voice(), expected);
        if (spoken) {
            QCOMPARE(w->voicePrompt()->player()->source(), expected);
            QTRY_VERIFY_WITH_TIMEOUT(voiceSpy.started(), 15000);
        } else {
            QTest::qWait(100);
            QVERIFY(!voiceSpy.started());
        }
    }

    void voiceWaitsForTheRightAnswerSound()
    {
        auto w = open(app::VoiceMode::Always);
        // Only the chime's end lets the voice in here, however slowly the machine plays it.
        w->voicePrompt()->MaxWaitMs = 60000;
        w->Timer1_Timer();
        w->Command1_Click(0);
        w->Timer1_Timer(); // step 2: no voice
        w->Command1_Click(0);
        QVERIFY(w->MMControl1->player());
        QCOMPARE(w->MMControl1->player()->playbackState(), QMediaPlayer::PlayingState);
        const VoiceSpy voiceSpy(*w);
        bool overlapped = false;
        QObject::connect(w->voicePrompt()->player()->player(), &QMediaPlayer::playbackStateChanged,
                         w.get(), [&](QMediaPlayer::PlaybackState state) {
                             overlapped = overlapped || (state == QMediaPlayer::PlayingState &&
                                                         w->MMControl1->player()->playbackState() ==
                                                             QMediaPlayer::PlayingState);
                         });
        w->Timer1_Timer(); // step 3 appears while the chime still sounds
        QCOMPARE(w->voicePrompt()->player()->source(), voices[1]);
        QVERIFY(!voiceSpy.started());
        QTRY_VERIFY_WITH_TIMEOUT(voiceSpy.started(), 30000);
        QVERIFY(!overlapped);
    }

    void keyThatAnswersNothingSaysTheVoiceAgain()
    {
        auto w = open(app::VoiceMode::OnlyAfterWrong);
        const VoiceSpy voiceSpy(*w);
        w->Timer1_Timer();
        QVERIFY(!voiceSpy.started());
        QTest::keyClick(w.get(), Qt::Key_V);
        QTRY_VERIFY_WITH_TIMEOUT(voiceSpy.started(), 15000);
        QVERIFY(dialogs.messages.isEmpty()); // V answered nothing
        QCOMPARE(m_lane::STEP_NO.toLongLong(), 1);
    }

    void missingVoiceFileIsSkipped()
    {
        QFile::remove(voices[0]);
        auto w = open(app::VoiceMode::Always);
        const VoiceSpy voiceSpy(*w);
        w->Timer1_Timer();
        QCOMPARE(w->voicePrompt()->player()->source(), QString());
        QTest::qWait(100);
        QVERIFY(!voiceSpy.started());
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestLearnVoice)
#include "tst_learn_voice.moc"
