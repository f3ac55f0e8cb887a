// Times writing a 50-step route of phone photos to a board archive and reading it back into a
// fresh route, with the peak memory of each and the archive's size; then the same with a voice
// for every step. Prints a table; run with
// QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "store/connection.h"
#include "store/voices.h"
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

struct Pass
{
    double exportSeconds, exportCpu, exportPeak, archiveMib;
    double importSeconds, importCpu, importPeak;
};

// Exports the route of the shared settings and imports it into a fresh route, timing both.
Pass measure(const QDir& root, const QString& name)
{
    Pass pass{};
    const QString archive = root.filePath(name + QStringLiteral(".obz"));
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    std::clock_t cpu = std::clock();
    share::exportRoute(m_lane::DB_PATH, archive);
    pass.exportSeconds = clock.nsecsElapsed() / 1e9;
    pass.exportCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    pass.exportPeak = bench::statusKib("VmHWM:") / 1024.0;
    pass.archiveMib = QFileInfo(archive).size() / (1024.0 * 1024.0);

    root.mkpath(name);
    const QString otherRoute = root.filePath(name + QStringLiteral("/ADO_LANE.mdb"));
    resetPeak();
    clock.restart();
    cpu = std::clock();
    const share::ImportPlan plan = share::readArchive(archive);
    share::importRoute(plan, otherRoute, root.filePath(name + QStringLiteral("/route")));
    pass.importSeconds = clock.nsecsElapsed() / 1e9;
    pass.importCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    pass.importPeak = bench::statusKib("VmHWM:") / 1024.0;
    return pass;
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

    const Pass plain = measure(root, QStringLiteral("plain"));
    // The same route with a 5-second voice for every step and the goal, as the recorder writes
    // them (MP3), each a file of its own.
    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        store::Transaction change(cn);
        for (int i = 0; i <= kSteps; ++i) {
            const QString voice = root.filePath(QStringLiteral("voices/%1.mp3").arg(i));
            root.mkpath(QStringLiteral("voices"));
            QFile::copy(QStringLiteral(MICHITAN_BENCH_DATA_DIR "/voice_5s.mp3"), voice);
            store::setVoice(cn, m_lane::ROUTE_TABLE, i < kSteps ? photos[i] : store::goalVoiceKey(),
                            voice);
        }
        change.commit();
    }
    const Pass voiced = measure(root, QStringLiteral("voiced"));

    std::printf("Route archive: %d steps of 4032 x 3024 phone-like JPEGs (%.1f MB each); "
                "\"+voices\": a 5 s MP3 voice for every step and the goal\n",
                kSteps, photoBytes / (1024.0 * 1024.0));
    std::printf("(peak memory: the process's peak resident size, program and Qt included)\n");
    std::printf("%-15s %10s %10s %14s %12s   %s\n", "", "seconds", "cpu s", "peak memory", "file",
                "target");
    for (const auto& [name, pass] : {std::pair{"", plain}, std::pair{"+voices", voiced}}) {
        std::printf("%-15s %10.2f %10.2f %10.1f MiB %8.1f MiB   <= 20 s, < 30 MB, < 300 MB\n",
                    qPrintable(QStringLiteral("export") + QString::fromLatin1(name)),
                    pass.exportSeconds, pass.exportCpu, pass.exportPeak, pass.archiveMib);
        std::printf("%-15s %10.2f %10.2f %10.1f MiB %12s   <= 10 s, < 300 MB\n",
                    qPrintable(QStringLiteral("import") + QString::fromLatin1(name)),
                    pass.importSeconds, pass.importCpu, pass.importPeak, "");
    }
    return 0;
}
