// Opening the route store on a missing, foreign, damaged or read-only file: a clear error, and
// the file left exactly as it was.
#include "app/m_lane.h"
#include "platform/failure.h"
#include "store/connection.h"
#include "store/route_failure.h"
#include "store/route_file.h"
#include "support/route_fixture.h"
#include "support/store_checks.h"
#include "support/texts.h"

#include <QBuffer>
#include <QColor>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <optional>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using platform::Failure;
using Kind = platform::Failure::Kind;

Q_DECLARE_METATYPE(platform::Failure::Kind)

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result();
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The bytes of an SQLite file made by `statements`, built aside from any route file.
QByteArray sqliteBytes(const QStringList& statements)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"made.db"_s);
    const QString name = u"tst_store_files-"_s + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot make %s", qPrintable(path));
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

QByteArray pngBytes()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        qFatal("cannot make a PNG");
    return bytes;
}

// The header of an Access file, as a route file copied over from the Windows program starts.
QByteArray jetBytes()
{
    QByteArray bytes(4096, '\0');
    const QByteArray head =
        QByteArrayLiteral("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00");
    bytes.replace(0, head.size(), head);
    return bytes;
}

// Reads the whole route through the store, so that every page of the file is touched.
int readWholeRoute(store::Connection& cn)
{
    int n = 0;
    for (store::Recordset rs = cn.Query(u"SELECT * FROM プログラム ORDER BY 順序"_s); !rs.eof();
         rs.moveNext()) {
        rs.field(u"写真"_s);
        ++n;
    }
    return n;
}

#ifdef Q_OS_LINUX
// Sets or clears the file system's immutable flag, which stops even the superuser's writes.
bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}
#endif

} // namespace

class TestStoreFiles : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsCreated();
    void missingFolder();
    void folderInPlaceOfFile();
    void foreignFile_data();
    void foreignFile();
    void truncatedRouteFile_data();
    void truncatedRouteFile();
    void readOnlyFile();
    void leftoverJournalBesideAReplacedFile();
    void journalStillBeingWritten_data();
    void journalStillBeingWritten();
    void engineErrorsInPlainWords_data();
    void engineErrorsInPlainWords();
};

void TestStoreFiles::missingFileIsCreated()
{
    RouteFixture fx;
    QVERIFY(!QFile::exists(m_lane::DB_PATH));
    {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        QVERIFY(QFile::exists(m_lane::DB_PATH));
        QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 0);
        cn.Execute(u"INSERT INTO プログラム VALUES ( '001','/tmp/a.png','→' );"_s);
    }
    // The new file holds the table with its columns in their order.
    QCOMPARE(fx.rows(), (QList<RouteRow>{{u"001"_s, u"/tmp/a.png"_s, kRight}}));
    fx.exec(u"INSERT INTO プログラム VALUES ('002', '/tmp/b.png', '↑')"_s);
    {
        // Opened again, it is the same file and is not made afresh.
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        QCOMPARE(cn.RecordCount(u"SELECT * FROM プログラム"_s), 2);
    }
    QCOMPARE(entries(fx.dir()), QStringList{u"ADO_LANE.mdb"_s}); // no leftovers beside it
}

void TestStoreFiles::missingFolder()
{
    RouteFixture fx;
    const QString folder = QDir(fx.dir()).filePath(u"gone/away"_s);
    m_lane::InitSettings(folder);
    store::Connection cn;
    const std::optional<platform::Failure> error =
        failureOf([&] { cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE); });
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::NoFolder);
    QCOMPARE(error->file(), m_lane::DB_PATH);
    checkMessage(*error, m_lane::DB_PATH);
    QVERIFY(!cn.isOpen());
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(entries(fx.dir()), QStringList{});
}

void TestStoreFiles::folderInPlaceOfFile()
{
    RouteFixture fx;
    QVERIFY(QDir().mkpath(m_lane::DB_PATH));
    store::Connection cn;
    const std::optional<platform::Failure> error =
        failureOf([&] { cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE); });
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::IsDirectory);
    checkMessage(*error, m_lane::DB_PATH);
    QVERIFY(QFileInfo(m_lane::DB_PATH).isDir());
    QCOMPARE(entries(m_lane::DB_PATH), QStringList{});
    QCOMPARE(entries(fx.dir()), QStringList{u"ADO_LANE.mdb"_s});
}

