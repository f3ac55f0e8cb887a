// Times how soon a step's recorded voice starts once its photo appears after a right answer,
// for a 5-second WAV and a 5-second Ogg/Opus voice. Prints a table; run with
// QT_QPA_PLATFORM=offscreen and, for a real sound path, a PulseAudio server (scripts/bench.sh
// starts one with a null sink when it can).
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "learn/voice_prompt.h"
#include "platform/dialogs.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "platform/voice_player.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"
#include "support/bench_media.h"
#include "support/median.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 9;

using bench::median;
using bench::SilentDialogs;

struct Run
{
    double photoToVoice = -1;    // ms from the photo appearing to the voice playing
    double soundEndToVoice = -1; // ms from the later of that and the chime's end
};

// Waits until `done` holds, polling every millisecond; false after `ms`.
template <typename F> bool waitFor(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(500);
    }
    return true;
}

// One answer on step 1 and the appearance of step 2, whose voice is `voice`.
Run measure(frm_lane_play& w)
{
    Run run;
    m_lane::STEP_NO = 0;
    w.Timer1_Timer();
    QElapsedTimer clock;
    clock.start();
    double chimeEnd = -1;
    w.Command1_Click(0); // the right answer: the chime plays, the timer is armed
    QMediaPlayer* chime = w.MMControl1->player();
    auto watch = QObject::connect(chime, &QMediaPlayer::playbackStateChanged, &w,
                                  [&](QMediaPlayer::PlaybackState s) {
                                      if (s != QMediaPlayer::PlayingState && chimeEnd < 0)
                                          chimeEnd = clock.nsecsElapsed() / 1e6;
                                  });
    // The window's own second passes; then its tick shows step 2.
    w.Timer1->setEnabled(false);
    waitFor([] { return false; }, 1000);
    const double photo = clock.nsecsElapsed() / 1e6;
    w.Timer1_Timer();
    QMediaPlayer* voice = w.voicePrompt()->player()->player();
    if (waitFor([voice] { return voice->position() > 0; }, 5000)) {
        const double started = clock.nsecsElapsed() / 1e6;
        run.photoToVoice = started - photo;
        run.soundEndToVoice = started - std::max(photo, chimeEnd);
    }
    QObject::disconnect(watch);
    w.voicePrompt()->stop();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QDir root(dir.path());
    QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3"), root.filePath("OK.mp3"));
    QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/NG.mp3"), root.filePath("NG.mp3"));
    QStringList photos;
    for (int i = 0; i < 2; ++i) {
        photos << root.filePath(QStringLiteral("p%1.jpg").arg(i));
        bench::writePhoto(photos.back(), QSize(1600, 1200), quint32(3 + i));
    }
    m_lane::InitSettings(dir.path());
    bench::writeRoute(m_lane::DB_PATH, photos, 2, false);

    const QString output = QMediaDevices::defaultAudioOutput().description();
    std::printf("Voice start: photo of step 2 appearing (one second after the right answer on "
                "step 1) to its voice playing; median and worst of %d runs\n",
                kRuns);
    std::printf("(sound output: %s)\n", output.isEmpty() ? "none" : qPrintable(output));
    std::printf("%-16s %18s %18s %26s   %s\n", "voice", "photo->voice ms", "worst ms",
                "after chime end ms (worst)", "target");
    SilentDialogs dialogs;
    for (const char* name : {"voice_5s.wav", "voice_5s.opus"}) {
        const QString voice = root.filePath(QString::fromLatin1(name));
        QFile::copy(QStringLiteral(MICHITAN_BENCH_DATA_DIR "/") + QString::fromLatin1(name), voice);
        {
            store::Connection cn;
            cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
            store::Transaction change(cn);
            store::setVoice(cn, m_lane::ROUTE_TABLE, photos[1],
                            store::storedVoiceName(m_lane::DB_PATH, voice));
            change.commit();
        }
        frm_lane_play w(dialogs, platform::ScreenTwips::fromPixels({1024, 768}), dir.path());
        w.Timer1->setEnabled(false);
        std::vector<double> photoTimes, endTimes;
        int missed = 0;
        for (int i = 0; i < kRuns; ++i) {
            const Run run = measure(w);
            if (run.photoToVoice < 0) {
                ++missed;
                continue;
            }
            photoTimes.push_back(run.photoToVoice);
            endTimes.push_back(run.soundEndToVoice);
        }
        const double worst =
            photoTimes.empty() ? -1 : *std::max_element(photoTimes.begin(), photoTimes.end());
        const double worstEnd =
            endTimes.empty() ? -1 : *std::max_element(endTimes.begin(), endTimes.end());
        std::printf("%-16s %18.1f %18.1f %17.1f (%6.1f)   < 150 ms after the chime%s\n", name,
                    median(photoTimes), worst, median(endTimes), worstEnd,
                    missed ? qPrintable(QStringLiteral(" (%1 runs never started)").arg(missed))
                           : "");
    }
    return 0;
}
