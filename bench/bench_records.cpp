// Practice records: what recording adds to the time from a press to the next photo, and the
// teacher's view, CSV, Open Board log and PDF of 1,000 sessions of a 30-step route.
// Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "platform/vb_timer.h"
#include "records/recorder.h"
#include "records/records_export.h"
#include "records/records_print.h"
#include "records/records_report.h"
#include "records/records_window.h"
#include "store/records_db.h"
#include "support/bench_media.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::SilentDialogs;

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5))];
}

const QString kArrows[3] = {QStringLiteral("↑"), QStringLiteral("←"), QStringLiteral("→")};

// Milliseconds from a right press to the next photo on screen, `runs` times along the route: the
// press's handler and the tick's. The window's one-second pause between them is left out, but
// what runs in the background during it (the photo decoded ahead, the records written) is let
// finish, as it would.
std::vector<double> pressToPhoto(frm_lane_play& w, records::Recorder& recorder, int runs, int steps)
{
    // The buttons' arrows for the route's ↑ → ← in turn.
    const int buttonFor[3] = {0, 2, 1};
    std::vector<double> times;
    m_lane::STEP_NO = 0;
    w.Timer1_Timer();
    for (int i = 0; i < runs; ++i) {
        if (m_lane::STEP_NO.toLongLong() >= steps) {
            m_lane::STEP_NO = 0;
            w.Timer1_Timer();
        }
        const int index = buttonFor[(m_lane::STEP_NO.toLongLong() - 1) % 3];
        QElapsedTimer t;
        t.start();
        w.Command1_Click(index);
        const qint64 press = t.nsecsElapsed();
        w.Timer1->setEnabled(false);
        recorder.flush();
        QThread::msleep(100);
        QCoreApplication::processEvents();
        t.start();
        w.Timer1_Timer();
        times.push_back((press + t.nsecsElapsed()) / 1e6);
    }
    return times;
}

// 1,000 sessions of a 30-step route: each step shown, one wrong press in ten, then the right one.
QList<store::RecordSession> sessions(int count, int steps)
{
    QList<store::RecordSession> all;
    qint64 at = 1700000000000;
    for (int k = 0; k < count; ++k) {
        store::RecordSession s;
        s.started = at;
        for (int i = 1; i <= steps; ++i)
            s.steps.append({-1, store::StepKey(i),
                            QStringLiteral("/home/user/photos/step%1.jpg").arg(i),
                            kArrows[(i - 1) % 3]});
        for (int i = 1; i <= steps; ++i) {
            store::RecordEvent show;
            show.at = at += 1000;
            show.kind = store::event::kShow;
            show.step = i;
            show.photo = s.steps[i - 1].photo;
            s.events.append(show);
            const bool slip = (k * 7 + i) % 10 == 0;
            for (int n = 0; n <= int(slip); ++n) {
                store::RecordEvent press;
                press.at = at += 1500;
                press.kind = store::event::kPress;
                press.step = i;
                press.expected = s.steps[i - 1].direction;
                press.right = n == int(slip);
                press.pressed = press.right ? press.expected : kArrows[i % 3];
                press.attempt = n + 1;
                press.msSincePhoto = 1500 * (n + 1);
                press.input = QStringLiteral("mouse");
                s.events.append(press);
            }
        }
        store::RecordEvent goal;
        goal.at = at += 1000;
        goal.kind = store::event::kGoal;
        goal.step = steps + 1;
        s.events.append(goal);
        s.ended = at + 500;
        at += 86400000;
        all.append(s);
    }
    return all;
}

