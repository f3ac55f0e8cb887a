// The editor's "声" menu: which voice files are kept for the chosen step, what is refused and
// said, and how the list marks the steps that have a voice.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "edit/voice_menu.h"
#include "store/adodc.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/voice_media.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QHash<QString, QString> storedVoices()
{
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    return store::readVoices(cn);
}

QStringList voiceFiles()
{
    return QDir(store::voiceFolder(m_lane::DB_PATH)).entryList(QDir::Files);
}

// Makes list row `row` the step in the edit bar (its photo file need not be there).
void select(frm_lane_make& w, ScriptedDialogs& dialogs, int row)
{
    w.grid()->setCurrentIndex(w.Adodc1->index(row, 0));
    int cancel = 0;
    w.DataGrid1_SelChange(cancel);
    dialogs.messages.clear();
}

} // namespace

class TestEditorVoice : public QObject
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
        fx->createSteps(3);
    }

    void chosenFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("kept");
        QTest::newRow("a spoken WAV is kept") << "tone" << true;
        // An MP3 decoder gives its samples in planes, which the level reading must convert.
        QTest::newRow("an MP3, as the recorder writes, is kept") << "mp3" << true;
        QTest::newRow("a silent WAV is refused") << "silence" << false;
        QTest::newRow("a text file is refused") << "text" << false;
        QTest::newRow("a missing file is refused") << "missing" << false;
        QTest::newRow("a folder that can't be made keeps the step as it was") << "blocked" << false;
    }

    void chosenFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, kept);
        QString file = fx->dir() + QStringLiteral("/voice.wav");
        if (kind == QLatin1String("mp3")) {
            file = fx->dir() + QStringLiteral("/voice.mp3");
            QVERIFY(QFile::copy(QStringLiteral(MICHITAN_TEST_DATA_DIR "/voice.mp3"), file));
        } else if (kind == QLatin1String("tone") || kind == QLatin1String("blocked"))
            writeToneWav(file, 800);
        else if (kind == QLatin1String("silence"))
            writeToneWav(file, 800, 0);
        else if (kind == QLatin1String("text")) {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a sound at all");
        }
        if (kind == QLatin1String("blocked")) {
            QFile blocker(store::voiceFolder(m_lane::DB_PATH));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const auto w = openEditor(dialogs);
        select(*w, dialogs, 1);
        dialogs.files = {file};
        w->voiceMenu()->ChooseFile();
        QCOMPARE(dialogs.openRequests.size(), 1);
        const QHash<QString, QString> voices = storedVoices();
        QCOMPARE(voices.contains(photo(2)), kept);
        QCOMPARE(voices.size(), kept ? 1 : 0);
        QCOMPARE(dialogs.messages.size(), kept ? 0 : 1);
        QCOMPARE(w->grid()->voice(1),
                 kept ? edit::StepGrid::Voice::Present : edit::StepGrid::Voice::None);
        if (kept) {
            // A copy of its own, in the folder beside the route file.
            const QString copy = store::voicePath(m_lane::DB_PATH, voices[photo(2)]);
            QCOMPARE(QFileInfo(copy).absolutePath(), store::voiceFolder(m_lane::DB_PATH));
            QVERIFY(QFile::exists(file));
        } else if (kind != QLatin1String("blocked")) {
            QVERIFY(voiceFiles().isEmpty());
        }
    }

    void replacedAndRemovedVoicesLeaveNoFileBehind()
    {
        const QString file = writeToneWav(fx->dir() + QStringLiteral("/voice.wav"), 500);
        const auto w = openEditor(dialogs);
        select(*w, dialogs, 0);
        dialogs.files = {file, file};
        w->voiceMenu()->ChooseFile();
        w->voiceMenu()->ChooseFile();
        QCOMPARE(voiceFiles().size(), 1);
        dialogs.answers = {platform::MsgResult::Ok};
        w->voiceMenu()->Remove();
        QVERIFY(storedVoices().isEmpty());
        QVERIFY(voiceFiles().isEmpty());
        QCOMPARE(w->grid()->voice(0), edit::StepGrid::Voice::None);
    }

    void commandsNeedARegisteredStepOrAMicrophone_data()
    {
        QTest::addColumn<bool>("chooseRow");
        QTest::addColumn<QString>("message");
        QTest::newRow("no step chosen") << false << edit::messages::kChooseVoiceStep;
        QTest::newRow("no microphone at all") << true << edit::messages::kNoMicrophone;
    }

    void commandsNeedARegisteredStepOrAMicrophone()
    {
        QFETCH(bool, chooseRow);
        QFETCH(QString, message);
        const auto w = openEditor(dialogs);
        if (chooseRow)
            select(*w, dialogs, 0);
        w->voiceMenu()->Microphones = [] { return QList<QAudioDevice>(); };
        w->voiceMenu()->Record();
        QCOMPARE(dialogs.messages, QStringList{message});
        QVERIFY(storedVoices().isEmpty());
    }

    void missingVoiceFileIsMarkedInTheList()
    {
        giveVoice(photo(1), writeToneWav(fx->dir() + QStringLiteral("/a.wav"), 300));
        giveVoice(photo(3), fx->dir() + QStringLiteral("/gone.wav"));
        const auto w = openEditor(dialogs);
        QCOMPARE(w->grid()->voice(0), edit::StepGrid::Voice::Present);
        QCOMPARE(w->grid()->voice(1), edit::StepGrid::Voice::None);
        QCOMPARE(w->grid()->voice(2), edit::StepGrid::Voice::Broken);
    }
};

QTEST_MAIN(TestEditorVoice)
#include "tst_editor_voice.moc"
