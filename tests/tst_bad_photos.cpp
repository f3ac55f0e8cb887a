// Photos that are broken, odd or absent: the learning window shows each one or reports it with
// its path, and never stops working.
#include "app/m_lane.h"
#include "app/messages.h"
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "learn/frm_lane_play.h"
#include "platform/vb_timer.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A small picture in `format`. Qt writes no GIF, so a GIF is spelled out byte by byte (3 x 2).
QByteArray encoded(const char* format, QSize size = QSize(120, 90))
{
    if (qstrcmp(format, "GIF") == 0)
        return QByteArray::fromHex("47494638396103000200f00000ff000000000021f90400000000002c"
                                   "0000000003000200000202845f003b");
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 60, 60));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// `bytes` with a stretch in the middle overwritten by noise.
QByteArray corrupted(QByteArray bytes)
{
    for (qsizetype i = bytes.size() / 3; i < bytes.size() * 2 / 3; ++i)
        bytes[i] = char((i * 7919) & 0xff);
    return bytes;
}

} // namespace

class TestBadPhotos : public QObject
{
    Q_OBJECT

private slots:
    void eachPhotoIsShownOrReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isDirectory");

        for (const char* format : {"JPEG", "PNG", "GIF", "BMP"}) {
            const QByteArray whole = encoded(format);
            if (whole.isEmpty())
                continue; // this Qt can't write the format
            const QString ext = QString::fromLatin1(format).toLower();
            QTest::addRow("%s truncated to half", format)
                << QStringLiteral("cut.") + ext << whole.left(whole.size() / 2) << false;
            QTest::addRow("%s header only", format)
                << QStringLiteral("head.") + ext << whole.left(20) << false;
            QTest::addRow("%s corrupt in the middle", format)
                << QStringLiteral("noise.") + ext << corrupted(whole) << false;
            QTest::addRow("%s whole", format) << QStringLiteral("ok.") + ext << whole << false;
        }
        QTest::newRow("zero bytes") << QStringLiteral("empty.jpg") << QByteArray() << false;
        QTest::newRow("text named .jpg")
            << QStringLiteral("text.jpg") << QByteArray("hello") << false;
        QTest::newRow("a folder named .jpg")
            << QStringLiteral("folder.jpg") << QByteArray() << true;
        QTest::newRow("quotes in the name")
            << QStringLiteral("Tom's \"way\".png") << encoded("PNG") << false;
        QTest::newRow("Cyrillic, Greek, Arabic, Hangul")
            << QStringLiteral("дорога-δρόμος-طريق-길.png") << encoded("PNG") << false;
        QTest::newRow("emoji and Japanese")
            << QStringLiteral("がっこう🏫.png") << encoded("PNG") << false;
        QTest::newRow("semicolon, percent, hash, question mark")
            << QStringLiteral("a;b%20#c?.png") << encoded("PNG") << false;
        QTest::newRow("path of a thousand characters")
            << QString(990, QLatin1Char('x')) + QStringLiteral(".png") << encoded("PNG") << false;
    }

    void eachPhotoIsShownOrReported()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, isDirectory);
        RouteFixture fx;
        ScriptedDialogs dialogs;
        // Long names are split into folders so that each part stays within the file system's
        // limit while the whole path passes a thousand characters.
        QString relative = name;
        for (qsizetype at = 200; at < relative.size(); at += 201)
            relative.insert(at, QLatin1Char('/'));
        const QString path = QDir(fx.dir()).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (isDirectory) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
            f.write(content);
        }
        const QString good = fx.makeImage(QStringLiteral("next.png"), QSize(40, 30));
        fx.create({{"001", path, kUp}, {"002", good, kRight}});

        frm_lane_play w(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)), fx.dir());
        w.Timer1_Timer();
        if (dialogs.messages.isEmpty()) {
            // Shown: a picture of some size is on screen with the buttons beneath.
            QVERIFY(!w.photo()->pixmap().isNull());
            QVERIFY(w.arrowButton(0)->isVisibleTo(&w));
        } else {
            QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(path)});
        }
        // Either way the run goes on: the right answer leads to the next photo.
        w.Command1_Click(0);
        QVERIFY(w.Timer1->Enabled());
        w.Timer1_Timer();
        QCOMPARE(m_lane::STEP_NO.toInt(), 2);
        QCOMPARE(w.photo()->pixmap().size(), QSize(40, 30));

        // The editor, choosing the same file in the file dialog: shown or reported alike, the
        // path kept in the edit bar either way.
        const bool shownInPlay = dialogs.messages.isEmpty();
        dialogs.messages.clear();
        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        dialogs.files = {path};
        editor.Command3_Click();
        QCOMPARE(editor.text1()->text(), path);
        QCOMPARE(dialogs.messages.isEmpty(), shownInPlay);
        if (!shownInPlay)
            QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(path)});
        else
            QVERIFY(!editor.photo()->pixmap().isNull());
    }

    // The editor's list marks each step whose photo can't be shown: a missing file or an empty
    // path at once, an unreadable file when the background check has read it; a good photo is
    // never marked. A refresh checks the route as it is then.
    void brokenPhotosAreMarkedInTheList()
    {
        RouteFixture fx;
        ScriptedDialogs dialogs;
        const QString good = fx.makeImage(QStringLiteral("good.png"), QSize(32, 24));
        const QString text = QDir(fx.dir()).filePath(QStringLiteral("notes.jpg"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a photo\n");
        f.close();
        const QString gone = QDir(fx.dir()).filePath(QStringLiteral("gone.jpg"));
        fx.create({{"001", good, QStringLiteral("↑")},
                   {"002", gone, QStringLiteral("↑")},
                   {"003", text, QStringLiteral("→")},
                   {"004", QString(), QStringLiteral("←")}});
        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        const edit::StepGrid& grid = *editor.grid();
        QCOMPARE(grid.photoProblem(1), edit::PhotoProblem::Missing);
        QCOMPARE(grid.photoProblem(3), edit::PhotoProblem::NoPath);
        QTRY_COMPARE(grid.photoProblem(2), edit::PhotoProblem::Unreadable);
        QCOMPARE(grid.photoProblem(0), edit::PhotoProblem::None);
        QVERIFY(!edit::PhotoCheck::explanation(edit::PhotoProblem::Missing).isEmpty());

        // The photo comes back and the text file is gone: the next refresh says so.
        QVERIFY(QFile::copy(good, gone));
        QVERIFY(QFile::remove(text));
        editor.LANE_DSP(QString());
        QCOMPARE(grid.photoProblem(2), edit::PhotoProblem::Missing);
        QTRY_COMPARE(grid.photoProblem(1), edit::PhotoProblem::None);
        QCOMPARE(grid.photoProblem(0), edit::PhotoProblem::None);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void wholePicturesAreShown_data()
    {
        QTest::addColumn<QByteArray>("format");
        for (const char* format : {"JPEG", "PNG", "GIF", "BMP"})
            QTest::newRow(format) << QByteArray(format);
    }

    void wholePicturesAreShown()
    {
        QFETCH(QByteArray, format);
        RouteFixture fx;
        ScriptedDialogs dialogs;
        const QByteArray bytes = encoded(format.constData(), QSize(64, 48));
        if (bytes.isEmpty())
            QSKIP("this Qt can't write the format");
        const QString path = QDir(fx.dir()).filePath(QStringLiteral("photo"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        fx.create({{"001", path, kUp}});
        frm_lane_play w(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)), fx.dir());
        w.Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w.photo()->pixmap().size(), QImage::fromData(bytes).size());
        QVERIFY(!QImage::fromData(bytes).isNull());
    }
};

QTEST_MAIN(TestBadPhotos)
#include "tst_bad_photos.moc"
