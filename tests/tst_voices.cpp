// A step's voice stays with its photo through the editor's changes, and goes with its step.
#include "app/m_lane.h"
#include "platform/failure.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"
#include "support/voice_media.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

QHash<QString, QString> storedVoices()
{
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    return store::readVoices(cn);
}

// Gives `photo` a voice file of its own in the route's voice folder and returns its path.
QString giveNewVoice(const QString& photo)
{
    const QString file = store::newVoiceFile(m_lane::DB_PATH, QStringLiteral("mp3"));
    giveVoice(photo, file);
    return file;
}

} // namespace

class TestVoices : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    QString photo(int n) const { return fx->dir() + QStringLiteral("/p%1.png").arg(n); }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    // Steps 1-5; the photos of steps 2 and 4 have voices. Each change is made in the editor.
    void voicesFollowTheirPhotos_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("order"); // the number in Text2 (delete) or to follow (register)
        QTest::addColumn<int>("photoNo");   // the photo registered (0: a new one)
        QTest::addColumn<QList<int>>("voiced");
        QTest::newRow("a new step before step 2 renumbers the rest")
            << "register"
            << "001" << 0 << QList<int>{2, 4};
        QTest::newRow("step 2's direction overwritten") << "register"
                                                        << "003" << 2 << QList<int>{2, 4};
        QTest::newRow("step 2 deleted: its voice and file go") << "delete"
                                                               << "002" << 2 << QList<int>{4};
        QTest::newRow("step 3 deleted: the others keep theirs") << "delete"
                                                                << "003" << 3 << QList<int>{2, 4};
    }

    void voicesFollowTheirPhotos()
    {
        QFETCH(QString, change);
        QFETCH(QString, order);
        QFETCH(int, photoNo);
        QFETCH(QList<int>, voiced);
        fx->createSteps(5);
        const QHash<int, QString> files{{2, giveNewVoice(photo(2))}, {4, giveNewVoice(photo(4))}};
        const auto w = openEditor(dialogs);
        w->text2()->setText(order);
        if (change == QLatin1String("delete")) {
            dialogs.answers = {platform::MsgResult::Ok};
            w->Command2_Click();
        } else {
            w->text1()->setText(photoNo ? photo(photoNo) : fx->dir() + QStringLiteral("/new.png"));
            w->option1(2)->setChecked(true);
            dialogs.answers = {platform::MsgResult::Ok};
            w->Command1_Click();
        }
        const QHash<QString, QString> voices = storedVoices();
        QCOMPARE(voices.size(), voiced.size());
        for (int n : {2, 4}) {
            QCOMPARE(voices.contains(photo(n)), voiced.contains(n));
            QCOMPARE(QFile::exists(files[n]), voiced.contains(n));
            if (voiced.contains(n))
                QCOMPARE(store::voicePath(m_lane::DB_PATH, voices[photo(n)]), files[n]);
        }
    }

    void photoPathChangedInPlaceKeepsItsVoice()
    {
        // Relinking rewrites a step's photo path where it stands.
        fx->createSteps(3);
        const QString file = giveNewVoice(photo(2));
        fx->exec(QStringLiteral("UPDATE プログラム SET 写真 = '/moved/p2.png' WHERE 順序 = '002'"));
        const QHash<QString, QString> voices = storedVoices();
        QCOMPARE(voices.keys(), QStringList{QStringLiteral("/moved/p2.png")});
        QCOMPARE(store::voicePath(m_lane::DB_PATH, voices.value(QStringLiteral("/moved/p2.png"))),
                 file);
    }

    void voiceFolderThatCannotBeMadeSaysSo()
    {
        fx->createSteps(1);
        // A file stands where the folder should be.
        QFile blocker(store::voiceFolder(m_lane::DB_PATH));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        try {
            store::newVoiceFile(m_lane::DB_PATH, QStringLiteral("mp3"));
            QFAIL("a voice file was made where no folder can be");
        } catch (const platform::Failure& e) {
            QCOMPARE(e.kind(), platform::Failure::Kind::ReadOnlyFolder);
        }
    }
};

QTEST_MAIN(TestVoices)
#include "tst_voices.moc"
