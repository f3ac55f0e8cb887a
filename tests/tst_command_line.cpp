// The program's help and version: printed on standard output without opening a window. A job
// that fails says so once, on standard error, in UTF-8 whatever the locale.
#include "platform/failure.h"
#include "print/messages.h"
#include "records/messages.h"
#include "share/messages.h"
#include "support/route_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void textWithoutAWindow_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("printed");
        const QStringList everyOption{"--help",   "--version", "--print-pdf", "--per-page",
                                      "--route",  "--export",  "--import",    "--photos",
                                      "--relink", "使い方"};
        QTest::newRow("--help lists every option") << "--help" << everyOption;
        QTest::newRow("-h lists every option") << "-h" << everyOption;
        QTest::newRow("--version") << "--version" << QStringList{QStringLiteral("michitan 2")};
    }

    void textWithoutAWindow()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, printed);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        // No screen at all: a program that tried to open a window could not start.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MICHITAN_PROGRAM), {option});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        for (const QString& text : printed)
            QVERIFY2(out.contains(text), qPrintable(text + QStringLiteral(" in:\n") + out));
    }

    void failurePrintedOnceInUtf8_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("heading");
        const QString gone = QStringLiteral("/nonexistent-フォルダー/");
        QTest::newRow("an archive that is no zip")
            << QStringList{"--import", "ARCHIVE"} << share::messages::kNotRead;
        QTest::newRow("a booklet into a folder that is not there")
            << QStringList{"--print-pdf", gone + "道順.pdf"}
            << booklet::messages::pdfNotWritten({}, {}).heading();
        QTest::newRow("records into a folder that is not there")
            << QStringList{"--records-csv", gone + "記録.csv"}
            << records::messages::notWritten(QStringLiteral("CSV"), {}, {}, {}).heading();
    }

    void failurePrintedOnceInUtf8()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, heading);
        RouteFixture fx;
        fx.createSteps(2);
        const QString archive = fx.dir() + QStringLiteral("/壊れた.obz");
        QFile junk(archive);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("PK\x03\x04 not really a zip");
        junk.close();
        arguments.replaceInStrings(QStringLiteral("ARCHIVE"), archive);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        environment.insert(QStringLiteral("HOME"), fx.dir());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MICHITAN_PROGRAM),
                      QStringList{QStringLiteral("--route"), fx.dbPath()} + arguments);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(errors.count(heading), 1);
        QVERIFY2(errors.contains(QStringLiteral("理由: ")), qPrintable(errors));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
