// Practice records that meet trouble: a records file that can't be written, a practice program
// killed mid-session, and the records commands run from the command line.
#include "app/m_lane.h"
#include "app/practice_settings.h"
#include "learn/frm_lane_play.h"
#include "learn/messages.h"
#include "platform/vb_timer.h"
#include "records/recorder.h"
#include "records/records_commands.h"
#include "records/records_count.h"
#include "records/records_export.h"
#include "records/records_window.h"
#include "records/walk_form.h"
#include "store/records_db.h"
#include "support/records_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QChart>
#include <QChartView>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <memory>

using records::SessionSummary;
using store::RecordEvent;
using store::RecordSession;

class TestRecordsFiles : public RecordsHarness
{
    Q_OBJECT

private slots:
    void init() { reset(); }

    // The records file can't be written: practice goes on as always, the route file stays as it
    // was, the adult is told once when the window closes, a damaged file is kept aside.
    void unwritableRecordsLeavePracticeAsItIs_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("locked by another program") << "locked";
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("read-only file") << "readonly";
        QTest::newRow("damaged file") << "damaged";
    }

    void unwritableRecordsLeavePracticeAsItIs()
    {
        QFETCH(QString, how);
        makeRoute({kUp, kRight});
        const QString path = store::recordsPathFor(fx->dbPath());
        {
            store::RecordsDb db; // an existing records file with one earlier session
            db.open(path, true, 100);
            db.beginSession(store::kPractice, 1, {}, {});
        }
        QSqlDatabase holder;
        const auto release = qScopeGuard([&] {
            if (holder.isOpen())
                holder.rollback();
            holder.close();
            holder = QSqlDatabase();
            QSqlDatabase::removeDatabase("holder");
        });
        if (how == "locked") {
            holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
            holder.setDatabaseName(path);
            QVERIFY(holder.open());
            QVERIFY(QSqlQuery(holder).exec("BEGIN EXCLUSIVE"));
            QVERIFY(QSqlQuery(holder).exec("INSERT INTO meta VALUES ('x', 'y')"));
        } else if (how == "folder") {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkdir(path));
        } else if (how == "readonly") {
            if (geteuid() == 0)
                QSKIP("the administrator writes read-only files all the same");
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(4096, '\x5a'));
        }
        const QByteArray routeBefore = fileHash(fx->dbPath());
        auto* recorder = makeRecorder();
        {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            w->Timer1_Timer();
            w->Command1_Click(0);
            recorder->flush();
            QVERIFY2(told.isEmpty(), "nothing is shown while the child practises");
            w->Timer1_Timer();
            w->Command1_Click(1);
            w->Command1_Click(2);
            w->Timer1_Timer();
            QCOMPARE(dialogs.messages,
                     (QStringList{learn::messages::kWrong, learn::messages::kGoal}));
        }
        recorder->flush();
        QCOMPARE(fileHash(fx->dbPath()), routeBefore);
        QCOMPARE(told.size(), 1);
        if (how == "damaged") {
            QVERIFY2(told[0].contains("こわれて"), qPrintable(told[0]));
            const QStringList aside =
                QDir(fx->dir()).entryList({QFileInfo(path).fileName() + ".damaged-*"});
            QCOMPARE(aside.size(), 1);
            QCOMPARE(QFileInfo(fx->dir() + '/' + aside[0]).size(), 4096);
            QCOMPARE(readRecords(fx->dbPath()).size(), 1); // the new file has this session
        } else {
            QVERIFY2(told[0].contains("練習はいつもどおり"), qPrintable(told[0]));
        }
        // A second session in the same run does not tell again.
        {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            w->Timer1_Timer();
        }
        recorder->flush();
        QCOMPARE(told.size(), 1);
    }

    // A practice program killed in the middle of a session keeps every press written until then.
    void killedSessionKeepsItsPresses()
    {
        makeRoute({kUp});
        QProcess helper;
        helper.start(QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_records"),
                     {fx->dbPath(), QStringLiteral("12")});
        QVERIFY(helper.waitForStarted(30000));
        QByteArray out;
        while (!out.contains("recorded 12") && helper.waitForReadyRead(30000))
            out += helper.readAllStandardOutput();
        QVERIFY2(out.contains("recorded 12"), helper.readAllStandardError().constData());
        helper.kill();
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

        const QList<RecordSession> sessions = readRecords(fx->dbPath());
        QCOMPARE(sessions.size(), 1);
        QCOMPARE(sessions[0].ended, 0); // never closed
        const SessionSummary sum = records::summarize(sessions[0]);
        QCOMPARE(sum.stepsShown, 12);
        QCOMPARE(sum.firstTryRight, 12);
        QVERIFY(sum.cutOff);
    }

    // From the command line: the files are written; a missing route is refused in Japanese.
    void commandLine_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("csv") << "--records-csv" << QByteArray("\xEF\xBB\xBF\"回\"");
        QTest::newRow("obl") << "--records-obl" << QByteArray("/* NOTICE");
        QTest::newRow("pdf") << "--records-pdf" << QByteArray("%PDF");
    }

    void commandLine()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, starts);
        makeRoute({kUp});
        {
            store::RecordsDb db;
            db.open(store::recordsPathFor(fx->dbPath()), true, 100);
            db.beginSession(store::kPractice, 1000, {}, {{-1, stepKey(1), "/p/1.jpg", kUp}});
        }
        const QString out = fx->dir() + "/out.file";
        QProcess program;
        program.start(MICHITAN_PROGRAM, {option, out, "--route", fx->dbPath()});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(starts.size()) == starts);

        program.start(MICHITAN_PROGRAM, {option, out + "2", "--route", fx->dir() + "/ない.mdb"});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromLocal8Bit(program.readAllStandardError()).contains("見つかりません"));
        QVERIFY(!QFile::exists(out + "2"));
    }
};

QTEST_MAIN(TestRecordsFiles)
#include "tst_records_files.moc"
