// The shared settings and the route store against a real route file: the statements the windows
// build, reading results, transactions and the step list's data.
#include "app/m_lane.h"
#include "platform/failure.h"
#include "store/adodc.h"
#include "store/connect_string.h"
#include "store/connection.h"
#include "store/sql_quote.h"
#include "store/step.h"
#include "support/route_fixture.h"
#include "support/store_checks.h"
#include "support/texts.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <optional>
#include <type_traits>

using namespace Qt::StringLiterals;
using platform::Failure;
using Kind = platform::Failure::Kind;

// A moved-from QSqlQuery has no private object and can't be finished: the wrappers that own a
// query or a connection are never moved.
static_assert(!std::is_move_constructible_v<store::Recordset> &&
              !std::is_move_assignable_v<store::Recordset>);
static_assert(!std::is_move_constructible_v<store::Connection> &&
              !std::is_move_assignable_v<store::Connection>);

namespace {

const QString kTable = u"プログラム"_s;

QStringList orders(const QList<RouteRow>& rows)
{
    QStringList result;
    for (const RouteRow& r : rows)
        result << r.order;
    return result;
}

// The 順序 column of every row a query gives, read through the store.
QStringList queryOrders(store::Connection& cn, const QString& sql)
{
    QStringList result;
    for (store::Recordset rs = cn.Query(sql); !rs.eof(); rs.moveNext())
        result << rs.field(u"順序"_s);
    return result;
}

RouteRow step(const QString& order, const QString& photo, const QString& direction = kUp)
{
    return RouteRow{order, photo, direction};
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void initSettings_data();
    void initSettings();
    void connectStringRoundTrip_data();
    void connectStringRoundTrip();
    void dataSourceOf_data();
    void dataSourceOf();

    void selectByOrder_data();
    void selectByOrder();
    void fieldIsTrimmed();
    void photoWithQuotes_data();
    void photoWithQuotes();
    void temporaryNumberSorts();
    void lessThanCondition_data();
    void lessThanCondition();
    void deleteAndUpdateByOrder();
    void recordCount_data();
    void recordCount();
    void largestRoute();
    void rejectedStatement_data();
    void rejectedStatement();
    void oddFolders_data();
    void oddFolders();
    void connectionLeavesNothingOpen();

    void transactionRollsBackWithoutCommit();
    void transactionKeepsCommittedChange();
    void transactionUndoesAllOnFailure();
    void transactionsInSequence();

    void adodcRefresh();
    void adodcRefreshEmptyRoute();
    void adodcKeepsNoConnection();
    void adodcRefreshSeesChanges();
    void adodcFailedRefreshKeepsRows();
};

void TestStore::initSettings_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");

    QTest::newRow("plain folder") << u"/some/folder"_s << u"/some/folder/ADO_LANE.mdb"_s;
    QTest::newRow("folder ending in a separator")
        << u"/some/folder/"_s << u"/some/folder/ADO_LANE.mdb"_s;
    QTest::newRow("root folder") << u"/"_s << u"/ADO_LANE.mdb"_s;
    QTest::newRow("japanese folder with a space")
        << u"/home/はな/道順 アプリ"_s << u"/home/はな/道順 アプリ/ADO_LANE.mdb"_s;
    QTest::newRow("folder with a semicolon") << u"/tmp/a;b"_s << u"/tmp/a;b/ADO_LANE.mdb"_s;
}

void TestStore::initSettings()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    m_lane::STEP_NO = QVariant();
    m_lane::InitSettings(folder);

    QCOMPARE(m_lane::DB_PATH, path);
    QCOMPARE(m_lane::ROUTE_TABLE, kTable);
    QVERIFY2(m_lane::DB_CONNECT.contains(u"Data Source="_s), qPrintable(m_lane::DB_CONNECT));
    QCOMPARE(store::dataSourceOf(m_lane::DB_CONNECT), path);
    QCOMPARE(m_lane::DB_CONNECT, m_lane::ConnectString(path));

    // A 16-bit integer, as the editor's variant arithmetic expects.
    QCOMPARE(m_lane::FORM_MARGIN.typeId(), QMetaType::Short);
    QCOMPARE(m_lane::FORM_MARGIN.value<qint16>(), qint16(120));
    QCOMPARE(m_lane::FORM_MARGIN.toFloat(), 120.0f);

    QVERIFY(!m_lane::STEP_NO.isValid()); // the learning window sets it, not start-up
}

