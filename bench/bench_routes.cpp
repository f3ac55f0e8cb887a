// Times opening "道順をえらぶ…" on 50 routes of 100 phone-photo steps each: until the list is on
// screen with its names and step counts, and until every first photo has filled in as a small
// picture; with the peak memory. Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "app/route_book.h"
#include "app/route_chooser.h"
#include "support/bench_media.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr int kRoutes = 50;
constexpr int kSteps = 100;
constexpr int kDistinctPhotos = 5;

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// Calls `done` at the first paint of the widget it watches.
class PaintClock : public QObject
{
public:
    explicit PaintClock(std::function<void()> done) : m_done(std::move(done)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            m_done();
            m_done = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_done;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("photos"));
    m_lane::InitSettings(dir.path());

    // Each route starts with a photo file of its own (a few pictures, copied), then takes the
    // shared ones in turn.
    QStringList shared;
    for (int i = 0; i < kDistinctPhotos; ++i) {
        const QString path = root.filePath(QStringLiteral("photos/IMG_%1.jpg").arg(i));
        bench::writePhoto(path, QSize(4032, 3024), quint32(11 + i), 200, 92);
        shared << path;
    }
    for (int r = 0; r < kRoutes; ++r) {
        const QString first = root.filePath(QStringLiteral("photos/first_%1.jpg").arg(r));
        QFile::copy(shared[r % kDistinctPhotos], first);
        const QString name = r == 0 ? app::DefaultRouteFile() : QStringLiteral("道順%1.mdb").arg(r);
        bench::writeRoute(root.filePath(name), QStringList{first} + shared, kSteps, true);
    }
    const QList<app::RouteInfo> routes = app::ListRoutes(dir.path(), {});

    resetPeak();
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpu = std::clock();
    app::RouteChooser chooser(routes, m_lane::DB_PATH);
    // Shown: the list's first paint, names and step counts in it.
    double shownMs = 0;
    double shownCpu = 0;
    PaintClock painted([&] {
        shownMs = clock.nsecsElapsed() / 1e6;
        shownCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC * 1000;
    });
    chooser.list()->viewport()->installEventFilter(&painted);
    chooser.show();
    QEventLoop wait;
    QObject::connect(&chooser, &app::RouteChooser::picturesDone, &wait, &QEventLoop::quit);
    if (chooser.picturesPending() > 0)
        wait.exec();
    QApplication::processEvents();
    const double filledMs = clock.nsecsElapsed() / 1e6;
    const double filledCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC * 1000;
    const double peak = bench::statusKib("VmHWM:") / 1024.0;

    std::printf("Route chooser: %d routes of %d steps, first photos 4032 x 3024 JPEG (%d listed)\n",
                kRoutes, kSteps, chooser.list()->count());
    std::printf("(cpu: all threads; peak memory: the process's peak resident size, Qt included)\n");
    std::printf("%-22s %10s %10s %14s   %s\n", "", "ms", "cpu ms", "peak memory", "target");
    std::printf("%-22s %10.0f %10.0f %14s   < 300 ms\n", "list shown", shownMs, shownCpu, "");
    std::printf("%-22s %10.0f %10.0f %10.1f MiB   pictures may fill in after\n",
                "pictures filled in", filledMs, filledCpu, peak);
    return 0;
}
