// The settings file beside the routes: a child's settings over the route's, a damaged file kept
// aside with the defaults used, and a file that can't be read never written over.
#include "app/practice_settings.h"
#include "app/settings_file.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TstPracticeSettings : public QObject
{
    Q_OBJECT
private slots:
    void childSettingsLieOverTheRoutes();
    void damagedFileIsKeptAsideAndDefaultsUsed_data();
    void damagedFileIsKeptAsideAndDefaultsUsed();
    void unreadableFileIsNeverWrittenOver();
};

void TstPracticeSettings::childSettingsLieOverTheRoutes()
{
    QTemporaryDir dir;
    const QString route = dir.filePath(QStringLiteral("行き.mdb"));
    app::SettingsData data;
    data.children.append({QStringLiteral("たろう"), {}, {}});
    QVERIFY(app::SaveSettingsFile(dir.path(), data));

    app::PracticeSettings forRoute;
    forRoute.sounds = false;
    forRoute.scanIntervalMs = 3000;
    QVERIFY(app::SavePracticeSettings(route, {}, forRoute));
    // The child's own file holds only what the adult set for the child.
    QVERIFY(app::LoadSettingsFile(dir.path()).data.child(QStringLiteral("たろう")));
    app::SettingsLoad load = app::LoadSettingsFile(dir.path());
    load.data.child(QStringLiteral("たろう"))->practice =
        QJsonObject{{QStringLiteral("lock"), true}, {QStringLiteral("scanIntervalMs"), 99999}};
    QVERIFY(app::SaveSettingsFile(dir.path(), load.data));

    const app::PracticeSettings child = app::LoadPracticeSettings(route, QStringLiteral("たろう"));
    QCOMPARE(child.lock, true);
    QCOMPARE(child.sounds, false);        // from the route
    QCOMPARE(child.scanIntervalMs, 3000); // out of range: the route's stays
    QCOMPARE(app::LoadPracticeSettings(route).lock, false);
    // Another route of the same folder keeps the defaults.
    QCOMPARE(app::LoadPracticeSettings(dir.filePath(QStringLiteral("帰り.mdb"))),
             app::PracticeSettings{});

    std::optional<platform::Failure> failure;
    QVERIFY(!app::SavePracticeSettings(route, QStringLiteral("はなこ"), forRoute, &failure));
    QVERIFY(failure);
    QVERIFY(failure->text().contains(QStringLiteral("はなこ")));
}

void TstPracticeSettings::damagedFileIsKeptAsideAndDefaultsUsed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("cut short") << QByteArray("{\"format\": \"michitan-settings-1\", \"rou");
    QTest::newRow("zeros from a crash") << QByteArray(64, '\0');
    QTest::newRow("another program's json") << QByteArray("{\"volume\": 3}");
    QTest::newRow("a list, not an object") << QByteArray("[1, 2]");
}

void TstPracticeSettings::damagedFileIsKeptAsideAndDefaultsUsed()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = app::SettingsFilePath(dir.path());
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const app::SettingsLoad load = app::LoadSettingsFile(dir.path());
    QVERIFY(!load.notice.isEmpty());
    QVERIFY(load.data.children.isEmpty());
    QVERIFY(load.data.routeInUse.isEmpty());
    QVERIFY(!QFile::exists(path));
    const QStringList aside =
        QDir(dir.path()).entryList({app::SettingsFileName() + QStringLiteral(".*.damaged")});
    QCOMPARE(aside.size(), 1);
    QVERIFY(load.notice.contains(aside.first()));
    QFile kept(dir.filePath(aside.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), content);
    // The next save makes a sound file again.
    QVERIFY(app::SavePracticeSettings(dir.filePath(QStringLiteral("ADO_LANE.mdb")), {}, {}));
    QVERIFY(app::LoadSettingsFile(dir.path()).notice.isEmpty());
}

void TstPracticeSettings::unreadableFileIsNeverWrittenOver()
{
    // A folder in the settings file's place can't be read (as root too): it is reported, left
    // as it is, and nothing is saved over it.
    QTemporaryDir dir;
    const QString path = app::SettingsFilePath(dir.path());
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    const app::SettingsLoad load = app::LoadSettingsFile(dir.path());
    QVERIFY(load.unreadable);
    QVERIFY(!load.notice.isEmpty());
    std::optional<platform::Failure> failure;
    QVERIFY(
        !app::SavePracticeSettings(dir.filePath(QStringLiteral("ADO_LANE.mdb")), {}, {}, &failure));
    QVERIFY(failure);
    QVERIFY(!failure->text().isEmpty());
    QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
}

QTEST_GUILESS_MAIN(TstPracticeSettings)
#include "tst_practice_settings.moc"
