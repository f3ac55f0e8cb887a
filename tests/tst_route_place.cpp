// Where the program finds its files: the route's folder (beside the program, or the user's own),
// the sample route of a first start there, and a program folder whose name is not UTF-8.
#include "app/m_lane.h"
#include "app/route_place.h"
#include "app/sample_route.h"
#include "platform/picture.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "store/connection.h"
#include "support/native_tree.h"

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QScopeGuard>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The route's rows as "number photo direction" lines.
QStringList routeRows(const QString& routeFile)
{
    m_lane::InitSettings(QFileInfo(routeFile).path());
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QStringList rows;
    for (auto rs = cn.Query(QStringLiteral("SELECT * FROM プログラム ORDER BY 順序")); !rs.eof();
         rs.moveNext())
        rows << rs.field(QStringLiteral("順序")) + QLatin1Char(' ') +
                    rs.field(QStringLiteral("写真")) + QLatin1Char(' ') +
                    rs.field(QStringLiteral("方向"));
    return rows;
}

// The names in `folder` as the system has them (Qt's listing can't show a non-UTF-8 name).
QList<QByteArray> nativeEntries(const QByteArray& folder)
{
    QList<QByteArray> names;
    if (DIR* d = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(d)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(d);
    }
    return names;
}

} // namespace

class TestRoutePlace : public QObject
{
    Q_OBJECT

private slots:
    void chooseFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("writable");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("userFolder");

