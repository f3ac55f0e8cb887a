// The PDF booklet of a 50-step route of 4032 x 3024 phone photos: time, peak memory and file
// size, beside the same booklet with every photo placed at full resolution. Each booklet is made
// in a process of its own so that one's memory does not hide the other's. Prints a table; run
// with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "print/booklet_pdf.h"
#include "print/route_steps.h"

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

// A picture that compresses like a phone photograph: gradients, shapes and fine noise.
void writePhoto(const QString& path, QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(90, 120, 80));
    p.fillRect(image.rect(), sky);
    QRandomGenerator rng(seed);
    for (int i = 0; i < 300; ++i) {
        p.setBrush(QColor::fromRgb(rng.generate()));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(rng.bounded(size.width()), rng.bounded(size.height())),
                      rng.bounded(size.width() / 10 + 1), rng.bounded(size.height() / 10 + 1));
    }
    p.end();
    for (int y = 0; y < size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(rng.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    image.save(path, "JPEG", 90);
}

void makeRoute(const QString& routePath, const QStringList& photos)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(routePath);
        db.open();
        QSqlQuery q(db);
        q.exec("CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT)");
        q.exec("BEGIN");
        const char* const directions[] = {"↑", "→", "←"};
        for (int i = 0; i < kSteps; ++i) {
            q.prepare("INSERT INTO プログラム VALUES (?, ?, ?)");
            q.addBindValue(QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            q.addBindValue(photos[i % photos.size()]);
            q.addBindValue(QString::fromUtf8(directions[i % 3]));
            q.exec();
        }
        q.exec("COMMIT");
    }
    QSqlDatabase::removeDatabase("bench");
}

// The peak resident memory of this process, in megabytes.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

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
    const QList<booklet::Step> steps =
        booklet::ReadSteps(m_lane::ConnectString(route), QStringLiteral("プログラム"));
    const booklet::PdfResult result =
        booklet::WriteBookletPdf(out, steps, options, booklet::DefaultPageLayout());
    const double seconds = timer.elapsed() / 1000.0;
    if (result.outcome != booklet::Outcome::Done) {
        std::fprintf(stderr, "failed: %s\n", qPrintable(result.error));
        return 1;
    }
    std::printf("%.2f %.1f\n", seconds, peakMegabytes());
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
        writePhoto(photos.last(), QSize(4032, 3024), 1000 + i);
    }
    const QString route = dir.filePath(QStringLiteral("ADO_LANE.mdb"));
    makeRoute(route, photos);
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
