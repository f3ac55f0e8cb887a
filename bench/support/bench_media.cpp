#include "support/bench_media.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>

namespace bench {

QImage photoImage(QSize size, quint32 seed, int shapes)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(90, 120, 80));
    p.fillRect(image.rect(), sky);
    QRandomGenerator rng(seed);
    for (int i = 0; i < shapes; ++i) {
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
    return image;
}

void writePhoto(const QString& path, QSize size, quint32 seed, int shapes, int quality)
{
    photoImage(size, seed, shapes).save(path, "JPEG", quality);
}

void writeRoute(const QString& path, const QStringList& photos, int steps, bool mixed)
{
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec("CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT)");
        q.exec("BEGIN");
        const char* const arrows[] = {"↑", "→", "←"};
        for (int i = 0; i < steps; ++i) {
            q.prepare("INSERT INTO プログラム VALUES (?, ?, ?)");
            q.addBindValue(QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            q.addBindValue(photos[i % photos.size()]);
            q.addBindValue(QString::fromUtf8(arrows[mixed ? i % 3 : 0]));
            q.exec();
        }
        q.exec("COMMIT");
        db.close();
    }
    QSqlDatabase::removeDatabase("bench");
}

double statusKib(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toDouble();
    return 0;
}

} // namespace bench