// In a process of its own: opens the teacher's view on `route` and prints "<ms> <peak KiB>".
int viewChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double before = bench::statusKib("VmHWM:");
    SilentDialogs dialogs;
    QElapsedTimer t;
    t.start();
    records::RecordsWindow view(dialogs, QString::fromLocal8Bit(argv[2]));
    view.show();
    view.grab(); // painted once, as a screen would show it
    QCoreApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    std::printf("%.1f %.0f %.0f\n", ms, bench::statusKib("VmHWM:"), before);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--view") == 0)
        return viewChild(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    m_lane::InitSettings(dir.path());
    SilentDialogs dialogs;
    const int steps = 30;

    // Press to next photo, recording off and on, in alternating blocks.
    QStringList photos;
    for (int i = 0; i < 3; ++i) {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("p%1.jpg").arg(i));
        bench::writePhoto(path, QSize(1024, 768), quint32(i + 1), 60);
        photos << path;
    }
    QStringList route;
    for (int i = 0; i < steps; ++i)
        route << photos[i % 3];
    bench::writeRoute(m_lane::DB_PATH, route, steps, true);
    std::vector<double> off, on;
    records::Recorder recorder(
        [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
    const platform::ScreenTwips screen = platform::ScreenTwips::fromPixels(QSize(1920, 1080));
    for (int block = 0; block < 6; ++block) {
        frm_lane_play w(dialogs, screen, dir.path());
        w.Timer1->setEnabled(false);
        const bool recording = block % 2 == 1;
        if (recording)
            recorder.attach(w.practiceEvents(), m_lane::DB_PATH);
        const std::vector<double> times = pressToPhoto(w, recorder, 40, steps);
        (recording ? on : off).insert((recording ? on : off).end(), times.begin() + 2, times.end());
    }
    recorder.flush();
    std::printf("Press to next photo: a right answer's handler and the tick that shows the next\n"
                "step (the one-second pause between them left out), 30-step route of 1024 x 768\n"
                "JPEG, %zu presses each, milliseconds\n\n",
                off.size());
    std::printf("%-16s %8s %8s %8s\n", "", "median", "p95", "max");
    std::printf("%-16s %8.3f %8.3f %8.3f\n", "recording off", percentile(off, 0.5),
                percentile(off, 0.95), percentile(off, 1));
    std::printf("%-16s %8.3f %8.3f %8.3f\n", "recording on", percentile(on, 0.5),
                percentile(on, 0.95), percentile(on, 1));
    std::printf("%-16s %8.3f %8.3f %8s   (target: p95 at most 1 ms added)\n", "added",
                percentile(on, 0.5) - percentile(off, 0.5),
                percentile(on, 0.95) - percentile(off, 0.95), "");

    // 1,000 sessions of a 30-step route.
    const QString bigRoute = QDir(dir.path()).filePath(QStringLiteral("big/ADO_LANE.mdb"));
    QDir().mkpath(QFileInfo(bigRoute).path());
    QStringList bigPhotos;
    for (int i = 1; i <= steps; ++i)
        bigPhotos << QStringLiteral("/home/user/photos/step%1.jpg").arg(i);
    bench::writeRoute(bigRoute, bigPhotos, steps, true);
    {
        store::RecordsDb db;
        db.open(store::recordsPathFor(bigRoute), true, 1000);
        db.insertSessions(sessions(1000, steps));
    }
    std::printf("\n1,000 sessions of a 30-step route (records file %.1f MB)\n\n",
                QFileInfo(store::recordsPathFor(bigRoute)).size() / 1e6);
    std::printf("%-34s %10s %12s\n", "", "ms", "peak MiB");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--view"), bigRoute});
    child.waitForFinished(120000);
    const QStringList figures =
        QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (figures.size() == 3)
        std::printf("%-34s %10.1f %12.1f   (target: < 500 ms, < 150 MB)\n",
                    "teacher's view opens (own process)", figures[0].toDouble(),
                    figures[1].toDouble() / 1024);
    {
        QElapsedTimer t;
        t.start();
        const records::RecordsReport report = records::loadReport(bigRoute);
        std::printf("%-34s %10.1f\n", "read and count the records", t.nsecsElapsed() / 1e6);
    }
    const auto timeExport = [&](const char* name, const auto& write) {
        QElapsedTimer t;
        t.start();
        const records::RecordsReport report = records::loadReport(bigRoute);
        QString error;
        try {
            write(report);
        } catch (const platform::Failure& e) {
            error = e.text();
        }
        std::printf("%-34s %10.1f %12s   %s\n", name, t.nsecsElapsed() / 1e6, "",
                    error.isEmpty() ? "(target: < 2 s)" : qPrintable(error));
    };
    const QString out = dir.path();
    timeExport("read + CSV export", [&](const records::RecordsReport& r) {
        records::writeCsv(out + QStringLiteral("/r.csv"), r.sessions);
    });
    timeExport("read + OBL export", [&](const records::RecordsReport& r) {
        records::writeObl(out + QStringLiteral("/r.obl"), r.sessions, bigRoute);
    });
    timeExport("read + PDF printout", [&](const records::RecordsReport& r) {
        records::writeRecordsPdf(out + QStringLiteral("/r.pdf"), r);
    });
    std::printf("%-34s %10.1f MB (CSV), %.1f MB (OBL)\n", "file sizes",
                QFileInfo(out + QStringLiteral("/r.csv")).size() / 1e6,
                QFileInfo(out + QStringLiteral("/r.obl")).size() / 1e6);
    return 0;
}
