// A route written to a board archive with its photos and read back on another account; and
// damaged or hostile archives, each refused before anything changes.
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "learn/messages.h"
#include "platform/picture.h"
#include "platform/program_folder.h"
#include "share/messages.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "share/obz_limits.h"
#include "share/share_cli.h"
#include "share/share_commands.h"
#include "support/native_tree.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>
#include <memory>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <sys/stat.h>
#include <zlib.h>

namespace {

const QString kUp = QStringLiteral("↑"), kLeft = QStringLiteral("←"), kRight = QStringLiteral("→");

// `jpeg` with an EXIF orientation tag (6: turn the stored picture 90 degrees clockwise), as a
// phone camera writes it.
QByteArray withOrientationTag(const QByteArray& jpeg, quint16 orientation)
{
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray("MM\0\x2a\0\0\0\x08", 8);
    exif += QByteArray("\0\x01", 2);
    exif += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8);
    exif += char(orientation >> 8);
    exif += char(orientation & 0xff);
    exif += QByteArray("\0\0\0\0\0\0", 6);
    const int length = exif.size() + 2;
    QByteArray segment("\xff\xe1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xff);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

// A picture in two halves, `first` above (or left of) `second`.
QImage halves(QSize size, QColor first, QColor second, Qt::Orientation split)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(second);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (split == Qt::Vertical ? y < size.height() / 2 : x < size.width() / 2)
                image.setPixelColor(x, y, first);
    return image;
}

QByteArray jpegBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

// Every file below `dir` with a digest of its bytes.
QStringList snapshot(const QString& dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << path + QLatin1Char(' ') +
                     QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex();
    }
    files.sort();
    return files;
}

// One entry of a zip made by a test. With `declared` set, `bytes` are already deflated and the
// entry claims to unpack to `declared` bytes.
struct Entry
{
    QString name;
    QByteArray bytes;
    quint32 unixMode = 0100644;
    qint64 declared = -1;
    const char* password = nullptr;
};

void writeZip(const QString& path, const QList<Entry>& entries)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const Entry& e : entries) {
        QuaZipNewInfo info(e.name);
        info.externalAttr = e.unixMode << 16;
        QuaZipFile file(&zip);
        if (e.declared >= 0) {
            info.uncompressedSize = ulong(e.declared);
            QVERIFY(file.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, 6, true));
        } else if (e.password) {
            const quint32 crc = quint32(crc32(
                0, reinterpret_cast<const Bytef*>(e.bytes.constData()), uInt(e.bytes.size())));
            QVERIFY(file.open(QIODevice::WriteOnly, info, e.password, crc));
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly, info));
        }
        file.write(e.bytes);
        file.close();
    }
    zip.close();
    QCOMPARE(zip.getZipError(), UNZ_OK);
}

QList<Entry> readZip(const QString& path)
{
    QList<Entry> entries;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return entries;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        entries << Entry{zip.getCurrentFileName(), file.readAll()};
    }
    return entries;
}

// Raw deflate data of `bytes` (qCompress gives a size, a zlib header and a checksum around it).
QByteArray rawDeflate(const QByteArray& bytes)
{
    const QByteArray z = qCompress(bytes, 9);
    return z.mid(6, z.size() - 10);
}

QJsonObject jsonOf(const QByteArray& bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

QByteArray jsonBytes(const QJsonObject& object)
{
    return QJsonDocument(object).toJson();
}

Entry& entryNamed(QList<Entry>& entries, const QString& name)
{
    for (Entry& e : entries)
        if (e.name == name)
            return e;
    qFatal("no entry %s", qPrintable(name));
}

enum class Damage {
    ParentFolder,
    AbsolutePath,
    SymbolicLink,
    HugeDeclaredSize,
    BiggerThanDeclared,
    PackedTooTightly,
    MissingPicture,
    TooManySteps,
    BrokenJson,
    OtherBoardApp,
    NotAZip,
    TruncatedPicture,
    BeyondDecoderMemory,
    ManifestNamesOneBoardOften,
    Encrypted,
};

} // namespace

class TestRouteArchive : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs;
    QTemporaryDir work;
    QString goodArchive;

