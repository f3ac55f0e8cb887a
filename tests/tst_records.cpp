// Practice records: the counting rules as a table, a session driven through the practice window
// recorded press for press, and a records file that can't be written.
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "platform/vb_timer.h"
#include "records/recorder.h"
#include "records/records_count.h"
#include "store/records_db.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using records::SessionSummary;
using store::RecordEvent;
using store::RecordSession;

namespace {

// A practice session written as words: "S1" step 1 shown, "M2" step 2's photo missing, "P1+"
// a right and "P1-" a wrong press on step 1 ("P1+w": during the second after a right answer),
// "B2" もどる from step 2, "G4" the goal after step 3. Steps 1..`steps` are in the route.
RecordSession session(const QString& script, int steps = 3)
{
    RecordSession s;
    s.started = 1000;
    s.ended = 100000;
    for (int i = 1; i <= steps; ++i)
        s.steps.append({i, QStringLiteral("/p/%1.jpg").arg(i), kUp});
    qint64 at = 1000;
    for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        RecordEvent e;
        e.at = at += 500;
        const QChar kind = word[0];
        e.step = word.mid(1).remove(QRegularExpression(QStringLiteral("[^0-9]"))).toInt();
        e.kind = kind == 'S'   ? store::event::kShow
                 : kind == 'M' ? store::event::kMissing
                 : kind == 'P' ? store::event::kPress
                 : kind == 'B' ? store::event::kBack
                               : store::event::kGoal;
        e.photo = QStringLiteral("/p/%1.jpg").arg(e.step);
        e.right = word.contains(QLatin1Char('+'));
        e.waiting = word.endsWith(QLatin1Char('w'));
        s.events.append(e);
    }
    return s;
}

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QList<RecordSession> readRecords(const QString& routeFile)
{
    store::RecordsDb db;
    db.open(store::recordsPathFor(routeFile), false, 1000);
    return db.readAll();
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;
    QStringList told;

    std::unique_ptr<frm_lane_play> open()
    {
        auto w = std::make_unique<frm_lane_play>(
            dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)), fx->dir());
        w->Timer1->setEnabled(false);
        w->PrefetchPhotos = false;
        return w;
    }

    void makeRoute(const QStringList& directions)
    {
        QList<RouteRow> rows;
        for (int i = 0; i < directions.size(); ++i)
            rows << RouteRow{stepKey(i + 1),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i + 1), QSize(64, 48)),
                             directions[i]};
        fx->create(rows);
    }

    records::Recorder* makeRecorder()
    {
        return new records::Recorder([this](const QString& m) { told << m; }, this);
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
        told.clear();
    }

    void counting_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("firstTry");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("backs");
        QTest::addColumn<bool>("goal");
        QTest::addColumn<QString>("perStep"); // first try of each step: 1 right, 0 not, - unshown

        QTest::newRow("all right")
            << "S1 P1+ S2 P2+ S3 P3+ G4" << 3 << 3 << 0 << 0 << true << "111";
        QTest::newRow("wrong then right is not first try")
            << "S1 P1+ S2 P2- P2+ S3 P3+ G4" << 3 << 2 << 1 << 0 << true << "101";
        QTest::newRow("wrong press in the second after a right answer counts, first try stays")
            << "S1 P1+ P1-w S2 P2+ S3 P3+ G4" << 3 << 3 << 1 << 0 << true << "111";
        QTest::newRow("right press again in that second changes nothing")
            << "S1 P1+ P1+w S2 P2+ S3 P3+ G4" << 3 << 3 << 0 << 0 << true << "111";
        QTest::newRow("もどる before answering: not right at the first try")
            << "S1 P1+ S2 B2 S1 P1+ S2 P2+ S3 P3+ G4" << 3 << 2 << 0 << 1 << true << "101";
        QTest::newRow("right later after もどる is not the first showing")
            << "S1 P1- B1 S1 P1+ S2 P2+ S3 P3+ G4" << 3 << 2 << 1 << 1 << true << "011";
        QTest::newRow("もどる in the second after a right answer keeps the first try")
            << "S1 P1+ S2 P2+ B2 S2 P2- P2+ S3 P3+ G4" << 3 << 3 << 1 << 1 << true << "111";
        QTest::newRow("session cut off before the goal counts its steps shown")
            << "S1 P1+ S2 P2-" << 2 << 1 << 1 << 0 << false << "10-";
        QTest::newRow("shown and left unanswered") << "S1" << 1 << 0 << 0 << 0 << false << "0--";
        QTest::newRow("missing photo is a showing, judged as usual")
            << "S1 P1+ M2 P2+ S3 P3- P3+ G4" << 3 << 2 << 1 << 0 << true << "110";
        QTest::newRow("wrong presses after the goal count for the session only")
            << "S1 P1+ S2 P2+ S3 P3+ G4 P4- P4-" << 3 << 3 << 2 << 0 << true << "111";
        QTest::newRow("nothing shown") << "" << 0 << 0 << 0 << 0 << false << "---";
    }

    void counting()
    {
        QFETCH(QString, script);
        const SessionSummary s = records::summarize(session(script));
        QTEST(s.stepsShown, "shown");
        QTEST(s.firstTryRight, "firstTry");
        QTEST(s.wrong, "wrong");
        QTEST(s.backs, "backs");
        QTEST(s.goal, "goal");
        QString perStep;
        for (const records::StepResult& step : s.steps)
            perStep += !step.shown ? '-' : step.firstTryRight ? '1' : '0';
        QTEST(perStep, "perStep");
    }

    void mastery_data()
    {
        QTest::addColumn<QStringList>("scripts"); // one per session
        QTest::addColumn<int>("met");             // index of the session, -1 for never
        const QString perfect = "S1 P1+ S2 P2+ G3";
        const QString slip = "S1 P1- P1+ S2 P2+ G3";
        QTest::newRow("three perfect in a row")
            << QStringList{slip, perfect, perfect, perfect} << 3;
        QTest::newRow("a slip breaks the run")
            << QStringList{perfect, perfect, slip, perfect, perfect} << -1;
        QTest::newRow("unfinished session breaks the run")
            << QStringList{perfect, perfect, "S1 P1+", perfect} << -1;
        QTest::newRow("a session that showed nothing is passed over")
            << QStringList{perfect, "", perfect, perfect} << 3;
    }

    void mastery()
    {
        QFETCH(QStringList, scripts);
        QFETCH(int, met);
        QList<SessionSummary> all;
        for (const QString& s : scripts)
            all.append(records::summarize(session(s, 2)));
        QCOMPARE(records::masteryMet(all, records::Criterion{100, 3}, false).value_or(-1), met);
    }

    void gridFindsStepsByPhotoAcrossRenumbering()
    {
        RecordSession before = session("S1 P1- P1+ S2 P2+ S3 P3+ G4");
        // Step 2 was deleted afterwards: the route now holds photos 1 and 3 as steps 1 and 2.
        const QList<store::RecordStep> now{{1, "/p/1.jpg", kUp}, {2, "/p/3.jpg", kUp}};
        const records::StepGrid grid = records::buildGrid(now, {records::summarize(before)});
        QCOMPARE(grid.rows.size(), 3);
        QCOMPARE(grid.rows[1].photo, QStringLiteral("/p/3.jpg"));
        QVERIFY(!grid.rows[2].current);
        QCOMPARE(grid.cells[0][0].wrong, 1);
        QCOMPARE(grid.cells[1][0].wrong, 0);
    }

    // The child's presses through the real window are recorded exactly, and the route file is
    // not touched.
    void sessionThroughTheWindowIsRecordedExactly()
    {
        makeRoute({kUp, kLeft, kRight});
        const QByteArray routeBefore = fileHash(fx->dbPath());
        auto* recorder = makeRecorder();
        {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            w->Timer1_Timer();          // step 1
            w->arrowButton(0)->click(); // ↑ right
            w->arrowButton(1)->click(); // ← wrong, in the second after the right answer
            w->Timer1_Timer();          // step 2
            QTest::keyClick(w.get(), Qt::Key_Right); // wrong, by key
            w->Command1_Click(1);                    // right
            w->Timer1_Timer();                       // step 3
            w->backButton()->click();                // もどる
            w->Timer1_Timer();                       // step 2 again
            w->Command1_Click(1);
            w->Timer1_Timer();
            w->Command1_Click(2);
            w->Timer1_Timer(); // goal
        }
        recorder->flush();
        QCOMPARE(fileHash(fx->dbPath()), routeBefore);
        const QList<RecordSession> sessions = readRecords(fx->dbPath());
        QCOMPARE(sessions.size(), 1);
        const RecordSession& s = sessions[0];
        QCOMPARE(s.steps.size(), 3);
        QCOMPARE(s.steps[1].direction, kLeft);
        QVERIFY(s.ended >= s.started);
        QStringList got;
        for (const RecordEvent& e : s.events) {
            QString line = e.kind + QString::number(e.step);
            if (e.kind == QLatin1String(store::event::kPress))
                line += QStringLiteral(" %1%2 %3 try%4 %5%6")
                            .arg(e.expected, e.pressed, e.right ? "right" : "wrong")
                            .arg(e.attempt)
                            .arg(e.input, e.waiting ? " waiting" : "");
            if (e.kind == QLatin1String(store::event::kBack))
                line += ' ' + e.input;
            got << line;
        }
        const QStringList expected{"show1",
                                   "press1 ↑↑ right try1 mouse",
                                   "press1 ↑← wrong try2 mouse waiting",
                                   "show2",
                                   "press2 ←→ wrong try1 key",
                                   "press2 ←← right try2 mouse",
                                   "show3",
                                   "back3 mouse",
                                   "show2",
                                   "press2 ←← right try1 mouse",
                                   "show3",
                                   "press3 →→ right try1 mouse",
                                   "goal4"};
        QCOMPARE(got, expected);
        const SessionSummary sum = records::summarize(s);
        QCOMPARE(sum.firstTryRight, 1); // step 1 only; step 3 was left by もどる unanswered
        QCOMPARE(sum.wrong, 2);
        QVERIFY(told.isEmpty());
    }

    void recordingOffWritesNothing()
    {
        makeRoute({kUp});
        auto* recorder = makeRecorder();
        recorder->setEnabled(false);
        {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            w->Timer1_Timer();
            w->Command1_Click(0);
        }
        recorder->flush();
        QVERIFY(!QFile::exists(store::recordsPathFor(fx->dbPath())));
    }

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
            QCOMPARE(dialogs.messages, (QStringList{kWrong, kGoal}));
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

    void erasingLeavesNothingReadable()
    {
        makeRoute({kUp});
        const QString path = store::recordsPathFor(fx->dbPath());
        const QString marker = QStringLiteral("/しるし/photo-marker-1234.jpg");
        {
            store::RecordsDb db;
            db.open(path, true, 100);
            for (int i = 0; i < 50; ++i) {
                const qint64 id = db.beginSession(store::kPractice, i, {}, {{1, marker, kUp}});
                RecordEvent e;
                e.kind = store::event::kShow;
                e.photo = marker;
                db.addEvent(id, e);
            }
            db.eraseAll();
            QVERIFY(db.readAll().isEmpty());
        }
        for (const QString& file : QDir(fx->dir()).entryList(QDir::Files)) {
            QFile f(fx->dir() + '/' + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(!f.readAll().contains(marker.toUtf8()), qPrintable(file));
        }
    }
};

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
