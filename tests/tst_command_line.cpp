// The program's help and version: printed on standard output without opening a window.
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
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
