// The text helpers: bytes of the Japanese code page, quoting for statements, step keys.
#include "app/vb4_func.h"
#include "store/sql_quote.h"
#include "store/step.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using store::StepKey;
using VB4_FUNC::ANSI_RIGHT;
using VB4_FUNC::SQL_QUOTE;

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void ansiRight_data();
    void ansiRight();
    void ansiRightCutsDoubleByte_data();
    void ansiRightCutsDoubleByte();
    void ansiRightLeavesArgument();

    void sqlQuote_data();
    void sqlQuote();

    void stepKey_data();
    void stepKey();

private:
    QSqlDatabase m_db;
};

void TestText::initTestCase()
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tst_text"));
    m_db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY2(m_db.open(), qPrintable(m_db.lastError().text()));
}

void TestText::cleanupTestCase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("tst_text"));
}

void TestText::ansiRight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("count");
    QTest::addColumn<QString>("expected");

    // Full-width characters are two bytes in Shift-JIS.
    QTest::newRow("kanji count two bytes each") << u"道順01"_s << 4.0 << u"順01"_s;
    QTest::newRow("all six bytes of kanji text") << u"道順01"_s << 6.0 << u"道順01"_s;
    QTest::newRow("full-width katakana") << u"ミチタン"_s << 4.0 << u"タン"_s;
    QTest::newRow("hiragana between ascii") << u"Aあ1"_s << 3.0 << u"あ1"_s;
    // Half-width katakana is one byte, although it is not ASCII (not UTF-8 or UTF-16 sized).
    QTest::newRow("half-width katakana one byte each") << u"ﾐﾁﾀﾝ"_s << 2.0 << u"ﾀﾝ"_s;

    // The menu's version parts.
    QTest::newRow("three digits to two") << u"003"_s << 2.0 << u"03"_s;
    QTest::newRow("four digits to two") << u"0015"_s << 2.0 << u"15"_s;
    QTest::newRow("year to two") << u"2003"_s << 2.0 << u"03"_s;
    QTest::newRow("one digit stays") << u"5"_s << 2.0 << u"5"_s;
    QTest::newRow("exactly two") << u"15"_s << 2.0 << u"15"_s;

    QTest::newRow("empty text") << QString() << 2.0 << QString();
    QTest::newRow("count zero") << u"003"_s << 0.0 << QString();
    QTest::newRow("count zero on kanji") << u"道順"_s << 0.0 << QString();
    QTest::newRow("count beyond the bytes") << u"道順01"_s << 100.0 << u"道順01"_s;
    QTest::newRow("count one beyond the bytes") << u"道順01"_s << 7.0 << u"道順01"_s;

    // Rounded to the nearest, halves to the even neighbour.
    QTest::newRow("2.5 rounds down to 2") << u"12345"_s << 2.5 << u"45"_s;
    QTest::newRow("3.5 rounds up to 4") << u"12345"_s << 3.5 << u"2345"_s;
    QTest::newRow("1.5 rounds up to 2") << u"12345"_s << 1.5 << u"45"_s;
    QTest::newRow("0.5 rounds down to 0") << u"12345"_s << 0.5 << QString();
    QTest::newRow("2.4 rounds to 2") << u"12345"_s << 2.4 << u"45"_s;
    QTest::newRow("2.6 rounds to 3") << u"12345"_s << 2.6 << u"345"_s;
    QTest::newRow("1.9999 rounds to 2") << u"12345"_s << 1.9999 << u"45"_s;

    QTest::newRow("negative count") << u"12345"_s << -1.0 << QString();
    QTest::newRow("large negative count") << u"道順01"_s << -100.0 << QString();
    QTest::newRow("-0.4 rounds to zero") << u"12345"_s << -0.4 << QString();
    QTest::newRow("not a number") << u"12345"_s << std::numeric_limits<double>::quiet_NaN()
                                  << QString();
}

void TestText::ansiRight()
{
    QFETCH(QString, text);
    QFETCH(double, count);
    QFETCH(QString, expected);
    QCOMPARE(ANSI_RIGHT(text, count), expected);
}

void TestText::ansiRightCutsDoubleByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("count");
    QTest::addColumn<QString>("tail");    // what must come out whole at the end
    QTest::addColumn<QString>("cutChar"); // the character cut in half

    QTest::newRow("second half of 道 before kanji and digits")
        << u"道順01"_s << 5.0 << u"順01"_s << u"道"_s;
    QTest::newRow("second half of 順 before digits") << u"道順01"_s << 3.0 << u"01"_s << u"順"_s;
    QTest::newRow("second half of あ before a letter") << u"あA"_s << 2.0 << u"A"_s << u"あ"_s;
    QTest::newRow("unmappable emoji before digits") << u"😀01"_s << 3.0 << u"01"_s << u"😀"_s;
}

void TestText::ansiRightCutsDoubleByte()
{
    // What the lone second byte becomes is left open; the whole characters after it are not.
    QFETCH(QString, text);
    QFETCH(double, count);
    QFETCH(QString, tail);
    QFETCH(QString, cutChar);
    const QString result = ANSI_RIGHT(text, count);
    QVERIFY2(result.endsWith(tail), qPrintable(result));
    QVERIFY2(!result.contains(cutChar), qPrintable(result));
    QVERIFY2(result.size() <= tail.size() + 1, qPrintable(result));
}

void TestText::ansiRightLeavesArgument()
{
    QString text = u"道順01"_s;
    const QString before = text;
    QCOMPARE(ANSI_RIGHT(text, 4), u"順01"_s);
    QCOMPARE(text, before);
}

void TestText::sqlQuote_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one apostrophe inside") << u"it's"_s << u"it''s"_s;
    QTest::newRow("two apostrophes give four") << u"''"_s << u"''''"_s;
    QTest::newRow("three apostrophes give six") << u"'''"_s << u"''''''"_s;
    QTest::newRow("single apostrophe") << u"'"_s << u"''"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("apostrophes at both ends") << u"'a'"_s << u"''a''"_s;
    QTest::newRow("no apostrophe unchanged") << u"道順01"_s << u"道順01"_s;
    QTest::newRow("windows path with one apostrophe")
        << u"C:\\photos\\Tom's way\\01.jpg"_s << u"C:\\photos\\Tom''s way\\01.jpg"_s;
    QTest::newRow("unix path with apostrophes")
        << u"/home/はな/ママ's 写真/'01'.jpg"_s << u"/home/はな/ママ''s 写真/''01''.jpg"_s;
    QTest::newRow("full-width apostrophe unchanged") << u"Tom＇s"_s << u"Tom＇s"_s;
    QTest::newRow("typographic right quote unchanged") << u"Tom’s"_s << u"Tom’s"_s;
    QTest::newRow("typographic left quote unchanged") << u"‘a’"_s << u"‘a’"_s;
    QTest::newRow("double quote unchanged") << u"say \"hi\""_s << u"say \"hi\""_s;
    QTest::newRow("acute and grave accents unchanged") << u"´`"_s << u"´`"_s;
    QTest::newRow("surrogate pairs around apostrophe") << u"😀'😀"_s << u"😀''😀"_s;
    QTest::newRow("looks like an injection")
        << u"x'; DELETE FROM プログラム; --"_s << u"x''; DELETE FROM プログラム; --"_s;
}

void TestText::sqlQuote()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString before = text;
    const QString quoted = SQL_QUOTE(text);
    QCOMPARE(quoted, expected);
    QCOMPARE(text, before);

    // Between single quotes in a statement the quoted text stands for exactly the original.
    QSqlQuery q(m_db);
    QVERIFY2(q.exec(QStringLiteral("SELECT '") + quoted + QStringLiteral("'")),
             qPrintable(q.lastError().text()));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), text);
    QVERIFY(!q.next());
}

void TestText::stepKey_data()
{
    QTest::addColumn<qlonglong>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1 gets two leading zeros") << 1LL << u"001"_s;
    QTest::newRow("12 gets one leading zero") << 12LL << u"012"_s;
    QTest::newRow("100 has none") << 100LL << u"100"_s;
    QTest::newRow("999 the last step") << 999LL << u"999"_s;
    QTest::newRow("1000 keeps the last three digits") << 1000LL << u"000"_s;
    QTest::newRow("1234 keeps the last three digits") << 1234LL << u"234"_s;
    QTest::newRow("0 before the first step") << 0LL << u"000"_s;
}

void TestText::stepKey()
{
    QFETCH(qlonglong, n);
    QFETCH(QString, expected);
    QCOMPARE(StepKey(n), expected);
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
