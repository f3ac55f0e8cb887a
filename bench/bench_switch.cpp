// Times switch access on the practice window: how punctually the highlight moves at the fastest
// pace, and how soon a switch press is judged. Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "app/practice_settings.h"
#include "learn/answer_access.h"
#include "learn/frm_lane_play.h"
#include "platform/dialogs.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "support/bench_media.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::SilentDialogs;

struct Spread
{
    double median, p95, max;
};

Spread spread(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return {0, 0, 0};
    return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 95 / 100)], v.back()};
}

void printRow(const char* name, const Spread& s, double target)
{
    std::printf("%-38s %8.2f %8.2f %8.2f %8.0f\n", name, s.median, s.p95, s.max, target);
}

// How far each of `moves` highlight moves came from the time it was due, in milliseconds, the
// highlight drawn on the window included.
std::vector<double> moveDeviations(frm_lane_play& w, int moves)
{
    learn::SwitchScan& scan = w.answerAccess()->scan();
    QElapsedTimer clock;
    std::vector<double> deviations;
    const qint64 interval = scan.setup().intervalMs;
    const QMetaObject::Connection moved =
        QObject::connect(&scan, &learn::SwitchScan::highlightChanged, &w, [&] {
            const double due = double(deviations.size() + 1) * interval;
            deviations.push_back(std::abs(clock.nsecsElapsed() / 1e6 - due));
        });
    clock.start();
    scan.restart();
    deviations.clear(); // the restart's own highlight is not a move
    while (int(deviations.size()) < moves)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    scan.stop();
    QObject::disconnect(moved);
    return deviations;
}

// Milliseconds from a switch press entering the event queue to the answer's sound being played,
// over `presses` right answers.
std::vector<double> pressToJudgement(frm_lane_play& w, int presses)
{
    std::vector<double> times;
    QElapsedTimer clock;
    bool judged = false;
    const QMetaObject::Connection played = QObject::connect(
        w.MMControl1, &platform::MMControl::commandGiven, &w, [&](const QString& command) {
            if (command == QLatin1String("Play") && !judged) {
                times.push_back(clock.nsecsElapsed() / 1e6);
                judged = true;
            }
        });
    for (int i = 0; i < presses; ++i) {
        // Step 1 on screen, the scan on "↑", which is the right answer.
        w.Timer1->setEnabled(false);
        m_lane::STEP_NO = 0;
        w.Timer1_Timer();
        judged = false;
        QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
        clock.start();
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
        while (!judged)
            QCoreApplication::processEvents();
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier));
        QCoreApplication::processEvents();
    }
    QObject::disconnect(played);
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    m_lane::InitSettings(dir.path());
    const QString photo = QDir(dir.path()).filePath(QStringLiteral("photo.jpg"));
    bench::writePhoto(photo, QSize(1280, 960), 1);
    bench::writeRoute(m_lane::DB_PATH, {photo}, 1, false);
    SilentDialogs dialogs;
    frm_lane_play w(dialogs, platform::ScreenTwips::fromPixels(QSize(1280, 800)), dir.path());
    w.Timer1->setEnabled(false);
    app::PracticeSettings settings;
    settings.answer = app::AnswerMode::OneSwitch;
    settings.scanIntervalMs = 500;
    settings.guardMs = 0;
    w.setPracticeSettings(settings);
    w.show();
    w.Timer1_Timer();

    // A shorter run on request (bench_switch MOVES), while trying changes out.
    const int moves = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 200;
    std::printf("Switch access on a 1280 x 800 screen (milliseconds)\n");
    std::printf("move: how far each highlight move (drawn) came from its due time, %d moves at\n"
                "0.5 s; press: a switch press queued to its answer judged and sounding, 200\n"
                "right answers\n\n",
                moves);
    std::printf("%-38s %8s %8s %8s %8s\n", "", "median", "p95", "max", "target");
    printRow("highlight move, deviation from due", spread(moveDeviations(w, moves)), 30);
    printRow("switch press to answer judged", spread(pressToJudgement(w, 200)), 50);
    return 0;
}