void TestStoreFiles::foreignFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Kind>("kind");

    QTest::newRow("png picture") << pngBytes() << Kind::NotRouteFile;
    QTest::newRow("text file") << QByteArray("Provider=Microsoft.Jet.OLEDB.4.0\r\n001,a.jpg\r\n")
                               << Kind::NotRouteFile;
    QTest::newRow("one byte") << QByteArray("x") << Kind::NotRouteFile;
    QTest::newRow("access file from the windows program") << jetBytes() << Kind::NotRouteFile;
    QTest::newRow("sqlite header then garbage")
        << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\x7f') << Kind::NotRouteFile;
    QTest::newRow("zero bytes") << QByteArray() << Kind::EmptyFile;
    QTest::newRow("sqlite without the route table")
        << sqliteBytes({u"CREATE TABLE steps (順序 TEXT, 写真 TEXT, 方向 TEXT)"_s})
        << Kind::NoTable;
    QTest::newRow("sqlite with a similar table name")
        << sqliteBytes({u"CREATE TABLE プログラム2 (順序 TEXT, 写真 TEXT, 方向 TEXT)"_s})
        << Kind::NoTable;
    QTest::newRow("sqlite with a column missing")
        << sqliteBytes({u"CREATE TABLE プログラム (順序 TEXT, 写真 TEXT)"_s,
                        u"INSERT INTO プログラム VALUES ('001', '/tmp/a.png')"_s})
        << Kind::WrongColumns;
    QTest::newRow("sqlite with columns swapped")
        << sqliteBytes({u"CREATE TABLE プログラム (順序 TEXT, 方向 TEXT, 写真 TEXT)"_s,
                        u"INSERT INTO プログラム VALUES ('001', '↑', '/tmp/a.png')"_s})
        << Kind::WrongColumns;
    QTest::newRow("sqlite with an extra column")
        << sqliteBytes({u"CREATE TABLE プログラム (順序 TEXT, 写真 TEXT, 方向 TEXT, メモ TEXT)"_s})
        << Kind::WrongColumns;
    QTest::newRow("sqlite with other column names")
        << sqliteBytes({u"CREATE TABLE プログラム (no TEXT, photo TEXT, dir TEXT)"_s})
        << Kind::WrongColumns;
}

void TestStoreFiles::foreignFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Kind, kind);
    RouteFixture fx;
    writeFile(m_lane::DB_PATH, bytes);
    const QByteArray before = fileHash(m_lane::DB_PATH);
    const QStringList names = QSqlDatabase::connectionNames();

    for (int attempt = 0; attempt < 2; ++attempt) { // the same answer every time
        store::Connection cn;
        const std::optional<platform::Failure> error =
            failureOf([&] { cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE); });
        QVERIFY(error);
        QCOMPARE(error->kind(), kind);
        QCOMPARE(error->file(), m_lane::DB_PATH);
        checkMessage(*error, m_lane::DB_PATH);
        QVERIFY(!cn.isOpen());
    }
    QCOMPARE(fileHash(m_lane::DB_PATH), before);
    QCOMPARE(QFileInfo(m_lane::DB_PATH).size(), bytes.size());
    QCOMPARE(entries(fx.dir()), QStringList{u"ADO_LANE.mdb"_s});
    QCOMPARE(QSqlDatabase::connectionNames(), names);
}

void TestStoreFiles::truncatedRouteFile_data()
{
    QTest::addColumn<double>("share");    // of the whole file kept
    QTest::addColumn<bool>("wholePages"); // cut where a page ends

    QTest::newRow("first half") << 0.5 << false;
    QTest::newRow("first tenth") << 0.1 << false;
    QTest::newRow("all but the last bytes") << 0.99 << false;
    QTest::newRow("last pages lost at a page boundary") << 0.9 << true;
    QTest::newRow("only part of the header") << 0.001 << false;
}

void TestStoreFiles::truncatedRouteFile()
{
    QFETCH(double, share);
    QFETCH(bool, wholePages);
    RouteFixture fx;
    // A route long enough to fill many pages of the file.
    QList<RouteRow> rows;
    for (int i = 1; i <= 999; ++i)
        rows << RouteRow{stepKey(i), u"/home/はな/写真/通学路/%1_かどをまがる.jpg"_s.arg(i), kUp};
    fx.create(rows);
    QFile f(m_lane::DB_PATH);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    QVERIFY(whole.size() > 10 * 4096);
    qsizetype keep = qMax<qsizetype>(1, qsizetype(whole.size() * share));
    if (wholePages)
        keep -= keep % 4096;
    const QByteArray cut = whole.left(keep);
    writeFile(m_lane::DB_PATH, cut);
    const QByteArray before = fileHash(m_lane::DB_PATH);

    const std::optional<platform::Failure> error = failureOf([&] {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
        readWholeRoute(cn);
        cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '001'"_s);
    });
    QVERIFY(error);
    QCOMPARE(error->kind(), Kind::NotRouteFile);
    checkMessage(*error, m_lane::DB_PATH);
    QCOMPARE(fileHash(m_lane::DB_PATH), before);
    QCOMPARE(entries(fx.dir()), QStringList{u"ADO_LANE.mdb"_s});
}