void TestStore::connectStringRoundTrip_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("plain") << u"/tmp/route/ADO_LANE.mdb"_s;
    QTest::newRow("spaces inside") << u"/tmp/my route/ADO_LANE.mdb"_s;
    QTest::newRow("leading space") << u" /tmp/ADO_LANE.mdb"_s;
    QTest::newRow("trailing space") << u"/tmp/route /ADO_LANE.mdb "_s;
    QTest::newRow("only spaces") << u"   "_s;
    QTest::newRow("trailing tab") << u"/tmp/ADO_LANE.mdb\t"_s;
    QTest::newRow("semicolon") << u"/tmp/a;b/ADO_LANE.mdb"_s;
    QTest::newRow("semicolon then a key") << u"/tmp/x;Data Source=/evil/ADO_LANE.mdb"_s;
    QTest::newRow("equals sign") << u"/tmp/a=b/ADO_LANE.mdb"_s;
    QTest::newRow("key text inside") << u"/tmp/Data Source=x/ADO_LANE.mdb"_s;
    QTest::newRow("double quote inside") << u"/tmp/say \"hi\"/ADO_LANE.mdb"_s;
    QTest::newRow("starts with a double quote") << u"\"/tmp/ADO_LANE.mdb"_s;
    QTest::newRow("ends with a double quote") << u"/tmp/ADO_LANE.mdb\""_s;
    QTest::newRow("two double quotes") << u"/tmp/\"\"/ADO_LANE.mdb"_s;
    QTest::newRow("quote and semicolon") << u"/tmp/\";\"/ADO_LANE.mdb"_s;
    QTest::newRow("apostrophes") << u"/tmp/Tom's 'way'/ADO_LANE.mdb"_s;
    QTest::newRow("japanese") << u"/home/はな/道順/ADO_LANE.mdb"_s;
    QTest::newRow("cyrillic") << u"/home/Маша/маршрут/ADO_LANE.mdb"_s;
    QTest::newRow("emoji") << u"/home/🚸 school/ADO_LANE.mdb"_s;
    QTest::newRow("windows form") << u"C:\\道順\\ADO_LANE.mdb"_s;
}

void TestStore::connectStringRoundTrip()
{
    QFETCH(QString, path);
    const QString connect = m_lane::ConnectString(path);
    QVERIFY2(connect.contains(u"Data Source="_s), qPrintable(connect));
    QCOMPARE(store::dataSourceOf(connect), path);
}

void TestStore::dataSourceOf_data()
{
    QTest::addColumn<QString>("connect");
    QTest::addColumn<QString>("source");

    QTest::newRow("jet form from the windows program")
        << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\道順\\ADO_LANE.mdb;"
           u"Persist Security Info=False"_s
        << u"C:\\道順\\ADO_LANE.mdb"_s;
    QTest::newRow("last key without semicolon")
        << u"Provider=SQLite;Data Source=/tmp/ADO_LANE.mdb"_s << u"/tmp/ADO_LANE.mdb"_s;
    QTest::newRow("first key") << u"Data Source=/tmp/a.mdb;Provider=SQLite"_s << u"/tmp/a.mdb"_s;
    QTest::newRow("key in other case") << u"provider=x;data source=/tmp/a.mdb"_s << u"/tmp/a.mdb"_s;
    QTest::newRow("blanks around the key")
        << u"Provider=x; Data Source =/tmp/a.mdb"_s << u"/tmp/a.mdb"_s;
    QTest::newRow("quoted value with semicolon and doubled quote")
        << u"Provider=x;Data Source=\"/tmp/a;\"\"b\"\"\";Persist Security Info=False"_s
        << u"/tmp/a;\"b\""_s;
    QTest::newRow("similar key is not taken")
        << u"Provider=x;Data Source Name=/wrong;Data Source=/right"_s << u"/right"_s;
    QTest::newRow("no data source") << u"Provider=x;Persist Security Info=False"_s << QString();
    QTest::newRow("empty value") << u"Provider=x;Data Source=;Persist=False"_s << QString();
    QTest::newRow("empty string") << QString() << QString();
}

