// The route survives a process killed in the middle of a change, and a reader never sees a
// change half done.
#include "app/m_lane.h"
#include "app/messages.h"
#include "learn/frm_lane_play.h"
#include "store/connection.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/test_seed.h"
#include "support/texts.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace {

const QString kHelper = QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_editor_churn");

QString integrityOf(const QString& path)
{
    const QString name = QUuid::createUuid().toString();
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                result = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

// The route as the numbered list it must be: "001".."N" in the model's order.
QList<RouteRow> numbered(const QList<QPair<QString, QString>>& model)
{
    QList<RouteRow> rows;
    for (int i = 0; i < model.size(); ++i)
        rows << RouteRow{stepKey(i + 1), model[i].first, model[i].second};
    return rows;
}

// Applies one "op K del N" / "op K reg AFTER PHOTO" line to the model.
void applyChange(QList<QPair<QString, QString>>& model, const QStringList& op)
{
    if (op[2] == QLatin1String("del")) {
        model.removeAt(op[3].toInt() - 1);
    } else {
        const int after = op[3].toInt();
        const auto step = qMakePair(op.mid(4).join(QLatin1Char(' ')), kRight);
        if (after == 0)
            model.append(step);
        else
            model.insert(after, step);
    }
}

} // namespace

class TestCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedMidChangeLeavesBeforeOrAfter()
    {
        RouteFixture fx;
        fx.createSteps(999);
        QList<QPair<QString, QString>> model;
        for (const RouteRow& r : fx.rows())
            model << qMakePair(r.photo, r.direction);

        const quint32 seed = testSeed();
        QRandomGenerator rng(seed);
        int kills = 0, midChange = 0, changesSeen = 0, rolledBack = 0;
        for (int round = 0; round < 60; ++round) {
            QProcess helper;
            helper.start(kHelper, {fx.dir(), QString::number(seed + round)});
            QVERIFY2(helper.waitForStarted(), qPrintable(helper.errorString()));
            QVERIFY(helper.waitForReadyRead(30000));
            QTest::qWait(int(rng.bounded(5, 400)));
            QVERIFY2(helper.state() == QProcess::Running, "the editor process ended by itself");
            helper.kill(); // SIGKILL
            QVERIFY(helper.waitForFinished(10000));
            QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
            ++kills;

            QStringList pending;
            const QByteArray output = helper.readAllStandardOutput();
            for (const QByteArray& raw : output.split('\n')) {
                const QStringList line = QString::fromUtf8(raw).split(QLatin1Char(' '));
                if (line[0] == QLatin1String("message"))
                    QFAIL(qPrintable(QString::fromUtf8(raw)));
                if (line[0] == QLatin1String("op"))
                    pending = line;
                if (line[0] == QLatin1String("done")) {
                    QVERIFY(!pending.isEmpty());
                    applyChange(model, pending);
                    pending.clear();
                    ++changesSeen;
                }
            }
            QCOMPARE(integrityOf(fx.dbPath()), QStringLiteral("ok"));
            const QList<RouteRow> actual = fx.rows();
            if (pending.isEmpty()) {
                QVERIFY2(actual == numbered(model), output.constData());
                continue;
            }
            // Killed during a change: the route is the one before it or the one after it.
            ++midChange;
            const QList<RouteRow> before = numbered(model);
            applyChange(model, pending);
            const QList<RouteRow> after = numbered(model);
            if (actual == before) {
                ++rolledBack;
                model.clear();
                for (const RouteRow& r : before)
                    model << qMakePair(r.photo, r.direction);
            } else {
                QVERIFY2(actual == after,
                         qPrintable(QStringLiteral("round %1: a mixed route (%2 rows)")
                                        .arg(round)
                                        .arg(actual.size())));
            }
        }
        qInfo(
            "%d kills, %d during a change (%d found the route as before it), %d changes completed",
            kills, midChange, rolledBack, changesSeen);
        QVERIFY(kills >= 50);
        QVERIFY(midChange > 0);
    }

    void readersSeeAWholeRouteWhileAnotherProcessChangesIt()
    {
        RouteFixture fx;
        fx.createSteps(600);
        QProcess helper;
        helper.start(kHelper, {fx.dir(), QStringLiteral("7"), QStringLiteral("400")});
        QVERIFY(helper.waitForStarted());
        QVERIFY(helper.waitForReadyRead(30000));

        ScriptedDialogs dialogs;
        frm_lane_play play(dialogs, platform::ScreenTwips::fromPixels(QSize(800, 600)), fx.dir());
        int reads = 0;
        while (helper.state() == QProcess::Running && reads < 2000) {
            // The whole route in one read: numbered 001..N without gap, repeat or temporary number.
            store::Connection cn;
            cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
            store::Recordset rs =
                cn.Query(QStringLiteral("SELECT * FROM プログラム ORDER BY 順序"));
            int i = 0;
            for (; !rs.eof(); rs.moveNext())
                QCOMPARE(rs.field(QStringLiteral("順序")), stepKey(++i));
            rs.close();
            cn.Close();
            QVERIFY(i >= 1);
            // And the learning window's one-step reads go through without a store error.
            m_lane::STEP_NO = reads % 500;
            play.Timer1_Timer();
            ++reads;
            helper.waitForReadyRead(1);
        }
        for (const QString& m : dialogs.messages)
            QVERIFY2(m.endsWith(app::messages::notFound({})), qPrintable(m));
        QVERIFY2(!helper.readAllStandardOutput().contains("message"),
                 "the editor reported a failure");
        helper.kill();
        helper.waitForFinished();
        qInfo("%d whole-route reads during the changes", reads);
        QVERIFY(reads > 10);
    }
};

QTEST_MAIN(TestCrash)
#include "tst_crash.moc"