void TestStoreFiles::readOnlyFile()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QByteArray before = fileHash(m_lane::DB_PATH);
    bool immutable = false;
#ifdef Q_OS_LINUX
    if (::geteuid() == 0) {
        // Permission bits don't stop the superuser; the immutable flag does.
        immutable = setImmutable(m_lane::DB_PATH, true);
        if (!immutable)
            QSKIP("running as root on a file system without an immutable flag");
    }
#endif
    const QFile::Permissions permissions = QFile::permissions(m_lane::DB_PATH);
    if (!immutable)
        QVERIFY(QFile::setPermissions(m_lane::DB_PATH,
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto restore = qScopeGuard([&] {
#ifdef Q_OS_LINUX
        if (immutable)
            setImmutable(m_lane::DB_PATH, false);
#endif
        QFile::setPermissions(m_lane::DB_PATH, permissions);
    });

    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QCOMPARE(readWholeRoute(cn), 3);
    {
        store::Recordset rs = cn.Query(u"SELECT * FROM プログラム WHERE 順序 = '002' "_s);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.field(u"写真"_s), QDir(fx.dir()).filePath(u"p2.png"_s));
    }

    const std::optional<platform::Failure> direct = failureOf(
        [&] { cn.Execute(u"INSERT INTO プログラム VALUES ( '004','/tmp/d.png','↑' );"_s); });
    QVERIFY(direct);
    QCOMPARE(direct->kind(), Kind::ReadOnly);
    checkMessage(*direct, m_lane::DB_PATH);
    QVERIFY2(direct->reason().contains(u"読み取り専用"_s), qPrintable(direct->reason()));

    const std::optional<platform::Failure> inChange = failureOf([&] {
        store::Transaction t(cn);
        cn.Execute(u"DELETE FROM プログラム WHERE 順序 = '001'"_s);
        t.commit();
    });
    QVERIFY(inChange);
    QCOMPARE(inChange->kind(), Kind::ReadOnly);
    checkMessage(*inChange, m_lane::DB_PATH);

    // Reading still works after the refused writes.
    QCOMPARE(readWholeRoute(cn), 3);
    cn.Close();
    restore.dismiss();
#ifdef Q_OS_LINUX
    if (immutable)
        QVERIFY(setImmutable(m_lane::DB_PATH, false));
#endif
    QFile::setPermissions(m_lane::DB_PATH, permissions);
    QCOMPARE(fileHash(m_lane::DB_PATH), before);
    QCOMPARE(entries(fx.dir()), QStringList{u"ADO_LANE.mdb"_s});
}

// A crash left a journal beside the route file, and the parent then copied another file (a
// backup) over it: the engine would replay the journal into the wrong file. Both are kept,
// dated, before the first open, and the message about the damaged file names the copies.
void TestStoreFiles::leftoverJournalBesideAReplacedFile()
{
    RouteFixture fx;
    fx.createSteps(3);
    const QByteArray backup = fileHash(m_lane::DB_PATH);

    // A journal of another file, caught half-way through a large change.
    const QString other = QDir(fx.dir()).filePath(u"other.db"_s);
    QByteArray journal;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"journal-maker"_s);
        db.setDatabaseName(other);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE other (x TEXT)"_s));
        QVERIFY(q.exec(u"INSERT INTO other VALUES ('a')"_s));
        // A small cache makes the engine write its journal out in full before the change ends.
        QVERIFY(q.exec(u"PRAGMA cache_size = 10"_s));
        QVERIFY(q.exec(u"BEGIN"_s));
        QVERIFY(q.exec(u"CREATE TABLE more (x TEXT)"_s));
        for (int i = 0; i < 1000; ++i)
            QVERIFY(
                q.exec(u"INSERT INTO more VALUES ('%1')"_s.arg(QString(200, QLatin1Char('x')))));
        QFile f(other + u"-journal"_s);
        QVERIFY(f.open(QIODevice::ReadOnly));
        journal = f.readAll();
        f.close();
        QVERIFY(q.exec(u"ROLLBACK"_s));
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"journal-maker"_s);
    writeFile(m_lane::DB_PATH + u"-journal"_s, journal);
    {
        // The crash was a while ago.
        QFile f(m_lane::DB_PATH + u"-journal"_s);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-600),
                              QFileDevice::FileModificationTime));
    }
    const QByteArray journalHash = fileHash(m_lane::DB_PATH + u"-journal"_s);

    const std::optional<platform::Failure> error = failureOf([] {
        store::Connection cn;
        cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    });
    const QStringList copies =
        QDir(fx.dir()).entryList({u"ADO_LANE.mdb*.bak"_s}, QDir::Files, QDir::Name);
    QCOMPARE(copies.size(), 2);
    QVERIFY2(copies[0].startsWith(u"ADO_LANE.mdb-journal."_s), qPrintable(copies[0]));
    QVERIFY2(copies[1].startsWith(u"ADO_LANE.mdb."_s), qPrintable(copies[1]));
    QCOMPARE(fileHash(QDir(fx.dir()).filePath(copies[1])), backup);
    QCOMPARE(fileHash(QDir(fx.dir()).filePath(copies[0])), journalHash);
    // The replay turned the file into something else, and the parent is told where the copies are.
    QVERIFY(error);
    for (const QString& copy : copies)
        QVERIFY2(error->text().contains(copy), qPrintable(error->text()));
}