void TestStore::dataSourceOf()
{
    QFETCH(QString, connect);
    QFETCH(QString, source);
    QCOMPARE(store::dataSourceOf(connect), source);
}

void TestStore::selectByOrder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("photo"); // empty: no row

    QTest::newRow("first step") << u"001"_s << u"p1.png"_s;
    QTest::newRow("last step") << u"004"_s << u"p4.png"_s;
    QTest::newRow("one past the end") << u"005"_s << QString();
    QTest::newRow("step zero") << u"000"_s << QString();
    QTest::newRow("number without zeros is text, not 1") << u"1"_s << QString();
    QTest::newRow("two digits are not 001") << u"01"_s << QString();
    QTest::newRow("temporary number is its own key") << u"002_0"_s << u"new.png"_s;
}

void TestStore::selectByOrder()
{
    QFETCH(QString, key);
    QFETCH(QString, photo);
    RouteFixture fx;
    fx.create({step(u"001"_s, u"p1.png"_s), step(u"002"_s, u"p2.png"_s, kRight),
               step(u"002_0"_s, u"new.png"_s), step(u"003"_s, u"p3.png"_s, kLeft),
               step(u"004"_s, u"p4.png"_s)});

    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    store::Recordset rs =
        cn.Query(u"SELECT * FROM "_s + m_lane::ROUTE_TABLE + u" WHERE 順序 = '"_s + key + u"' "_s);
    if (photo.isEmpty()) {
        QVERIFY(rs.eof());
        return;
    }
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(u"写真"_s), photo);
    QCOMPARE(rs.field(u"順序"_s), key);
    rs.moveNext();
    QVERIFY(rs.eof());
    rs.close();
}

void TestStore::fieldIsTrimmed()
{
    RouteFixture fx;
    fx.create({step(u"001"_s, u"  /tmp/写真 1.png  "_s, u" → "_s)});
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    store::Recordset rs = cn.Query(u"SELECT * FROM プログラム WHERE 順序 = '001' "_s);
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(u"写真"_s), u"/tmp/写真 1.png"_s); // the blank inside stays
    QCOMPARE(rs.field(u"方向"_s), kRight);
    QCOMPARE(rs.rawField(u"写真"_s), u"  /tmp/写真 1.png  "_s);
}

void TestStore::photoWithQuotes_data()
{
    QTest::addColumn<QString>("photo");

    QTest::newRow("one apostrophe") << u"C:\\photos\\Tom's way\\01.jpg"_s;
    QTest::newRow("apostrophes at both ends") << u"'/tmp/01.jpg'"_s;
    QTest::newRow("two apostrophes in a row") << u"/tmp/a''b.jpg"_s;
    QTest::newRow("just an apostrophe") << u"'"_s;
    QTest::newRow("japanese with apostrophes") << u"/home/はな/ママ's 写真/'角'.jpg"_s;
    QTest::newRow("double quotes and full-width apostrophe") << u"/tmp/\"x\"＇’.jpg"_s;
    QTest::newRow("looks like an injection") << u"/tmp/x'); DELETE FROM プログラム; --.jpg"_s;
}

