// The sound player over the real media backend: the shipped sounds play, bad files stay silent.
#include "platform/sound.h"

#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void shippedSoundsPlayToTheEnd_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("right-answer chime") << QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3");
        QTest::newRow("wrong-answer tone") << QStringLiteral(MICHITAN_ASSETS_DIR "/NG.mp3");
    }

    void shippedSoundsPlayToTheEnd()
    {
        QFETCH(QString, file);
        platform::MMControl player;
        player.FileName = file;
        player.Command(QStringLiteral("Close"));
        player.Command(QStringLiteral("Open"));
        player.Command(QStringLiteral("Play"));
        QVERIFY(player.player());
        // Playback runs in the background, with or without an audio device.
        QTRY_VERIFY_WITH_TIMEOUT(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, 20000);
        QVERIFY(player.player()->duration() > 0);
        QVERIFY(player.player()->duration() < 1000); // each sound is under a second
    }

    void badFilesGiveSilence_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("not a sound") << QByteArray("plain text, no frames at all") << true;
        QByteArray cut;
        QFile ok(QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3"));
        if (ok.open(QIODevice::ReadOnly))
            cut = ok.read(200);
        QTest::newRow("mp3 cut after its first bytes") << cut << true;
    }

    void badFilesGiveSilence()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("NG.mp3"));
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        platform::MMControl player;
        QSignalSpy commands(&player, &platform::MMControl::commandGiven);
        player.FileName = path;
        player.Command(QStringLiteral("Close"));
        player.Command(QStringLiteral("Open"));
        player.Command(QStringLiteral("Play"));
        QCOMPARE(commands.size(), 3);
        if (!player.player())
            return; // nothing was opened: silence
        QTRY_VERIFY_WITH_TIMEOUT(player.player()->mediaStatus() == QMediaPlayer::InvalidMedia ||
                                     player.player()->mediaStatus() == QMediaPlayer::EndOfMedia ||
                                     player.player()->error() != QMediaPlayer::NoError,
                                 20000);
        // A second round of commands after the failure is still harmless.
        player.Command(QStringLiteral("Close"));
        player.FileName = QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3");
        player.Command(QStringLiteral("Open"));
        player.Command(QStringLiteral("Play"));
        QTRY_VERIFY_WITH_TIMEOUT(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, 20000);
    }

    void closeStopsAnEarlierSound()
    {
        platform::MMControl player;
        player.FileName = QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3");
        player.Command(QStringLiteral("Open"));
        player.Command(QStringLiteral("Play"));
        player.Command(QStringLiteral("Close"));
        QCOMPARE(player.player()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(player.player()->source().isEmpty());
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
