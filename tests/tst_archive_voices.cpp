// A route's voices travel with it: into the board archive as each step board's sound, back out
// of it on another account, and found again by relinking once their files have moved.
#include "app/m_lane.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "share/relink.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"
#include "support/route_fixture.h"
#include "support/texts.h"
#include "support/voice_media.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

QHash<QString, QString> voicesOf(const QString& routePath)
{
    store::Connection cn;
    cn.Open(m_lane::ConnectString(routePath), m_lane::ROUTE_TABLE);
    QHash<QString, QString> voices = store::readVoices(cn);
    for (QString& file : voices)
        file = store::voicePath(routePath, file);
    return voices;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject entryJson(const QString& archive, const QString& name)
{
    QuaZip zip(archive);
    zip.open(QuaZip::mdUnzip);
    zip.setCurrentFile(name);
    QuaZipFile file(&zip);
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestArchiveVoices : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    QList<RouteRow> rows;
    QStringList voices; // step 1, step 3, goal

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        rows.clear();
        for (int i = 1; i <= 3; ++i)
            rows << RouteRow{stepKey(i),
                             fx->makeImage(QStringLiteral("s%1.jpg").arg(i), QSize(64, 48), "JPEG"),
                             kArrows[i % 3]};
        fx->create(rows);
        voices = {writeToneWav(fx->dir() + QStringLiteral("/one.wav"), 300),
                  writeToneWav(fx->dir() + QStringLiteral("/three.wav"), 400),
                  writeToneWav(fx->dir() + QStringLiteral("/goal.wav"), 500)};
        giveVoice(rows[0].photo, voices[0]);
        giveVoice(rows[2].photo, voices[1]);
        giveVoice(store::goalVoiceKey(), voices[2]);
    }

    void voicesRoundTripThroughTheArchive()
    {
        const QString archive = fx->dir() + QStringLiteral("/route.obz");
        share::exportRoute(m_lane::DB_PATH, archive);

        // The step board names its sound; its photo button says it.
        const QJsonObject board = entryJson(archive, QStringLiteral("boards/001.obf"));
        const QJsonObject sound = board.value(QStringLiteral("sounds")).toArray()[0].toObject();
        QCOMPARE(board.value(QStringLiteral("buttons")).toArray()[0].toObject().value("sound_id"),
                 sound.value(QStringLiteral("id")));
        QCOMPARE(sound.value(QStringLiteral("content_type")).toString(),
                 QStringLiteral("audio/wav"));
        QVERIFY(entryJson(archive, QStringLiteral("boards/002.obf"))
                    .value(QStringLiteral("sounds"))
                    .toArray()
                    .isEmpty());

        // Another account: a fresh route file elsewhere.
        QTemporaryDir other;
        const QString otherRoute = other.filePath(QStringLiteral("ADO_LANE.mdb"));
        const share::ImportPlan plan = share::readArchive(archive);
        share::importRoute(plan, otherRoute, other.filePath(QStringLiteral("photos")));
        const QHash<QString, QString> imported = voicesOf(otherRoute);
        QCOMPARE(imported.size(), 3);
        const QString firstPhoto = other.filePath(QStringLiteral("photos/s1.jpg"));
        const QString thirdPhoto = other.filePath(QStringLiteral("photos/s3.jpg"));
        QCOMPARE(bytesOf(imported.value(firstPhoto)), bytesOf(voices[0]));
        QCOMPARE(bytesOf(imported.value(thirdPhoto)), bytesOf(voices[1]));
        QCOMPARE(bytesOf(imported.value(store::goalVoiceKey())), bytesOf(voices[2]));
        QCOMPARE(QFileInfo(imported.value(firstPhoto)).absolutePath(),
                 store::voiceFolder(otherRoute));
    }

    void relinkFindsMovedVoiceFiles()
    {
        QDir().mkpath(fx->dir() + QStringLiteral("/moved"));
        const QString moved = fx->dir() + QStringLiteral("/moved/three.wav");
        QVERIFY(QFile::rename(voices[1], moved));
        QCOMPARE(share::missingVoiceFiles(m_lane::DB_PATH), QStringList{voices[1]});
        const share::RelinkResult result =
            share::relinkPhotos(m_lane::DB_PATH, fx->dir() + QStringLiteral("/moved"));
        QCOMPARE(result.voicesMended, 1);
        QVERIFY(result.voicesStillMissing.isEmpty());
        QCOMPARE(voicesOf(m_lane::DB_PATH).value(rows[2].photo), moved);
        QVERIFY(share::missingVoiceFiles(m_lane::DB_PATH).isEmpty());
    }
};

QTEST_MAIN(TestArchiveVoices)
#include "tst_archive_voices.moc"