void TestStore::photoWithQuotes()
{
    QFETCH(QString, photo);
    RouteFixture fx;
    fx.create({step(u"001"_s, u"/tmp/a.jpg"_s), step(u"002"_s, u"/tmp/b.jpg"_s)});
    const QString table = m_lane::ROUTE_TABLE;
    const QString byPhoto = u" WHERE 写真 = '"_s + VB4_FUNC::SQL_QUOTE(photo) + u"'"_s;

    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        cn.Execute(u"INSERT INTO "_s + table + u" VALUES ( '003','"_s + VB4_FUNC::SQL_QUOTE(photo) +
                   u"','←' );"_s);
        cn.Close();
    }
    // Stored with one quote where the path has one.
    QCOMPARE(fx.rows().value(2), step(u"003"_s, photo, kLeft));

    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    {
        store::Recordset rs = cn.Query(u"SELECT * FROM "_s + table + byPhoto);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.field(u"写真"_s), photo);
        QCOMPARE(rs.field(u"順序"_s), u"003"_s);
        rs.moveNext();
        QVERIFY(rs.eof());
    }

    cn.Execute(u"UPDATE "_s + table + u" SET 順序 = '001_0'"_s + byPhoto);
    QCOMPARE(fx.rows(),
             (QList<RouteRow>{step(u"001"_s, u"/tmp/a.jpg"_s), step(u"001_0"_s, photo, kLeft),
                              step(u"002"_s, u"/tmp/b.jpg"_s)}));

    cn.Execute(u"DELETE FROM "_s + table + byPhoto);
    QCOMPARE(fx.rows(),
             (QList<RouteRow>{step(u"001"_s, u"/tmp/a.jpg"_s), step(u"002"_s, u"/tmp/b.jpg"_s)}));
}

void TestStore::temporaryNumberSorts()
{
    RouteFixture fx;
    fx.createSteps(4);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    cn.Execute(u"INSERT INTO プログラム VALUES ( '003_0','/tmp/new.png','→' );"_s);

    QCOMPARE(queryOrders(cn, u"SELECT 順序 FROM プログラム ORDER BY 順序"_s),
             (QStringList{u"001"_s, u"002"_s, u"003"_s, u"003_0"_s, u"004"_s}));
    QCOMPARE(queryOrders(cn, u"SELECT 順序 FROM プログラム ORDER BY 順序 DESC"_s),
             (QStringList{u"004"_s, u"003_0"_s, u"003"_s, u"002"_s, u"001"_s}));
    QCOMPARE(queryOrders(cn, u"SELECT * FROM プログラム ORDER BY 順序"_s),
             (QStringList{u"001"_s, u"002"_s, u"003"_s, u"003_0"_s, u"004"_s}));
}

void TestStore::lessThanCondition_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("005 takes 001 to 004 and 004_0")
        << u"005"_s << QStringList{u"001"_s, u"002"_s, u"003"_s, u"004"_s, u"004_0"_s};
    QTest::newRow("004_0 takes 004 but not itself")
        << u"004_0"_s << QStringList{u"001"_s, u"002"_s, u"003"_s, u"004"_s};
    QTest::newRow("004 leaves out 004 and 004_0")
        << u"004"_s << QStringList{u"001"_s, u"002"_s, u"003"_s};
    QTest::newRow("001 takes nothing") << u"001"_s << QStringList{};
    QTest::newRow("010 is more than 006 as text")
        << u"010"_s
        << QStringList{u"001"_s, u"002"_s, u"003"_s, u"004"_s, u"004_0"_s, u"005"_s, u"006"_s};
}

void TestStore::lessThanCondition()
{
    QFETCH(QString, bound);
    QFETCH(QStringList, expected);
    RouteFixture fx;
    fx.createSteps(6);
    fx.exec(u"INSERT INTO プログラム VALUES ('004_0', '/tmp/t.png', '↑')"_s);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QCOMPARE(queryOrders(cn, u"SELECT * FROM プログラム WHERE 順序 < '"_s + bound +
                                 u"' ORDER BY 順序"_s),
             expected);
    QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム WHERE 順序 < '"_s + bound + u"'"_s),
             int(expected.size()));
}

