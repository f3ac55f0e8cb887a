// Times writing a 50-step route of phone photos to a board archive and reading it back into a
// fresh route, with the peak memory of each and the archive's size. Prints a table; run with
// QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "share/obz_export.h"
#include "share/obz_import.h"

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

// A picture that compresses like a photograph: gradients, shapes and fine noise.
void writePhoto(const QString& path, QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(90, 120, 80));
    p.fillRect(image.rect(), sky);
    QRandomGenerator rng(seed);
    for (int i = 0; i < 200; ++i) {
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
    image.save(path, "JPEG", 92);
}

void makeRoute(const QString& dbPath, const QStringList& photos)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(dbPath);
        db.open();
        QSqlQuery q(db);
        q.exec("CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT)");
        q.exec("BEGIN");
        const char* arrows[] = {"↑", "→", "←"};
        for (int i = 0; i < photos.size(); ++i) {
            q.prepare("INSERT INTO プログラム VALUES (?, ?, ?)");
            q.addBindValue(QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            q.addBindValue(photos[i]);
            q.addBindValue(QString::fromUtf8(arrows[i % 3]));
            q.exec();
        }
        q.exec("COMMIT");
    }
    QSqlDatabase::removeDatabase("bench");
}

double mibFromStatus(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

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
            writePhoto(path, QSize(4032, 3024), quint32(7 + i));
        else
            QFile::copy(photos[i % kDistinctPhotos], path);
        photos << path;
    }
    const qint64 photoBytes = QFileInfo(photos[0]).size();
    m_lane::InitSettings(dir.path());
    makeRoute(m_lane::DB_PATH, photos);

    const QString archive = root.filePath(QStringLiteral("route.obz"));
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    std::clock_t cpu = std::clock();
    share::exportRoute(m_lane::DB_PATH, archive);
    const double exportSeconds = clock.nsecsElapsed() / 1e9;
    const double exportCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    const double exportPeak = mibFromStatus("VmHWM:");
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
    const double importPeak = mibFromStatus("VmHWM:");

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