        const QString program = QStringLiteral("/opt/michitan");
        const QString user = QStringLiteral("/home/hana/.local/share/michitan");
        QTest::newRow("writable program folder keeps the route beside the program")
            << program << user << QStringList{program, user} << program << false;
        QTest::newRow("read-only program folder uses the user's own folder")
            << program << user << QStringList{user} << user << true;
        QTest::newRow("read-only program folder and a user without a home")
            << program << QString() << QStringList{} << QString() << false;
        QTest::newRow("read-only program folder and an unwritable user folder")
            << program << user << QStringList{} << QString() << false;
        QTest::newRow("unknown program folder never falls back to another")
            << QString() << user << QStringList{user, QStringLiteral("/")} << QString() << false;
    }

    void chooseFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, user);
        QFETCH(QStringList, writable);
        QFETCH(QString, folder);
        QFETCH(bool, userFolder);
        const QSet<QString> canWrite(writable.cbegin(), writable.cend());
        const app::RoutePlace place = app::chooseRouteFolder(
            program, user, [&](const QString& f) { return canWrite.contains(f); });
        QCOMPARE(place.folder, folder);
        QCOMPARE(place.userFolder, userFolder);
        // No folder always comes with a message for the parent, and a folder never does.
        QCOMPARE(!place.failure, !folder.isEmpty());
        if (!folder.isEmpty())
            return;
        const QString said = place.failure->text();
        QVERIFY(!said.contains(QStringLiteral("ADO_LANE")));
        if (!program.isEmpty())
            QVERIFY2(said.contains(program), qPrintable(said));
    }

    // A first start in the user's folder makes the sample route there, its photos copied beside
    // it; a later start finds the family's route and leaves it exactly as it is.
    void firstStartInTheUsersFolderMakesTheSample()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("program"));
        const QString user = dir.filePath(QStringLiteral("home/.local/share/michitan"));
        QVERIFY(QDir().mkpath(program + QStringLiteral("/photos")));
        QVERIFY(app::copySamplePhotos(QStringLiteral(MICHITAN_ASSETS_DIR "/photos"),
                                      program + QStringLiteral("/photos")));
        const auto userOnly = [&](const QString& f) { return f == user && QDir().mkpath(f); };

        const app::RouteStart first = app::startRoute(program, user, userOnly);
        QVERIFY(!first.failure);
        QCOMPARE(first.notice, QString());
        QCOMPARE(first.routeFile, user + QStringLiteral("/ADO_LANE.mdb"));
        const QStringList rows = routeRows(first.routeFile);
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.first(), QStringLiteral("001 %1/photos/01_home_gate.jpg ↑").arg(user));
        QCOMPARE(rows.at(2), QStringLiteral("003 %1/photos/03_corner_right.jpg →").arg(user));
        for (const QString& name : QDir(program + QStringLiteral("/photos")).entryList(QDir::Files))
            QCOMPARE(readAll(user + QStringLiteral("/photos/") + name),
                     readAll(program + QStringLiteral("/photos/") + name));
        QCOMPARE(QDir(program).entryList(QDir::Files), QStringList{});

        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        cn.Execute(QStringLiteral("DELETE FROM プログラム WHERE 順序 > '001'"));
        cn.Close();
        QVERIFY(QFile::remove(user + QStringLiteral("/photos/02_straight_street.jpg")));
        const QByteArray family = readAll(first.routeFile);

        const app::RouteStart again = app::startRoute(program, user, userOnly);
        QCOMPARE(again.routeFile, first.routeFile);
        QCOMPARE(readAll(again.routeFile), family);
        QVERIFY(!QFile::exists(user + QStringLiteral("/photos/02_straight_street.jpg")));
    }

    // Two first starts at once (the program started twice by a new user) both end with the
    // sample route, made once.
    void twoFirstStartsAtOnce()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program + QStringLiteral("/photos")));
        QVERIFY(app::copySamplePhotos(QStringLiteral(MICHITAN_ASSETS_DIR "/photos"),
                                      program + QStringLiteral("/photos")));
        for (int round = 0; round < 6; ++round) {
            const QString user = dir.filePath(QStringLiteral("user%1").arg(round));
            const auto userOnly = [user](const QString& f) {
                return f == user && QDir().mkpath(f);
            };
            const auto start = [&] { return app::startRoute(program, user, userOnly); };
            QFuture<app::RouteStart> other = QtConcurrent::run(start);
            const app::RouteStart mine = start();
            for (const app::RouteStart& result : {mine, other.result()}) {
                QCOMPARE(result.notice, QString());
                QCOMPARE(result.routeFile, user + QStringLiteral("/ADO_LANE.mdb"));
            }
            QCOMPARE(routeRows(mine.routeFile).size(), 6);
        }
    }

    // A program folder unpacked from a Windows zip keeps its Shift-JIS name: the route beside
    // the program, the sounds and the photos are all found there, and nowhere else.
    void programFolderWithAShiftJisName()
    {
        QTemporaryDir dir;
        QStringEncoder sjis("Shift_JIS");
        const QByteArray name = sjis.encode(QStringLiteral("道順ミチタン"));
        QVERIFY(!sjis.hasError());
        const QByteArray native = QFile::encodeName(dir.path()) + '/' + name;
        QVERIFY(::mkdir(native.constData(), 0755) == 0);
        const auto remove = qScopeGuard([&] { removeNativeTree(native); });
        QVERIFY(QFile::encodeName(QFile::decodeName(native)) != native);

        const platform::ProgramFolder folder(native);
        QVERIFY(!folder.path().isEmpty());
        const QDir program(folder.path());
        QVERIFY(QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3"),
                            program.filePath(QStringLiteral("OK.mp3"))));
        QVERIFY(app::copySamplePhotos(QStringLiteral(MICHITAN_ASSETS_DIR "/photos"),
                                      program.filePath(QStringLiteral("photos"))));
        const app::RouteStart start =
            app::startRoute(folder.path(), dir.filePath(QStringLiteral("user")),
                            [](const QString& f) { return QFileInfo(f).isWritable(); });
        QVERIFY(!start.failure);
        QCOMPARE(QFileInfo(start.routeFile).path(), folder.path());
        QVERIFY(app::writeSampleRoute(start.routeFile, program.filePath(QStringLiteral("photos"))));

        // Everything landed in the real folder, under its real name.
        struct stat info
        {
        };
        QVERIFY(::stat((native + "/ADO_LANE.mdb").constData(), &info) == 0);
        QVERIFY(info.st_size > 0);
        QVERIFY(::stat((native + "/photos/06_school_gate.jpg").constData(), &info) == 0);
        QCOMPARE(nativeEntries(QFile::encodeName(dir.path())), QList<QByteArray>{name});

        const QStringList rows = routeRows(start.routeFile);
        QCOMPARE(rows.size(), 6);
        const QString photo = rows.first().section(QLatin1Char(' '), 1, 1);
        const std::optional<QImage> picture = platform::LoadPicture(photo);
        QVERIFY(picture && !picture->isNull());

        platform::MMControl player;
        player.FileName = folder.path() + QStringLiteral("/OK.mp3");
        player.Command(QStringLiteral("Open"));
        player.Command(QStringLiteral("Play"));
        QVERIFY(player.player());
        QTRY_VERIFY_WITH_TIMEOUT(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, 20000);
    }

    void programFolderThatCannotBeFound_data()
    {
        QTest::addColumn<QByteArray>("native");
        QTest::newRow("no folder name at all") << QByteArray();
        QTest::newRow("Shift-JIS name of a folder that is gone")
            << QByteArray("/nonexistent-\x93\xb9\x8f\x87");
        QTest::newRow("UTF-8 name of a folder that is gone")
            << QByteArray("/nonexistent-\xe9\x81\x93");
    }

    void programFolderThatCannotBeFound()
    {
        QFETCH(QByteArray, native);
        QCOMPARE(platform::ProgramFolder(native).path(), QString());
    }
};

QTEST_MAIN(TestRoutePlace)
#include "tst_route_place.moc"