void TestStore::deleteAndUpdateByOrder()
{
    RouteFixture fx;
    fx.createSteps(3);
    fx.exec(u"INSERT INTO プログラム VALUES ('002_0', '/tmp/t.png', '→')"_s);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);

    cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '002'"_s); // not 002_0
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002_0"_s, u"003"_s}));

    cn.Execute(u"UPDATE プログラム SET 順序 = '002' WHERE 順序 = '002_0'"_s);
    QCOMPARE(fx.rows().value(1), step(u"002"_s, u"/tmp/t.png"_s, kRight));
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002"_s, u"003"_s}));

    // A statement that matches nothing changes nothing and is no error.
    cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '999'"_s);
    QCOMPARE(fx.rows().size(), 3);
}

void TestStore::recordCount_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("count");

    QTest::newRow("whole route") << 7 << u"SELECT * FROM プログラム"_s << 7;
    QTest::newRow("ordered route") << 7 << u"SELECT * FROM プログラム ORDER BY 順序"_s << 7;
    QTest::newRow("steps before 005") << 7 << u"SELECT * FROM プログラム WHERE 順序 < '005'"_s << 4;
    QTest::newRow("one step by number")
        << 7 << u"SELECT * FROM プログラム WHERE 順序 = '003' "_s << 1;
    QTest::newRow("no such photo")
        << 7 << u"SELECT * FROM プログラム WHERE 写真 = '/none.png'"_s << 0;
    QTest::newRow("empty route") << 0 << u"SELECT * FROM プログラム"_s << 0;
}

void TestStore::recordCount()
{
    QFETCH(int, steps);
    QFETCH(QString, sql);
    QFETCH(int, count);
    RouteFixture fx;
    fx.createSteps(steps);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QCOMPARE(cn.RecordCount(sql), count);
    QCOMPARE(cn.RecordCount(sql), count); // again on the same connection
}

void TestStore::largestRoute()
{
    RouteFixture fx;
    fx.createSteps(999);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 999);
    QCOMPARE(queryOrders(cn, u"SELECT 順序 FROM プログラム ORDER BY 順序 DESC"_s).value(0),
             u"999"_s);
    store::Recordset rs =
        cn.Query(u"SELECT * FROM プログラム WHERE 順序 = '"_s + store::StepKey(999) + u"' "_s);
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(u"写真"_s), QDir(fx.dir()).filePath(u"p999.png"_s));
}

void TestStore::rejectedStatement_data()
{
    QTest::addColumn<bool>("query");
    QTest::addColumn<QString>("sql");

    QTest::newRow("insert with too few values")
        << false << u"INSERT INTO プログラム VALUES ( '001','x' );"_s;
    QTest::newRow("unknown column in update")
        << false << u"UPDATE プログラム SET 番号 = '1' WHERE 写真 = 'x'"_s;
    QTest::newRow("unclosed quote") << false << u"DELETE FROM プログラム WHERE 順序 = '001"_s;
    QTest::newRow("unknown table") << true << u"SELECT * FROM 道順"_s;
    QTest::newRow("unknown column in a query") << true << u"SELECT 名前 FROM プログラム"_s;
}

void TestStore::rejectedStatement()
{
    QFETCH(bool, query);
    QFETCH(QString, sql);
    RouteFixture fx;
    fx.createSteps(2);
    const QList<RouteRow> before = fx.rows();
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    const std::optional<platform::Failure> error = failureOf([&] {
        if (query)
            cn.Query(sql);
        else
            cn.Execute(sql);
    });
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::Failed);
    QCOMPARE(error->file(), m_lane::DB_PATH);
    checkMessage(*error, m_lane::DB_PATH);
    QCOMPARE(fx.rows(), before);
    // The connection stays usable after a rejected statement.
    QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 2);
}

void TestStore::oddFolders_data()
{
    QTest::addColumn<QString>("folder");

    QTest::newRow("spaces") << u"my route"_s;
    QTest::newRow("apostrophe") << u"Tom's route"_s;
    QTest::newRow("semicolon") << u"a;b"_s;
    QTest::newRow("double quote") << u"say \"hi\""_s;
    QTest::newRow("question mark") << u"why?mode=ro"_s;
    QTest::newRow("hash") << u"no#1"_s;
    QTest::newRow("percent escapes") << u"100%20 %41"_s;
    QTest::newRow("ampersand and equals") << u"a&vfs=x"_s;
    QTest::newRow("backslash") << u"back\\slash"_s;
    QTest::newRow("trailing space") << u"route "_s;
    QTest::newRow("japanese") << u"はなちゃんの道順"_s;
    QTest::newRow("cyrillic") << u"маршрут"_s;
    QTest::newRow("emoji") << u"🚸 school"_s;
}

