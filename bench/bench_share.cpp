// Times writing a 50-step route of phone photos to a board archive and reading it back into a
// fresh route, with the peak memory of each and the archive's size. Prints a table; run with
// QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "support/bench_media.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kSteps = 50;
constexpr int kDistinctPhotos = 5;

// Starts counting the peak resident memory afresh (Linux).
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("photos"));

    // A few detailed photos, copied so that every step has a file of its own.
    QStringList photos;
    for (int i = 0; i < kSteps; ++i) {
        const QString path = root.filePath(QStringLiteral("photos/IMG_%1.jpg").arg(1000 + i));
        if (i < kDistinctPhotos)
            bench::writePhoto(path, QSize(4032, 3024), quint32(7 + i), 200, 92);
        else
            QFile::copy(photos[i % kDistinctPhotos], path);
        photos << path;
    }
    const qint64 photoBytes = QFileInfo(photos[0]).size();
    m_lane::InitSettings(dir.path());
    bench::writeRoute(m_lane::DB_PATH, photos, int(photos.size()), true);

    const QString archive = root.filePath(QStringLiteral("route.obz"));
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    std::clock_t cpu = std::clock();
    share::exportRoute(m_lane::DB_PATH, archive);
    const double exportSeconds = clock.nsecsElapsed() / 1e9;
    const double exportCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    const double exportPeak = bench::statusKib("VmHWM:") / 1024.0;
    const double archiveMib = QFileInfo(archive).size() / (1024.0 * 1024.0);

    root.mkpath(QStringLiteral("other"));
    const QString otherRoute = root.filePath(QStringLiteral("other/ADO_LANE.mdb"));
    resetPeak();
    clock.restart();
    cpu = std::clock();
    const share::ImportPlan plan = share::readArchive(archive);
    share::importRoute(plan, otherRoute, root.filePath(QStringLiteral("other/route")));
    const double importSeconds = clock.nsecsElapsed() / 1e9;
    const double importCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    const double importPeak = bench::statusKib("VmHWM:") / 1024.0;

    std::printf("Route archive: %d steps of 4032 x 3024 phone-like JPEGs (%.1f MB each)\n", kSteps,
                photoBytes / (1024.0 * 1024.0));
    std::printf("(peak memory: the process's peak resident size, program and Qt included)\n");
    std::printf("%-8s %10s %10s %14s %12s   %s\n", "", "seconds", "cpu s", "peak memory", "file",
                "target");
    std::printf("%-8s %10.2f %10.2f %10.1f MiB %8.1f MiB   <= 20 s, < 30 MB, < 300 MB\n", "export",
                exportSeconds, exportCpu, exportPeak, archiveMib);
    std::printf("%-8s %10.2f %10.2f %10.1f MiB %12s   <= 10 s, < 300 MB\n", "import", importSeconds,
                importCpu, importPeak, "");
    return 0;
}
