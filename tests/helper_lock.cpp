// A second program that holds the route file, for the locking tests.
//
//   helper_lock <route file> exclusive        BEGIN EXCLUSIVE: nobody else may read or write
//   helper_lock <route file> immediate        BEGIN IMMEDIATE and a half-done renumbering:
//                                             others may read, nobody else may write
//   helper_lock <route file> <mode> <ms>      as above, but gives the file back after <ms>
//
// Prints "locked" once it holds the file, "released" when it gives it back, then waits until
// it is killed (or a minute has passed, so that a crashed test leaves nothing behind).
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <cstdio>

namespace {

bool run(QSqlDatabase& db, const char* sql)
{
    QSqlQuery q(db);
    if (q.exec(QString::fromUtf8(sql)))
        return true;
    std::fprintf(stderr, "helper_lock: %s: %s\n", sql, qPrintable(q.lastError().text()));
    return false;
}

void say(const char* word)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 ||
        (args[2] != QLatin1String("exclusive") && args[2] != QLatin1String("immediate"))) {
        std::fprintf(stderr, "usage: helper_lock <route file> exclusive|immediate [ms]\n");
        return 2;
    }
    const bool exclusive = args[2] == QLatin1String("exclusive");
    const int releaseAfter = args.size() > 3 ? args[3].toInt() : -1;

    if (!QFileInfo(args[1]).isFile()) {
        std::fprintf(stderr, "helper_lock: no route file %s\n", qPrintable(args[1]));
        return 1;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(args[1]);
    if (!db.open()) {
        std::fprintf(stderr, "helper_lock: %s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    if (exclusive) {
        if (!run(db, "BEGIN EXCLUSIVE"))
            return 1;
    } else {
        // Renumbering under way: a step gone, another moved; kept in this program's memory.
        if (!run(db, "BEGIN IMMEDIATE") || !run(db, "DELETE FROM プログラム WHERE 順序 = '001'") ||
            !run(db, "UPDATE プログラム SET 順序 = '001' WHERE 順序 = '002'"))
            return 1;
    }
    say("locked");

    if (releaseAfter >= 0)
        QTimer::singleShot(releaseAfter, [&db] {
            if (run(db, "ROLLBACK"))
                say("released");
        });
    QTimer::singleShot(60 * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
