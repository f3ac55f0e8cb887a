// Practice records: the counting rules as a table, a session driven through the practice window
// recorded press for press, and a records file that can't be written.
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
        s.steps.append({-1, stepKey(i), QStringLiteral("/p/%1.jpg").arg(i), kUp});
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

} // namespace

class TestRecords : public RecordsHarness
{
    Q_OBJECT

private slots:
    void init() { reset(); }

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
        const QList<store::Step> now{{-1, "001", "/p/1.jpg", kUp}, {-1, "002", "/p/3.jpg", kUp}};
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

    // After a few sessions with mistakes on one step, the view shows that step standing out and
    // the line rising; a walk entered in its form joins the chart and the table.
    void teachersViewShowsTheHardStep()
    {
        makeRoute({kUp, kRight, kLeft});
        auto* recorder = makeRecorder();
        for (int wrongAtStep2 : {3, 1, 0, 0}) {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            for (int step = 0; step < 3; ++step) {
                w->Timer1_Timer();
                for (int i = 0; step == 1 && i < wrongAtStep2; ++i)
                    w->Command1_Click(0);
                w->Command1_Click(step == 0 ? 0 : step == 1 ? 2 : 1);
            }
            w->Timer1_Timer();
        }
        recorder->flush();
        records::RecordsWindow view(dialogs, fx->dbPath());
        view.setCriterion({100, 2});
        const records::RecordsReport& r = view.report();
        QCOMPARE(r.summaries.size(), 4);
        QCOMPARE(r.practiceMet, 3);
        QAbstractItemModel* grid = view.gridView()->model();
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->index(1, 0).data().toString(), QStringLiteral("3"));
        const QColor hard = grid->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color();
        const QColor easy = grid->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color();
        QVERIFY(hard != easy);
        QVERIFY(grid->headerData(1, Qt::Vertical).toString().contains("まちがい 4"));
        auto* line = qobject_cast<QLineSeries*>(view.chartView()->chart()->series().at(0));
        QVERIFY(line);
        QCOMPARE(line->count(), 4);
        QVERIFY(line->at(0).y() < line->at(3).y());

        view.runWalkForm = [](records::WalkForm& form) {
            form.setHelp(1, 3);
            form.setNote("雨 \"傘\", 3 番で止まる");
            return true;
        };
        view.recordWalk();
        QCOMPARE(view.report().summaries.size(), 5);
        const records::SessionSummary& walk = view.report().summaries.last();
        QVERIFY(walk.walk);
        QCOMPARE(walk.firstTryRight, 2);
        QCOMPARE(view.tableView()->model()->index(4, records::SessionTableModel::Kind).data(),
                 QVariant(QStringLiteral("実際の道")));
        QVERIFY(dialogs.messages.contains(learn::messages::kGoal));

        // The CSV opens in a spreadsheet with its columns; the Open Board log reads as one.
        const QByteArray csv = records::csvText(view.report().sessions);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF\"回\",\"種類\",\"開始\""));
        QVERIFY(csv.contains("\r\n"));
        QVERIFY(csv.contains(QStringLiteral("\"雨 \"\"傘\"\", 3 番で止まる\"").toUtf8()));
        QCOMPARE(csv.count(QStringLiteral("\"おした\"").toUtf8()), 6 + 4 + 3 + 3);
        QByteArray obl = records::oblText(view.report().sessions, fx->dbPath());
        QVERIFY(obl.startsWith("/* NOTICE"));
        obl = obl.mid(obl.indexOf('\n') + 1);
        const QJsonObject log = QJsonDocument::fromJson(obl).object();
        QCOMPARE(log["format"].toString(), QStringLiteral("open-board-log-0.1"));
        const QJsonArray sessions = log["sessions"].toArray();
        QCOMPARE(sessions.size(), 5);
        QCOMPARE(sessions[0]["type"].toString(), QStringLiteral("log"));
        QJsonObject firstPress;
        for (const QJsonValue& e : sessions[0]["events"].toArray())
            if (e["type"] == "button" && firstPress.isEmpty())
                firstPress = e.toObject();
        QCOMPARE(firstPress["board_id"].toString(), QStringLiteral("step-001"));
        QCOMPARE(firstPress["button_id"].toString(), QStringLiteral("straight"));
        QVERIFY(firstPress["timestamp"].toString().endsWith('Z'));
    }

    // The menu "記録" sits beside "道順"; recording off is remembered; erasing asks first.
    void recordsMenu()
    {
        makeRoute({kUp});
        m_lane::UseRoute(fx->dbPath());
        auto* recorder = makeRecorder();
        QMainWindow window;
        window.menuBar()->addMenu("道順");
        window.menuBar()->addMenu("ヘルプ");
        records::RecordsCommands commands(dialogs, &window, recorder);
        QStringList titles;
        for (QAction* a : window.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"道順", "記録", "ヘルプ"}));

        commands.recordingAction()->trigger();
        QVERIFY(!app::LoadPracticeSettings(fx->dbPath(), m_lane::CHILD).records);
        QVERIFY(!recorder->isEnabled());
        commands.recordingAction()->trigger();
        QVERIFY(app::LoadPracticeSettings(fx->dbPath(), m_lane::CHILD).records);

        {
            auto w = open();
            recorder->attach(w->practiceEvents(), fx->dbPath());
            w->Timer1_Timer();
        }
        recorder->flush();
        dialogs.answers = {platform::MsgResult::Cancel};
        QVERIFY(!commands.erase());
        QCOMPARE(readRecords(fx->dbPath()).size(), 1);
        QVERIFY(commands.erase());
        QVERIFY(readRecords(fx->dbPath()).isEmpty());
    }

    void erasingLeavesNothingReadable()
    {
        makeRoute({kUp});
        const QString path = store::recordsPathFor(fx->dbPath());
        const QString marker = QStringLiteral("/しるし/photo-marker-1234.jpg");
        {
            store::RecordsDb db;
            db.open(path, true, 100);
            for (int i = 0; i < 10; ++i) {
                const qint64 id =
                    db.beginSession(store::kPractice, i, {}, {{-1, stepKey(1), marker, kUp}});
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