// A journal is a leftover only once nobody is writing it any more: another program's change in
// progress has a fresh one beside the file, and copying that would keep a change half-made.
void TestStoreFiles::journalStillBeingWritten_data()
{
    QTest::addColumn<int>("age"); // seconds since the journal was last written
    QTest::addColumn<bool>("kept");
    QTest::newRow("another program is writing it now") << 0 << false;
    QTest::newRow("a crash left it a minute ago") << 60 << true;
}

void TestStoreFiles::journalStillBeingWritten()
{
    QFETCH(int, age);
    QFETCH(bool, kept);
    RouteFixture fx;
    fx.createSteps(1);
    const QString journal = m_lane::DB_PATH + u"-journal"_s;
    // A journal's header: the magic bytes, then anything.
    writeFile(journal, QByteArray("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) + QByteArray(504, '\0'));
    {
        QFile f(journal);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                              QFileDevice::FileModificationTime));
    }
    const QStringList copies = store::keepLeftovers(m_lane::DB_PATH);
    QCOMPARE(copies.size(), kept ? 2 : 0);
    QCOMPARE(QDir(fx.dir()).entryList({u"*.bak"_s}, QDir::Files).size(), kept ? 2 : 0);
}

// What the engine reports, in plain Japanese with a next step; the engine's own words only on
// a detail line of their own, and nothing else of the driver's.
void TestStoreFiles::engineErrorsInPlainWords_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<platform::Failure::Kind>("kind");
    QTest::addColumn<QString>("words"); // what the cause must say
    QTest::newRow("read-only folder") << 1544 << Kind::ReadOnlyFolder << u"フォルダー"_s;
    QTest::newRow("leftover that can't be undone in a read-only folder")
        << 776 << Kind::ReadOnlyFolder << u"フォルダー"_s;
    QTest::newRow("read-only file") << 8 << Kind::ReadOnly << u"読み取り専用"_s;
    QTest::newRow("disk full") << 13 << Kind::DiskFull << u"ディスクがいっぱい"_s;
    QTest::newRow("write error") << 778 << Kind::Failed << u"書き込めません"_s;
    QTest::newRow("busy past the time-out") << 773 << Kind::Locked << u"ほかのプログラム"_s;
    QTest::newRow("not a database") << 26 << Kind::NotRouteFile << u"道順ファイルではない"_s;
}

void TestStoreFiles::engineErrorsInPlainWords()
{
    QFETCH(int, code);
    QFETCH(platform::Failure::Kind, kind);
    QFETCH(QString, words);
    const QString engine = u"attempt to write a readonly database"_s;
    const QString driver = u"Unable to fetch row"_s;
    const platform::Failure e = store::failureFromSql(
        u"/route/ADO_LANE.mdb"_s,
        QSqlError(driver, engine, QSqlError::StatementError, QString::number(code)));
    QCOMPARE(e.kind(), kind);
    QVERIFY2(e.reason().contains(words), qPrintable(e.reason()));
    QVERIFY2(e.reason().contains(u"ください"_s), qPrintable(e.reason()));
    static const QRegularExpression latin(u"[A-Za-z]+"_s);
    for (auto m = latin.globalMatch(e.reason()); m.hasNext();)
        QCOMPARE(m.next().captured(), u"USB"_s);
    const QString message = e.text();
    QVERIFY2(message.endsWith(u"\n\n詳細: "_s + engine), qPrintable(message));
    QVERIFY2(!message.contains(driver), qPrintable(message));
    QCOMPARE(message.count(engine), 1);
}

QTEST_GUILESS_MAIN(TestStoreFiles)
#include "tst_store_files.moc"