void TestStore::oddFolders()
{
    QFETCH(QString, folder);
    RouteFixture fx;
    QVERIFY(QDir(fx.dir()).mkpath(folder));
    const QString programFolder = QDir(fx.dir()).filePath(folder);
    m_lane::InitSettings(programFolder);
    fx.createSteps(2);

    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        QCOMPARE(cn.path(), m_lane::DB_PATH);
        QCOMPARE(queryOrders(cn, u"SELECT 順序 FROM プログラム ORDER BY 順序"_s),
                 (QStringList{u"001"_s, u"002"_s}));
        cn.Execute(u"INSERT INTO プログラム VALUES ( '003','/tmp/c.png','←' );"_s);
    }
    // The change went into this very file, and no other file was made anywhere.
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002"_s, u"003"_s}));
    QCOMPARE(QDir(programFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"ADO_LANE.mdb"_s});
    QCOMPARE(QDir(fx.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{folder});
}

void TestStore::connectionLeavesNothingOpen()
{
    RouteFixture fx;
    fx.createSteps(2);
    const QStringList before = QSqlDatabase::connectionNames();
    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        QVERIFY(cn.isOpen());
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE); // opening again replaces the first
        store::Recordset rs = cn.Query(u"SELECT * FROM プログラム"_s);
        QVERIFY(!rs.eof());
        rs.close();
        QVERIFY(rs.eof());
        cn.Close();
        QVERIFY(!cn.isOpen());
        cn.Close(); // closing twice is harmless
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        store::Recordset rs = cn.Query(u"SELECT * FROM プログラム"_s);
        QVERIFY(!rs.eof());
        // Left to the destructors, the result first.
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

void TestStore::transactionRollsBackWithoutCommit()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QList<RouteRow> before = fx.rows();
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    {
        store::Transaction t(cn);
        cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '002'"_s);
        cn.Execute(u"UPDATE プログラム SET 順序 = '002' WHERE 順序 = '003'"_s);
        // Inside the change its own connection sees it.
        QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 2);
    }
    QCOMPARE(fx.rows(), before);
    QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 3);
}

void TestStore::transactionKeepsCommittedChange()
{
    RouteFixture fx;
    fx.createSteps(3);
    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        store::Transaction t(cn);
        cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '002'"_s);
        cn.Execute(u"UPDATE プログラム SET 順序 = '002' WHERE 順序 = '003'"_s);
        t.commit();
    }
    const QString dir = fx.dir();
    QCOMPARE(fx.rows(), (QList<RouteRow>{step(u"001"_s, QDir(dir).filePath(u"p1.png"_s)),
                                         step(u"002"_s, QDir(dir).filePath(u"p3.png"_s))}));
}

void TestStore::transactionUndoesAllOnFailure()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QList<RouteRow> before = fx.rows();
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    const std::optional<platform::Failure> error = failureOf([&] {
        store::Transaction t(cn);
        cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '001'"_s);
        cn.Execute(u"INSERT INTO プログラム VALUES ( '004_0','/tmp/x.png','↑' );"_s);
        cn.Execute(u"UPDATE プログラム SET 番号 = '001'"_s); // fails half-way
        t.commit();
    });
    QVERIFY(error);
    QCOMPARE(fx.rows(), before);
}

void TestStore::transactionsInSequence()
{
    RouteFixture fx;
    fx.createSteps(2);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    {
        store::Transaction t(cn);
        cn.Execute(u"DELETE FROM プログラム"_s);
    }
    {
        // A rolled-back change leaves the connection ready for the next one.
        store::Transaction t(cn);
        cn.Execute(u"INSERT INTO プログラム VALUES ( '003','/tmp/c.png','→' );"_s);
        t.commit();
    }
    QCOMPARE(orders(fx.rows()), (QStringList{u"001"_s, u"002"_s, u"003"_s}));
}

