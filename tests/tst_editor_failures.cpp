// Registrations and deletions that fail in the store: the route stays exactly as it was, the
// user reads why, Text2 is as before the click, and the window goes on working.
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "store/messages.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <memory>

class TestEditorFailures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    // Runs the change of `kind` on `w`: overwriting step 010 (its number differs from Text2's
    // "005"), registering a new photo after 005, or deleting 005.
    void change(frm_lane_make& w, const QString& kind)
    {
        w.text2()->setText(QStringLiteral("005"));
        w.option1(2)->setChecked(true);
        if (kind == QLatin1String("overwrite")) {
            w.text1()->setText(fx->rows().at(9).photo);
            w.Command1_Click();
        } else if (kind == QLatin1String("new")) {
            w.text1()->setText(fx->dir() + QStringLiteral("/new.png"));
            w.Command1_Click();
        } else {
            w.Command2_Click();
        }
    }

    static void addKinds()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("registration overwriting a step") << "overwrite";
        QTest::newRow("registration of a new step") << "new";
        QTest::newRow("deletion") << "delete";
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    // A statement that fails in the middle of the renumbering rolls the whole change back.
    void failureDuringRenumbering_data() { addKinds(); }

    void failureDuringRenumbering()
    {
        QFETCH(QString, kind);
        fx->createSteps(kind == QLatin1String("new") ? 998 : 999);
        // Only rows whose number changes are written: an overwrite writes just its own row,
        // after its delete and insert; the other changes renumber through step 500.
        const QString failAt =
            kind == QLatin1String("overwrite") ? QStringLiteral("010") : QStringLiteral("500");
        fx->exec(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON プログラム WHEN NEW.順序 = "
                                "'%1' BEGIN SELECT RAISE(ABORT, 'injected'); END;")
                     .arg(failAt));
        const QList<RouteRow> before = fx->rows();
        const auto w = openEditor(dialogs);
        change(*w, kind);
        QCOMPARE(fx->rows(), before);
        QVERIFY(!dialogs.messages.isEmpty());
        const QString message = dialogs.messages.last();
        QVERIFY2(message.contains(QStringLiteral("injected")) &&
                     message.contains(store::messages::kUnchanged),
                 qPrintable(message));
        QCOMPARE(w->text2()->text(), QStringLiteral("005"));

        // The window goes on working once the cause is gone.
        fx->exec(QStringLiteral("DROP TRIGGER t"));
        dialogs.messages.clear();
        change(*w, kind);
        QStringList questions;
        if (kind == QLatin1String("overwrite"))
            questions << edit::messages::kOverwrite;
        else if (kind == QLatin1String("delete"))
            questions << edit::messages::kDelete;
        QCOMPARE(dialogs.messages, questions);
        QVERIFY(fx->rows() != before);
    }

    // Another program's change that ends within the time-out: a registration that reads the
    // route before it writes waits for it, rather than failing when its reading turns to writing.
    void registrationWaitsForAnotherChangeToEnd()
    {
        fx->createSteps(20);
        const auto w = openEditor(dialogs);
        QProcess holder;
        holder.start(QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_lock"),
                     {fx->dbPath(), QStringLiteral("immediate"), QStringLiteral("500")});
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished();
        });
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(holder.readAllStandardOutput().startsWith("locked"));
        change(*w, QStringLiteral("new"));
        QCOMPARE(dialogs.messages, QStringList());
        const QList<RouteRow> rows = fx->rows();
        QCOMPARE(rows.size(), 21);
        QCOMPARE(rows.at(5), (RouteRow{stepKey(6), fx->dir() + QStringLiteral("/new.png"), kLeft}));
    }

    // Another program holds the route file past the time-out: with a half-done change of its
    // own that others may read past, or shut to readers as well.
    void lockedRouteFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("lock");
        const QString shared = QStringLiteral("immediate"), shut = QStringLiteral("exclusive");
        QTest::newRow("registration overwriting a step") << "overwrite" << shared;
        QTest::newRow("registration of a new step") << "new" << shared;
        QTest::newRow("deletion") << "delete" << shared;
        QTest::newRow("registration, file shut to readers") << "new" << shut;
    }

    void lockedRouteFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, lock);
        fx->createSteps(20);
        const QList<RouteRow> before = fx->rows();
        const auto w = openEditor(dialogs);
        w->ConnectionTimeout = 1;
        QProcess holder;
        holder.start(QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_lock"), {fx->dbPath(), lock});
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished();
        });
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), QByteArray("locked"));
        change(*w, kind);
        QVERIFY(!dialogs.messages.isEmpty());
        const QString message = dialogs.messages.last();
        QVERIFY2(message.contains(store::messages::kLocked.cause) &&
                     message.contains(store::messages::kUnchanged),
                 qPrintable(message));
        QCOMPARE(w->text2()->text(), QStringLiteral("005"));
        holder.kill();
        holder.waitForFinished();
        QCOMPARE(fx->rows(), before);
    }
};

QTEST_MAIN(TestEditorFailures)
#include "tst_editor_failures.moc"