private slots:
    void initTestCase()
    {
        // A good two-step archive that the bad ones are made from. An entry that no board names is
        // still refused when it is unsafe.
        RouteFixture fx;
        fx.create({{"001", fx.makeImage("a.png", {64, 48}), kUp},
                   {"002", fx.makeImage("b.png", {64, 48}), kRight}});
        goodArchive = work.filePath(QStringLiteral("good.obz"));
        QCOMPARE(share::exportRoute(fx.dbPath(), goodArchive).steps, 2);
    }

    void init() { dialogs = ScriptedDialogs(); }

    void roundTripOnAnotherAccountPractisesWhole()
    {
        auto home = std::make_unique<RouteFixture>();
        const QString photos = QDir(home->dir()).filePath(QStringLiteral("写真"));
        // Large and landscape, red above blue.
        const QString big = photos + QStringLiteral("/big.jpg");
        writeFile(big, jpegBytes(halves({2600, 1950}, Qt::red, Qt::blue, Qt::Vertical)));
        // Stored sideways with green on the left; upright it is 300 x 400 with green on top.
        const QString sideways = photos + QStringLiteral("/sideways.jpg");
        writeFile(sideways,
                  withOrientationTag(
                      jpegBytes(halves({400, 300}, Qt::green, Qt::yellow, Qt::Horizontal)), 6));
        // Small PNG, taken as it is; its name has a quote in it.
        const QString small = photos + QStringLiteral("/it's.png");
        QVERIFY(halves({320, 240}, Qt::black, Qt::white, Qt::Vertical).save(small));
        const QString gone = photos + QStringLiteral("/gone.jpg");
        home->create({{"001", big, kUp},
                      {"002", sideways, kRight},
                      {"003", small, kLeft},
                      {"004", gone, kUp}});

        const QString archive = work.filePath(QStringLiteral("通学路.obz"));
        dialogs.saveFiles = {work.filePath(QStringLiteral("通学路"))};
        share::exportRouteCommand(dialogs, nullptr);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].startsWith(share::messages::exported(4, archive)) &&
                     dialogs.messages[0].contains(QStringLiteral("gone.jpg")),
                 qPrintable(dialogs.messages[0]));
        const QByteArray smallBytes = fileBytes(small);
        home.reset(); // the original photos and route are gone

        RouteFixture away;
        away.create();
        dialogs = ScriptedDialogs();
        dialogs.files = {archive};
        dialogs.folders = {away.dir()};
        int changed = 0;
        share::importRouteCommand(dialogs, nullptr, [&] { ++changed; });
        QCOMPARE(changed, 1);
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[0], share::messages::replaceQuestion(
                                          QStringLiteral("通学路.obz"), 4,
                                          QDir(away.dir()).filePath(QStringLiteral("通学路"))));

        const QList<RouteRow> rows = away.rows();
        QCOMPARE(rows.size(), 4);
        const QStringList directions{kUp, kRight, kLeft, kUp};
        const QString folder = QDir(away.dir()).filePath(QStringLiteral("通学路"));
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].order, QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            QCOMPARE(rows[i].direction, directions[i]);
            QCOMPARE(QFileInfo(rows[i].photo).absolutePath(), folder);
        }
        // The big photo at 1920 pixels, still red above blue.
        const QImage first = *platform::LoadPicture(rows[0].photo);
        QCOMPARE(first.size(), QSize(1920, 1440));
        QVERIFY(near(first.pixelColor(960, 300), Qt::red));
        QVERIFY(near(first.pixelColor(960, 1100), Qt::blue));
        // The sideways photo stored upright, so that any board app shows it the right way up.
        QImageReader reader(rows[1].photo);
        QCOMPARE(reader.transformation(), QImageIOHandler::TransformationNone);
        const QImage second = reader.read();
        QCOMPARE(second.size(), QSize(300, 400));
        QVERIFY(near(second.pixelColor(150, 80), Qt::green));
        QVERIFY(near(second.pixelColor(150, 320), Qt::yellow));
        QCOMPARE(QFileInfo(rows[2].photo).fileName(), QStringLiteral("it's.png"));
        QCOMPARE(fileBytes(rows[2].photo), smallBytes);
        QVERIFY(platform::PictureSize(rows[3].photo)); // the placeholder

        // The child practises the imported route from the first step to the goal.
        dialogs = ScriptedDialogs();
        frm_lane_play play(dialogs, platform::ScreenTwips::fromPixels({1024, 768}),
                           QString::fromUtf8(MICHITAN_ASSETS_DIR));
        const QHash<QString, int> button{{kUp, 0}, {kLeft, 1}, {kRight, 2}};
        for (const QString& direction : directions) {
            play.Timer1_Timer();
            QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('\n')));
            QVERIFY(!play.photo()->pixmap().isNull());
            play.Command1_Click(button[direction]);
        }
        play.Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
    }

    void damagedArchiveIsRefusedAndNothingChanges_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("said");
        const QString refused = share::messages::kNotRead;
        QTest::newRow("picture cut short")
            << Damage::TruncatedPicture
            << share::messages::photoNotShown(QStringLiteral("images/001.png"));
        QTest::newRow("one-bit picture beyond the decoder's memory")
            << Damage::BeyondDecoderMemory
            << share::messages::photoNotShown(QStringLiteral("images/001.png"));
        QTest::newRow("manifest naming one board under many keys")
            << Damage::ManifestNamesOneBoardOften
            << share::messages::tooManyBoards(5000, share::limits::kMaxBoards);
        QTest::newRow("encrypted zip") << Damage::Encrypted << share::messages::kEncrypted;
        QTest::newRow("entry leaving the folder through ../") << Damage::ParentFolder << refused;
        QTest::newRow("entry with an absolute path") << Damage::AbsolutePath << refused;
        QTest::newRow("symbolic link entry") << Damage::SymbolicLink << refused;
        QTest::newRow("entry declaring gigabytes") << Damage::HugeDeclaredSize << refused;
        QTest::newRow("picture unpacking beyond its declared size")
            << Damage::BiggerThanDeclared << refused;
        QTest::newRow("entry packed a thousand to one") << Damage::PackedTooTightly << refused;
        QTest::newRow("picture named by a board but missing") << Damage::MissingPicture << refused;
        QTest::newRow("more than 999 steps") << Damage::TooManySteps << refused;
        QTest::newRow("board with broken JSON") << Damage::BrokenJson << refused;
        QTest::newRow("board app file without our fields") << Damage::OtherBoardApp << refused;
        QTest::newRow("not a zip at all") << Damage::NotAZip << refused;
    }

    void damagedArchiveIsRefusedAndNothingChanges()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, said);
        QList<Entry> entries = readZip(goodArchive);
        QCOMPARE(entries.size(), 6);
        const QString picture = QStringLiteral("images/001.png");
        switch (damage) {
        case Damage::ParentFolder:
            entries << Entry{QStringLiteral("images/../../evil.png"), "x"};
            break;
        case Damage::AbsolutePath:
            entries << Entry{QStringLiteral("/tmp/evil.png"), "x"};
            break;
        case Damage::SymbolicLink:
            entries << Entry{QStringLiteral("images/link.png"), "/etc/passwd", 0120777};
            break;
        case Damage::HugeDeclaredSize:
            entries << Entry{QStringLiteral("images/huge.png"), rawDeflate(QByteArray(1000, 'x')),
                             0100644, 3'000'000'000};
            break;
        case Damage::BiggerThanDeclared:
            entryNamed(entries, picture).declared = 5000;
            entryNamed(entries, picture).bytes = rawDeflate(QByteArray(64 << 20, '\0'));
            break;
        case Damage::PackedTooTightly:
            entries << Entry{QStringLiteral("filler.bin"), QByteArray(30 << 20, '\0')};
            break;
        case Damage::MissingPicture:
            entries.removeIf([&](const Entry& e) { return e.name == picture; });
            break;
        case Damage::TooManySteps: {
            Entry& manifest = entryNamed(entries, QStringLiteral("manifest.json"));
            QJsonObject json = jsonOf(manifest.bytes);
            json.insert(QStringLiteral("ext_michitan_steps"), 1000);
            manifest.bytes = jsonBytes(json);
            break;
        }
        case Damage::BrokenJson:
            entryNamed(entries, QStringLiteral("boards/002.obf")).bytes.chop(20);
            break;
        case Damage::OtherBoardApp: {
            Entry& manifest = entryNamed(entries, QStringLiteral("manifest.json"));
            QJsonObject json = jsonOf(manifest.bytes);
            json.remove(QStringLiteral("ext_michitan_steps"));
            manifest.bytes = jsonBytes(json);
            break;
        }
        case Damage::NotAZip:
            break;
        case Damage::TruncatedPicture:
            entryNamed(entries, picture).bytes.chop(40);
            break;
        case Damage::BeyondDecoderMemory: {
            QImage mono(16000, 16000, QImage::Format_Mono);
            mono.fill(0);
            QBuffer buffer(&entryNamed(entries, picture).bytes);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(mono.save(&buffer, "PNG"));
            break;
        }
        case Damage::ManifestNamesOneBoardOften: {
            Entry& manifest = entryNamed(entries, QStringLiteral("manifest.json"));
            QJsonObject json = jsonOf(manifest.bytes);
            QJsonObject paths = json.value(QStringLiteral("paths")).toObject();
            QJsonObject boards;
            for (int i = 0; i < 5000; ++i)
                boards.insert(QStringLiteral("b%1").arg(i), QStringLiteral("boards/001.obf"));
            paths.insert(QStringLiteral("boards"), boards);
            json.insert(QStringLiteral("paths"), paths);
            manifest.bytes = jsonBytes(json);
            break;
        }
        case Damage::Encrypted:
            for (Entry& e : entries)
                e.password = "secret";
            break;
        }
        const QString archive = work.filePath(QStringLiteral("bad.obz"));
        QFile::remove(archive);
        if (damage == Damage::NotAZip)
            writeFile(archive, "PK\x03\x04 this is not really a zip");
        else
            writeZip(archive, entries);

        RouteFixture fx;
        fx.create({{"001", fx.makeImage("keep.png", {32, 32}), kUp}});
        const QString photos = QDir(fx.dir()).filePath(QStringLiteral("photos"));
        writeFile(photos + QStringLiteral("/old.png"), fileBytes(fx.rows()[0].photo));
        const QStringList before = snapshot(fx.dir());

        QString errors;
        QTextStream err(&errors);
        QCOMPARE(share::importCommand(fx.dbPath(), archive, photos, err), 1);
        QVERIFY2(errors.contains(share::messages::kNotRead), qPrintable(errors));
        QVERIFY2(errors.contains(said), qPrintable(errors));
        // A file that ミチタン wrote is not blamed on its maker.
        const bool ours = damage == Damage::TruncatedPicture ||
                          damage == Damage::BeyondDecoderMemory || damage == Damage::BrokenJson ||
                          damage == Damage::MissingPicture || damage == Damage::TooManySteps ||
                          damage == Damage::ManifestNamesOneBoardOften;
        QCOMPARE(errors.contains(share::messages::kChooseOurFile), !ours);
        QCOMPARE(snapshot(fx.dir()), before);
    }

    // A route that import would refuse is refused by export, saying why, and the archive that
    // was at the target stays; a photo that is there but is no picture is named, not called
    // missing.
    void exportRefusesWhatImportWouldRefuse_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("said");
        QTest::newRow("1001 rows")
            << 1001 << kUp << share::messages::tooManyToExport(1001, share::limits::kMaxSteps);
        QTest::newRow("direction typed by hand")
            << 2 << QStringLiteral("右")
            << share::messages::directionNotArrow(2, QStringLiteral("右"));
    }

    void exportRefusesWhatImportWouldRefuse()
    {
        QFETCH(int, steps);
        QFETCH(QString, direction);
        QFETCH(QString, said);
        RouteFixture fx;
        const QString photo = fx.makeImage(QStringLiteral("a.png"), {16, 16});
        QList<RouteRow> rows;
        for (int i = 1; i <= steps; ++i)
            rows << RouteRow{QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), photo,
                             i == steps ? direction : kUp};
        fx.create(rows);
        const QString out = fx.dir() + QStringLiteral("/道順.obz");
        writeFile(out, "the family's archive");
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(share::exportCommand(fx.dbPath(), out, err), 1);
        QVERIFY2(errors.contains(said), qPrintable(errors));
        QCOMPARE(fileBytes(out), QByteArray("the family's archive"));
    }

    void exportNamesAPhotoItCannotRead()
    {
        RouteFixture fx;
        const QString text = fx.dir() + QStringLiteral("/memo.jpg");
        writeFile(text, "not a picture at all");
        fx.create({{"001", text, kUp}, {"002", fx.dir() + QStringLiteral("/gone.jpg"), kRight}});
        const share::ExportResult result =
            share::exportRoute(fx.dbPath(), work.filePath(QStringLiteral("memo.obz")));
        QCOMPARE(result.unreadable, QStringList{text});
        QCOMPARE(result.missing, QStringList{fx.dir() + QStringLiteral("/gone.jpg")});
    }

    // An import stopped half-way (killed) leaves its unpacked photos in a hidden folder, which
    // the next import clears; the photos keep their own names.
    void stoppedImportLeavesNoHalfPhoto()
    {
        RouteFixture fx;
        fx.create({{"001", fx.makeImage("keep.png", {32, 32}), kUp}});
        const QString photos = QDir(fx.dir()).filePath(QStringLiteral("photos"));
        writeFile(photos + QStringLiteral("/.michitan-import-dead/a.png"), "half a pho");
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(share::importCommand(fx.dbPath(), goodArchive, photos, err), 0);
        QCOMPARE(QDir(photos).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("a.png"), QStringLiteral("b.png")}));
        // The route before is kept under the one name every dated copy has.
        const QStringList copies = QDir(fx.dir()).entryList({QStringLiteral("*.bak")});
        QCOMPARE(copies.size(), 1);
        QVERIFY2(copies[0].startsWith(QFileInfo(fx.dbPath()).fileName() + u'.'),
                 qPrintable(copies[0]));
    }

    // Photos imported into a folder reachable only through a descriptor (a program folder whose
    // name is not UTF-8) go to the user's data folder, and the route names them by real paths.
    void importIntoAFolderWhoseNameIsNotUtf8()
    {
        QTemporaryDir dir;
        const QByteArray native = QFile::encodeName(dir.path()) + "/\x93\xb9\x8f\x87"; // Shift-JIS
        QVERIFY(::mkdir(native.constData(), 0755) == 0);
        const auto remove = qScopeGuard([&] { removeNativeTree(native); });
        const platform::ProgramFolder folder(native);
        QVERIFY(folder.path().startsWith(QStringLiteral("/proc/self/fd/")));
        RouteFixture fx;
        fx.create({{"001", fx.makeImage("keep.png", {32, 32}), kUp}});
        QStandardPaths::setTestModeEnabled(true);
        const auto normal = qScopeGuard([] { QStandardPaths::setTestModeEnabled(false); });
        const share::ImportResult result = share::importRoute(
            share::readArchive(goodArchive), fx.dbPath(), folder.path() + QStringLiteral("/写真"));
        QVERIFY(result.photoFolderMoved);
        const auto cleanUp = qScopeGuard([&] { QDir(result.photoFolder).removeRecursively(); });
        for (const RouteRow& row : fx.rows()) {
            QVERIFY2(row.photo.startsWith(result.photoFolder + u'/'), qPrintable(row.photo));
            QVERIFY(QFileInfo(row.photo).isFile());
        }
    }

    // Photo names are shortened to 255 bytes at a character's end, keeping the suffix and the
    // number that makes them unique.
    void longPhotoNamesFitTheFileSystem_data()
    {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("kept");
        QTest::newRow("emoji at the cut")
            << QString(250, u'a') + QStringLiteral("😀😀") << QString() << QString(250, u'a');
        QTest::newRow("84 kanji") << QString(84, u'道') << QString() << QString(83, u'道');
        QTest::newRow("84 kanji, second of the name")
            << QString(84, u'道') << QStringLiteral("_2") << QString(83, u'道');
        QTest::newRow("short name unchanged")
            << QStringLiteral("角") << QStringLiteral("_3") << QStringLiteral("角");
    }

    void longPhotoNamesFitTheFileSystem()
    {
        QFETCH(QString, stem);
        QFETCH(QString, tag);
        QFETCH(QString, kept);
        const QString name = share::fittedFileName(stem, tag, QStringLiteral("jpg"));
        QCOMPARE(name, kept + tag + QStringLiteral(".jpg"));
        QVERIFY(name.toUtf8().size() <= 255);
    }
};

QTEST_MAIN(TestRouteArchive)
#include "tst_route_archive.moc"
