// "写真の場所を直す…": steps whose photos moved are pointed at them again, in one change.
#include "app/m_lane.h"
#include "share/messages.h"
#include "share/share_commands.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestRelink : public QObject
{
    Q_OBJECT

private slots:
    void missingPhotosAreFoundAgain_data()
    {
        // Paths are relative to a fresh folder. `route` are the steps' photos (none of them
        // exists but "here/"), `files` the files that do exist, `search` the folder the user
        // picks, and `expected` the route's photos afterwards.
        QTest::addColumn<QStringList>("route");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("mended");

        QTest::newRow("photos moved to another folder")
            << QStringList{"old/walk/a.png", "here/b.png", "old/walk/c.png"}
            << QStringList{"new/walk/a.png", "here/b.png", "new/walk/c.png"} << "new"
            << QStringList{"new/walk/a.png", "here/b.png", "new/walk/c.png"} << 2;
        QTest::newRow("folder renamed, found below the chosen folder")
            << QStringList{"kids/walk/a.png", "here/b.png"}
            << QStringList{"kids/walk 2024/sub/a.png", "here/b.png"} << "kids"
            << QStringList{"kids/walk 2024/sub/a.png", "here/b.png"} << 1;
        QTest::newRow("name found twice: the copy in the folder of the same name")
            << QStringList{"old/school/a.png", "here/b.png"}
            << QStringList{"new/home/a.png", "new/school/a.png", "here/b.png"} << "new"
            << QStringList{"new/school/a.png", "here/b.png"} << 1;
        QTest::newRow("name found twice, neither folder closer: left alone")
            << QStringList{"old/walk/a.png", "here/b.png"}
            << QStringList{"new/x/walk/a.png", "new/y/walk/a.png", "here/b.png"} << "new"
            << QStringList{"old/walk/a.png", "here/b.png"} << 0;
        QTest::newRow("name not found: left alone")
            << QStringList{"old/a.png", "old/c.png"} << QStringList{"new/c.png"} << "new"
            << QStringList{"old/a.png", "new/c.png"} << 1;
        QTest::newRow("found file is already another step's photo: left alone")
            << QStringList{"old/b.png", "here/b.png"} << QStringList{"here/b.png"} << "here"
            << QStringList{"old/b.png", "here/b.png"} << 0;
        QTest::newRow("stored paths with a leading and a trailing blank")
            << QStringList{" old/a.png", "old/c.png "} << QStringList{"new/a.png", "new/c.png"}
            << "new" << QStringList{"new/a.png", "new/c.png"} << 2;
        QTest::newRow("text file named like the photo: left alone")
            << QStringList{"old/a.png"} << QStringList{"text:new/a.png"} << "new"
            << QStringList{"old/a.png"} << 0;
        QTest::newRow("only candidate in another case")
            << QStringList{"old/img_0002.png"} << QStringList{"new/IMG_0002.PNG"} << "new"
            << QStringList{"new/IMG_0002.PNG"} << 1;
        QTest::newRow("the very name wins over another case")
            << QStringList{"old/a.png"} << QStringList{"new/x/A.png", "new/y/a.png"} << "new"
            << QStringList{"new/y/a.png"} << 1;
    }

    void missingPhotosAreFoundAgain()
    {
        QFETCH(QStringList, route);
        QFETCH(QStringList, files);
        QFETCH(QString, search);
        QFETCH(QStringList, expected);
        QFETCH(int, mended);

        RouteFixture fx;
        const QDir root(fx.dir());
        for (QString file : files) {
            const bool text = file.startsWith(QStringLiteral("text:"));
            file.remove(QStringLiteral("text:"));
            QVERIFY(root.mkpath(QFileInfo(file).path()));
            if (text) {
                QFile note(root.filePath(file));
                QVERIFY(note.open(QIODevice::WriteOnly));
                note.write("a shopping list");
            } else {
                fx.makeImage(file, {8, 8});
            }
        }
        QList<RouteRow> rows;
        for (int i = 0; i < route.size(); ++i) {
            // A blank typed before a path stays before the whole path.
            const QString photo = route[i].startsWith(u' ')
                                      ? QLatin1Char(' ') + root.filePath(route[i].trimmed())
                                      : root.filePath(route[i]);
            rows << RouteRow{QStringLiteral("00%1").arg(i + 1), photo, QStringLiteral("↑")};
        }
        fx.create(rows);

        ScriptedDialogs dialogs;
        dialogs.folders = {root.filePath(search)};
        int changed = 0;
        share::relinkPhotosCommand(dialogs, nullptr, [&] { ++changed; });

        QStringList after;
        for (const RouteRow& row : fx.rows())
            after << root.relativeFilePath(row.photo);
        QCOMPARE(after, expected);
        QCOMPARE(changed, mended > 0 ? 1 : 0);
        QCOMPARE(dialogs.messages.size(), 1);
        const QString& message = dialogs.messages[0];
        QVERIFY2(message.startsWith(share::messages::photosMended(mended)), qPrintable(message));
        // Every photo still missing is named.
        for (const QString& photo : expected)
            QCOMPARE(message.contains(QDir::toNativeSeparators(root.filePath(photo))),
                     !QFileInfo::exists(root.filePath(photo)));
    }
};

QTEST_MAIN(TestRelink)
#include "tst_relink.moc"
