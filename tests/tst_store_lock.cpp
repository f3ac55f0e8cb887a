// The route store while another program holds the route file (helper_lock): waiting up to the
// time-out, a clear error after it, readers that see the route as it was, and nothing changed.
#include "app/m_lane.h"
#include "platform/failure.h"
#include "store/adodc.h"
#include "store/connection.h"
#include "support/route_fixture.h"
#include "support/store_checks.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;
using platform::Failure;
using Kind = platform::Failure::Kind;

namespace {

// The least time a one-second time-out may take; the clock is read a little before the wait.
constexpr qint64 kOneSecondAtLeast = 950;

// helper_lock run as a second process, holding the route file until killed.
class Holder
{
public:
    ~Holder() { release(); }

    // Starts the helper and waits until it says it holds the file.
    bool hold(const QString& path, const QString& mode, int releaseAfterMs = -1)
    {
        QStringList args{path, mode};
        if (releaseAfterMs >= 0)
            args << QString::number(releaseAfterMs);
        m_process.start(QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_lock"), args);
        if (!m_process.waitForStarted(30000))
            return false;
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("locked\n") && clock.elapsed() < 30000) {
            const bool running = m_process.state() == QProcess::Running;
            m_process.waitForReadyRead(200);
            out += m_process.readAllStandardOutput();
            if (!running)
                break;
        }
        if (!out.contains("locked\n"))
            qWarning("helper_lock: %s", m_process.readAllStandardError().constData());
        return out.contains("locked\n");
    }

    // Kills the helper; the operating system gives its lock back.
    void release()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(30000);
    }

private:
    QProcess m_process;
};

QList<RouteRow> readThroughStore(store::Connection& cn)
{
    QList<RouteRow> rows;
    for (store::Recordset rs = cn.Query(u"SELECT * FROM プログラム ORDER BY 順序"_s); !rs.eof();
         rs.moveNext())
        rows << RouteRow{rs.field(u"順序"_s), rs.field(u"写真"_s), rs.field(u"方向"_s)};
    return rows;
}

void renumber(store::Connection& cn)
{
    store::Transaction t(cn);
    cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '002'"_s);
    cn.Execute(u"UPDATE プログラム SET 順序 = '002' WHERE 順序 = '003'"_s);
    t.commit();
}

QStringList orders(const QList<RouteRow>& rows)
{
    QStringList result;
    for (const RouteRow& r : rows)
        result << r.order;
    return result;
}

} // namespace

class TestStoreLock : public QObject
{
    Q_OBJECT

private slots:
    void openWhileHeldExclusively();
    void writeWhileAnotherWrites();
    void readWhileAnotherWrites();
    void waitsForAShortLock();
};

void TestStoreLock::openWhileHeldExclusively()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QList<RouteRow> before = fx.rows();
    Holder holder;
    QVERIFY(holder.hold(m_lane::DB_PATH, u"exclusive"_s));

    QElapsedTimer clock;
    clock.start();
    const std::optional<platform::Failure> error = failureOf([] {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 1);
        renumber(cn);
    });
    const qint64 waited = clock.elapsed();
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::Locked);
    QCOMPARE(error->file(), m_lane::DB_PATH);
    checkMessage(*error, m_lane::DB_PATH);
    QVERIFY2(waited >= kOneSecondAtLeast, qPrintable(QString::number(waited)));

    holder.release();
    QCOMPARE(fx.rows(), before);

    // Once the other program is gone the same change goes through.
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 1);
    renumber(cn);
    cn.Close();
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002"_s}));
}

void TestStoreLock::writeWhileAnotherWrites()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QList<RouteRow> before = fx.rows();
    Holder holder;
    QVERIFY(holder.hold(m_lane::DB_PATH, u"immediate"_s));

    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 1); // reading the file is allowed meanwhile

    QElapsedTimer clock;
    clock.start();
    std::optional<platform::Failure> error = failureOf([&] { renumber(cn); });
    qint64 waited = clock.elapsed();
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::Locked);
    checkMessage(*error, m_lane::DB_PATH);
    QVERIFY2(waited >= kOneSecondAtLeast, qPrintable(QString::number(waited)));

    // A single statement outside a change waits and fails the same way.
    clock.restart();
    error = failureOf(
        [&] { cn.Execute(u"INSERT INTO プログラム VALUES ( '004','/tmp/d.png','↑' );"_s); });
    waited = clock.elapsed();
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::Locked);
    QVERIFY2(waited >= kOneSecondAtLeast, qPrintable(QString::number(waited)));

    // The failed change left this connection usable and seeing the route as it was.
    QCOMPARE(readThroughStore(cn), before);
    cn.Close();

    holder.release();
    QCOMPARE(fx.rows(), before);
}

void TestStoreLock::readWhileAnotherWrites()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QList<RouteRow> before = fx.rows();
    Holder holder;
    // The helper has deleted 001 and moved 002 to 001, not yet committed.
    QVERIFY(holder.hold(m_lane::DB_PATH, u"immediate"_s));

    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 1);
        QCOMPARE(readThroughStore(cn), before);
        store::Recordset rs = cn.Query(u"SELECT * FROM プログラム WHERE 順序 = '001' "_s);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.field(u"写真"_s), before.first().photo);
        QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 3);
    }

    // So does the step list.
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(adodc.text(r, 0), before[r].order);
        QCOMPARE(adodc.text(r, 1), before[r].photo);
    }

    holder.release();
    QCOMPARE(fx.rows(), before);
}

void TestStoreLock::waitsForAShortLock()
{
    RouteFixture fx;
    fx.createSteps(3);
    Holder holder;
    // Gives the file back well within the time-out.
    QVERIFY(holder.hold(m_lane::DB_PATH, u"exclusive"_s, 300));

    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE, 10);
    renumber(cn);
    cn.Close();
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002"_s}));
}

QTEST_GUILESS_MAIN(TestStoreLock)
#include "tst_store_lock.moc"
