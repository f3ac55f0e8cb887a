// The printed booklet: its page layout, the PDF of a small route, and the command line.
#include "print/booklet_layout.h"
#include "print/booklet_pdf.h"
#include "print/booklet_print.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/store_checks.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

// The number of pages of a PDF, counted from its page objects.
int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
}

bool inside(const QRectF& inner, const QRectF& outer)
{
    return outer.adjusted(-0.01, -0.01, 0.01, 0.01).contains(inner);
}

} // namespace

Q_DECLARE_METATYPE(platform::Failure::Kind)

class TestBooklet : public QObject
{
    Q_OBJECT

private slots:
    void pageLayout_data()
    {
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<int>("perPage");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        const QSizeF a4(535, 782), letter(552, 732), a4Landscape(782, 535), a5(360, 535);
        QTest::newRow("A4, one step fills the page") << a4 << 1 << 1 << 1;
        QTest::newRow("A4, two steps one above the other") << a4 << 2 << 1 << 2;
        QTest::newRow("A4, four steps in a grid") << a4 << 4 << 2 << 2;
        QTest::newRow("Letter, two steps") << letter << 2 << 1 << 2;
        QTest::newRow("Letter, four steps") << letter << 4 << 2 << 2;
        QTest::newRow("A4 landscape, two steps side by side") << a4Landscape << 2 << 2 << 1;
        QTest::newRow("A5, one step") << a5 << 1 << 1 << 1;
        QTest::newRow("an unknown count means two") << a4 << 3 << 1 << 2;
    }

    // Panels fill the page in a grid without overlapping; inside each, number, photo box and
    // direction don't overlap, and a phone photo fits the box whole with its proportions.
    void pageLayout()
    {
        QFETCH(QSizeF, printable);
        QFETCH(int, perPage);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const booklet::PageLayout page = booklet::LayoutPage(printable, perPage);
        QCOMPARE(page.panels.size(), columns * rows);
        const QRectF paper(QPointF(0, 0), printable);
        for (int i = 0; i < page.panels.size(); ++i) {
            const booklet::Panel& p = page.panels[i];
            QVERIFY(inside(p.frame, paper));
            QVERIFY(p.frame.width() > printable.width() / columns - 20);
            QVERIFY(p.frame.height() > printable.height() / rows - 20);
            for (int j = i + 1; j < page.panels.size(); ++j)
                QVERIFY(!p.frame.intersects(page.panels[j].frame));
            for (const QRectF& part : {p.number, p.photo, p.direction})
                QVERIFY(inside(part, p.frame) && !part.isEmpty());
            QVERIFY(!p.number.intersects(p.photo) && !p.direction.intersects(p.photo) &&
                    !p.number.intersects(p.direction));
            // The photo is the largest part of the panel.
            const double photoArea = p.photo.width() * p.photo.height();
            QVERIFY(photoArea > p.frame.width() * p.frame.height() * 0.4);

            const QRectF fitted = booklet::FitPhoto(QSizeF(4032, 3024), p.photo);
            QVERIFY(inside(fitted, p.photo));
            QVERIFY(qAbs(fitted.width() / fitted.height() - 4032.0 / 3024.0) < 1e-6);
            QVERIFY(qFuzzyCompare(fitted.width(), p.photo.width()) ||
                    qFuzzyCompare(fitted.height(), p.photo.height()));
        }
        // The panels tile the page: the outer ones reach its edges, and every gap between two
        // neighbours is the same.
        const QRectF first = page.panels.first().frame, last = page.panels.last().frame;
        QCOMPARE(first.topLeft(), QPointF(0, 0));
        QCOMPARE(last.right(), printable.width());
        QCOMPARE(last.bottom(), printable.height());
        if (columns == 2 && rows == 2)
            QCOMPARE(page.panels[1].frame.left() - first.right(),
                     page.panels[2].frame.top() - first.bottom());
        // Reading order: left to right, then down.
        if (columns == 2)
            QVERIFY(page.panels[1].frame.left() > page.panels[0].frame.right());
        if (rows == 2)
            QVERIFY(page.panels.last().frame.top() > page.panels.first().frame.bottom());
    }

