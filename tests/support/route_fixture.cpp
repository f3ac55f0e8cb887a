#include "support/route_fixture.h"

#include "app/m_lane.h"
#include "support/texts.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

QDebug operator<<(QDebug debug, const RouteRow& row)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "(" << row.order << ", " << row.photo << ", " << row.direction << ")";
    return debug;
}

char* toString(const RouteRow& row)
{
    return QTest::toString(row.order + QStringLiteral(" | ") + row.photo + QStringLiteral(" | ") +
                           row.direction);
}

namespace {

template <typename F> void withDatabase(const QString& path, F&& f)
{
    const QString name = QStringLiteral("fixture-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("fixture: cannot open %s", qPrintable(path));
        // The fixture only sets a test up: waiting for the disk at each of its changes would
        // make up most of a test's time and check nothing.
        QSqlQuery(QStringLiteral("PRAGMA synchronous = OFF"), db);
        f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        qFatal("fixture: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

} // namespace

RouteFixture::RouteFixture()
{
    m_lane::InitSettings(m_dir.path());
}

QString RouteFixture::dbPath() const
{
    return m_lane::DB_PATH;
}

void RouteFixture::create(const QList<RouteRow>& rows)
{
    QFile::remove(dbPath());
    withDatabase(dbPath(), [&](QSqlDatabase& db) {
        run(db, QStringLiteral("CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT)"));
        run(db, QStringLiteral("BEGIN"));
        for (const RouteRow& r : rows) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO プログラム VALUES (?, ?, ?)"));
            q.addBindValue(r.order);
            q.addBindValue(r.photo);
            q.addBindValue(r.direction);
            if (!q.exec())
                qFatal("fixture insert: %s", qPrintable(q.lastError().text()));
        }
        run(db, QStringLiteral("COMMIT"));
    });
}

void RouteFixture::createSteps(int n)
{
    QList<RouteRow> rows;
    for (int i = 1; i <= n; ++i)
        rows << RouteRow{stepKey(i), QDir(dir()).filePath(QStringLiteral("p%1.png").arg(i)), kUp};
    create(rows);
}

QList<RouteRow> RouteFixture::rows() const
{
    QList<RouteRow> result;
    withDatabase(dbPath(), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT 順序, 写真, 方向 FROM プログラム ORDER BY 順序, rowid")))
            qFatal("fixture read: %s", qPrintable(q.lastError().text()));
        while (q.next())
            result << RouteRow{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
    });
    return result;
}

void RouteFixture::exec(const QString& sql) const
{
    withDatabase(dbPath(), [&](QSqlDatabase& db) { run(db, sql); });
}

QString RouteFixture::makeImage(const QString& name, QSize size, const char* format) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    const QString path = QDir(dir()).filePath(name);
    if (!image.save(path, format))
        qFatal("fixture: cannot write %s", qPrintable(path));
    return path;
}
