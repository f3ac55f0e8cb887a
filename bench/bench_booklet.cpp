// The PDF booklet of a 50-step route of 4032 x 3024 phone photos: time, peak memory and file
// size, beside the same booklet with every photo placed at full resolution. Each booklet is made
// in a process of its own so that one's memory does not hide the other's. Prints a table; run
// with QT_QPA_PLATFORM=offscreen.
#include "platform/failure.h"
#include "print/booklet_pdf.h"
#include "store/route.h"
#include "support/bench_media.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSteps = 50;
constexpr int kPhotos = 5;

// In the child: makes one booklet and prints "seconds peak-MB".
int child(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString route = QString::fromLocal8Bit(argv[3]);
    const QString out = QString::fromLocal8Bit(argv[4]);
    booklet::Options options;
    options.fullSize = qstrcmp(argv[2], "full") == 0;
    QElapsedTimer timer;
    timer.start();
    const QList<store::Step> steps = store::Route(route).steps();
    try {
        booklet::WriteBookletPdf(out, steps, options, booklet::DefaultPageLayout());
    } catch (const platform::Failure& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("%.2f %.1f\n", seconds, bench::statusKib("VmHWM:") / 1024.0);
    return 0;
}

struct Run
{
    double seconds = -1;
    double peak = -1;
    double fileMb = -1;
};

Run runChild(const QString& self, const char* mode, const QString& route, const QString& out)
{
    QProcess process;
    process.start(self, {QStringLiteral("--child"), QString::fromLatin1(mode), route, out});
    process.waitForFinished(-1);
    Run run;
    const QList<QByteArray> figures = process.readAllStandardOutput().trimmed().split(' ');
    if (process.exitCode() == 0 && figures.size() == 2) {
        run.seconds = figures[0].toDouble();
        run.peak = figures[1].toDouble();
        run.fileMb = QFileInfo(out).size() / (1024.0 * 1024.0);
    }
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList photos;
    for (int i = 0; i < kPhotos; ++i) {
        photos << dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
        bench::writePhoto(photos.last(), QSize(4032, 3024), 1000 + i, 300);
    }
    const QString route = dir.filePath(QStringLiteral("ADO_LANE.mdb"));
    bench::writeRoute(route, photos, kSteps, true);
    const QString self = QCoreApplication::applicationFilePath();
    const Run reduced =
        runChild(self, "reduced", route, dir.filePath(QStringLiteral("reduced.pdf")));
    const Run full = runChild(self, "full", route, dir.filePath(QStringLiteral("full.pdf")));

    std::printf("%d steps, photos 4032 x 3024 JPEG (%.1f MB each), 2 steps a page, A4\n", kSteps,
                QFileInfo(photos.first()).size() / (1024.0 * 1024.0));
    std::printf("%-28s %10s %14s %12s\n", "booklet", "time (s)", "peak mem (MB)", "file (MB)");
    std::printf("%-28s %10.2f %14.1f %12.1f\n", "photos at 200 dpi (program)", reduced.seconds,
                reduced.peak, reduced.fileMb);
    std::printf("%-28s %10.2f %14.1f %12.1f\n", "photos at full resolution", full.seconds,
                full.peak, full.fileMb);
    if (reduced.fileMb > 0)
        std::printf("full-resolution file / program's file: %.1f x\n",
                    full.fileMb / reduced.fileMb);
    std::printf("targets: <= 20 s, < 300 MB, < 25 MB, >= 3 x smaller\n");
    return reduced.seconds < 0 || full.seconds < 0 ? 1 : 0;
}