    void decodeSize_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSizeF>("printed");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("phone photo at 200 dpi of its printed size")
            << QSize(4032, 3024) << QSizeF(400, 300) << QSize(1112, 834);
        QTest::newRow("small photo is never enlarged")
            << QSize(640, 480) << QSizeF(400, 300) << QSize(640, 480);
        QTest::newRow("upright photo keeps its proportions")
            << QSize(3024, 4032) << QSizeF(225, 300) << QSize(625, 834);
        QTest::newRow("no picture") << QSize() << QSizeF(400, 300) << QSize();
    }

    void decodeSize()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, printed);
        QFETCH(QSize, decoded);
        QCOMPARE(booklet::DecodeSize(natural, printed, 200), decoded);
    }

    // "PDF に書き出す…" proposes a folder the parent can see, writes every step in order, the
    // missing photo as a placeholder, and the goal, and says where the file is.
    void pdfOfASmallRoute()
    {
        RouteFixture fx;
        const QString p1 = fx.makeImage(QStringLiteral("角.jpg"), QSize(800, 600), "JPEG");
        const QString p2 = fx.makeImage(QStringLiteral("信号.png"), QSize(600, 800));
        const QString missing = fx.dir() + QStringLiteral("/なくなった写真.jpg");
        fx.create({{QStringLiteral("001"), p1, QStringLiteral("↑")},
                   {QStringLiteral("002"), missing, QStringLiteral("→")},
                   {QStringLiteral("003"), p2, QStringLiteral("←")}});
        ScriptedDialogs dialogs;
        const QString out = fx.dir() + QStringLiteral("/本/道順 (1).pdf");
        QVERIFY(QDir(fx.dir()).mkpath(QStringLiteral("本")));
        dialogs.saveFiles = {out};
        BookletPrinter printer(dialogs);
        QVERIFY(printer.ExportPdf(nullptr));
        QCOMPARE(dialogs.saveRequests.size(), 1);
        const QFileInfo proposed(dialogs.saveRequests[0].DefaultPath);
        QCOMPARE(proposed.fileName(), QStringLiteral("道順.pdf"));
        QVERIFY(proposed.absolutePath() != fx.dir());
        QVERIFY(!proposed.absolutePath().contains(QStringLiteral("/.")));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].contains(out), qPrintable(dialogs.messages[0]));
        QCOMPARE(dialogs.openedFolders, QStringList{fx.dir() + QStringLiteral("/本")});
        QCOMPARE(pdfPages(out), 2); // three steps and the goal, two a page

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess extract;
        extract.start(pdftotext, {out, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished());
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        const QStringList expected{QStringLiteral("1"),
                                   QStringLiteral("まっすぐ"),
                                   QStringLiteral("2"),
                                   QStringLiteral("写真が見つかりません"),
                                   QStringLiteral("なくなった写真.jpg"),
                                   QStringLiteral("みぎ"),
                                   QStringLiteral("3"),
                                   QStringLiteral("ひだり"),
                                   QStringLiteral("ゴール")};
        qsizetype at = 0;
        for (const QString& word : expected) {
            const qsizetype found = text.indexOf(word, at);
            QVERIFY2(found >= 0,
                     qPrintable(word + QStringLiteral(" missing or out of order in:\n") + text));
            at = found + word.size();
        }
    }

    // A booklet stopped half-way, or cut short by a disk that fills up (here a file size limit,
    // which cuts writes short the same way), is reported; the file that was there stays whole
    // and nothing else is left.
    void failedBookletKeepsTheEarlierOne_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<platform::Failure::Kind>("kind");
        QTest::newRow("stopped half-way") << false << platform::Failure::Kind::Cancelled;
        QTest::newRow("disk full half-way") << true << platform::Failure::Kind::Failed;
    }

    void failedBookletKeepsTheEarlierOne()
    {
        QFETCH(bool, fullDisk);
        QFETCH(platform::Failure::Kind, kind);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("道順.pdf"));
        {
            QFile old(out);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the earlier booklet");
        }
        const QList<booklet::Step> steps{{-1, {}, {}, QStringLiteral("↑")},
                                         {-1, {}, {}, QStringLiteral("→")},
                                         {-1, {}, {}, QStringLiteral("←")}};
        booklet::Options options;
        options.perPage = 1;
        const booklet::Progress stopAfterOne = [](int done, int) { return done < 2; };
        std::optional<platform::Failure> failure;
        {
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
            rlimit small = old;
            small.rlim_cur = 4000;
            if (fullDisk)
                QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const auto restore = qScopeGuard([&] {
                setrlimit(RLIMIT_FSIZE, &old);
                std::signal(SIGXFSZ, oldHandler);
            });
            failure = failureOf([&] {
                booklet::WriteBookletPdf(out, steps, options, booklet::DefaultPageLayout(),
                                         fullDisk ? booklet::Progress() : stopAfterOne);
            });
        }
        QVERIFY(failure);
        QCOMPARE(failure->kind(), kind);
        QVERIFY(!failure->cause().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("道順.pdf")});
        QFile old(out);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the earlier booklet"));
    }

    // An output that is the route, or a file kept with it, and two jobs at once are refused as
    // misuse; the route stays byte for byte.
    void commandLineRefusesToWriteOverTheRoute_data()
    {
        QTest::addColumn<QStringList>("args"); // ROUTE stands for the route file's path
        QTest::addColumn<QString>("said");
        const QString over = QStringLiteral("上書き");
        QTest::newRow("booklet over the route") << QStringList{"--print-pdf", "ROUTE"} << over;
        QTest::newRow("archive over the route") << QStringList{"--export", "ROUTE"} << over;
        QTest::newRow("booklet over the journal")
            << QStringList{"--print-pdf", "ROUTE-journal"} << over;
        QTest::newRow("archive over a dated copy")
            << QStringList{"--export", "ROUTE.2026-01-05_09-30-00.bak"} << over;
        QTest::newRow("two jobs at once")
            << QStringList{"--print-pdf", "a.pdf", "--export", "b.obz"}
            << QStringLiteral("一度に一つだけ");
    }

    void commandLineRefusesToWriteOverTheRoute()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        RouteFixture fx;
        fx.createSteps(2);
        QFile::copy(fx.dbPath(), fx.dbPath() + QStringLiteral(".2026-01-05_09-30-00.bak"));
        QFile::copy(fx.dbPath(), fx.dbPath() + QStringLiteral("-journal"));
        const QStringList before = QDir(fx.dir()).entryList(QDir::Files);
        QFile route(fx.dbPath());
        QVERIFY(route.open(QIODevice::ReadOnly));
        const QByteArray routeBytes = route.readAll();
        args.replaceInStrings(QStringLiteral("ROUTE"), fx.dbPath());
        QProcess program;
        program.setWorkingDirectory(fx.dir());
        program.start(QStringLiteral(MICHITAN_PROGRAM),
                      args << QStringLiteral("--route") << fx.dbPath());
        QVERIFY(program.waitForFinished(60000));
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitCode(), 2);
        QVERIFY2(errors.contains(said), qPrintable(errors));
        QCOMPARE(QDir(fx.dir()).entryList(QDir::Files), before);
        route.seek(0);
        QCOMPARE(route.readAll(), routeBytes);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("error");
        QTest::newRow("four a page")
            << QStringList{QStringLiteral("--per-page"), QStringLiteral("4")} << 0 << 1
            << QString();
        QTest::newRow("one a page")
            << QStringList{QStringLiteral("--per-page=1")} << 0 << 4 << QString();
        QTest::newRow("bad count") << QStringList{QStringLiteral("--per-page"), QStringLiteral("3")}
                                   << 2 << 0 << QStringLiteral("--per-page");
        QTest::newRow("no such route")
            << QStringList{QStringLiteral("--route"), QStringLiteral("ない.mdb")} << 1 << 0
            << QStringLiteral("道順のファイルが見つかりません");
    }

    // michitan --print-pdf writes the booklet without a window, or says in Japanese why not.
    void commandLine()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(int, pages);
        QFETCH(QString, error);
        RouteFixture fx;
        fx.createSteps(3);
        const QString out = fx.dir() + QStringLiteral("/out.pdf");
        QStringList args{QStringLiteral("--print-pdf"), out};
        if (!options.contains(QStringLiteral("--route")))
            args << QStringLiteral("--route") << fx.dbPath();
        args << options;
        QProcess program;
        program.setWorkingDirectory(fx.dir());
        program.start(QStringLiteral(MICHITAN_PROGRAM), args);
        QVERIFY(program.waitForFinished(60000));
        const QString stderrText = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitCode(), exitCode);
        if (exitCode == 0) {
            QCOMPARE(pdfPages(out), pages);
        } else {
            QVERIFY(!QFile::exists(out));
            QVERIFY2(stderrText.contains(error), qPrintable(stderrText));
            QVERIFY(!QFile::exists(fx.dir() + QStringLiteral("/ない.mdb")));
        }
    }
};

QTEST_MAIN(TestBooklet)
#include "tst_booklet.moc"