void TestStore::adodcRefresh()
{
    RouteFixture fx;
    fx.create({step(u"002"_s, u"/tmp/b.png"_s, kRight), step(u"001"_s, u"/tmp/a.png"_s),
               step(u"001_0"_s, u"/tmp/'q'.png"_s, kLeft)});
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);

    QCOMPARE(adodc.columnCount(), 3);
    QCOMPARE(adodc.headerData(0, Qt::Horizontal).toString(), u"順序"_s);
    QCOMPARE(adodc.headerData(1, Qt::Horizontal).toString(), u"写真"_s);
    QCOMPARE(adodc.headerData(2, Qt::Horizontal).toString(), u"方向"_s);
    QCOMPARE(adodc.rowCount(), 3);
    const QStringList expected[3] = {{u"001"_s, u"/tmp/a.png"_s, kUp},
                                     {u"001_0"_s, u"/tmp/'q'.png"_s, kLeft},
                                     {u"002"_s, u"/tmp/b.png"_s, kRight}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(adodc.text(r, c), expected[r][c]);
            QCOMPARE(adodc.data(adodc.index(r, c)).toString(), expected[r][c]);
        }
    QCOMPARE(adodc.text(3, 0), QString());
    QCOMPARE(adodc.text(0, 3), QString());
}

void TestStore::adodcRefreshEmptyRoute()
{
    RouteFixture fx;
    fx.create();
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 0);
    // The list still has its column heads.
    QCOMPARE(adodc.columnCount(), 3);
    QCOMPARE(adodc.headerData(1, Qt::Horizontal).toString(), u"写真"_s);
}

void TestStore::adodcKeepsNoConnection()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QStringList before = QSqlDatabase::connectionNames();
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 3);
    QCOMPARE(QSqlDatabase::connectionNames(), before);

    // Nothing holds the file: another connection gets it whole at once, without waiting.
    const QString name = u"tst_store-exclusive"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(m_lane::DB_PATH);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=0"_s);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(u"BEGIN EXCLUSIVE"_s), qPrintable(q.lastError().text()));
        QVERIFY2(q.exec(u"DELETE FROM プログラム"_s), qPrintable(q.lastError().text()));
        QVERIFY2(q.exec(u"ROLLBACK"_s), qPrintable(q.lastError().text()));
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QCOMPARE(adodc.rowCount(), 3); // the rows are kept in memory
}

void TestStore::adodcRefreshSeesChanges()
{
    RouteFixture fx;
    fx.createSteps(2);
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 2);

    fx.exec(u"UPDATE プログラム SET 方向 = '←' WHERE 順序 = '002'"_s);
    fx.exec(u"INSERT INTO プログラム VALUES ('003', '/tmp/c.png', '→')"_s);
    QCOMPARE(adodc.rowCount(), 2); // until refreshed
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 3);
    QCOMPARE(adodc.text(1, 2), kLeft);
    QCOMPARE(adodc.text(2, 1), u"/tmp/c.png"_s);

    fx.exec(u"DELETE FROM プログラム"_s);
    adodc.Refresh(m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 0);
}

void TestStore::adodcFailedRefreshKeepsRows()
{
    RouteFixture fx;
    fx.createSteps(2);
    store::Adodc adodc;
    adodc.Refresh(m_lane::DB_PATH);
    const QStringList before = QSqlDatabase::connectionNames();

    {
        // The file is replaced by one that is no route file.
        QFile file(m_lane::DB_PATH);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }
    const std::optional<platform::Failure> error =
        failureOf([&] { adodc.Refresh(m_lane::DB_PATH); });
    QVERIFY(error);
    checkMessage(*error, m_lane::DB_PATH);
    QCOMPARE(adodc.rowCount(), 2);
    QCOMPARE(adodc.columnCount(), 3);
    QCOMPARE(adodc.text(1, 0), u"002"_s);
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
