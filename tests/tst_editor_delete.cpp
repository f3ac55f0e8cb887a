// The "削除" button: the step in Text2 goes, the rest are renumbered without a gap, and the list
// is positioned by the deleted number. Checked against the stored rows.
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Makes list row `row` current, as a click does, and runs the selection handler.
void select(frm_lane_make& w, int row)
{
    w.grid()->setCurrentIndex(w.Adodc1->index(row, 0));
    int cancel = 0;
    w.DataGrid1_SelChange(cancel);
}

} // namespace

class TestEditorDelete : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    void deletion_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("removed"); // index of the step that goes, -1 for none
        QTest::addColumn<QString>("current");
        QTest::newRow("003 of five") << 5 << "003" << true << 2 << "003";
        QTest::newRow("the last, 005 of five") << 5 << "005" << true << 4 << "004";
        QTest::newRow("the first") << 5 << "001" << true << 0 << "001";
        QTest::newRow("the only step") << 1 << "001" << true << 0 << "";
        // The list is positioned by Text2 as it stands, blanks and all.
        QTest::newRow("Text2 with blanks around the number") << 5 << " 002 " << true << 1 << "001";
        QTest::newRow("Cancel") << 5 << "003" << false << -1 << "001";
        QTest::newRow("Text2 empty") << 5 << "" << true << -1 << "001";
        QTest::newRow("a number no step has") << 5 << "009" << true << -1 << "005";
    }

    void deletion()
    {
        QFETCH(int, steps);
        QFETCH(QString, text2);
        QFETCH(bool, ok);
        QFETCH(int, removed);
        QFETCH(QString, current);
        fx->createSteps(steps);
        QList<RouteRow> expected = fx->rows();
        const auto w = openEditor(dialogs);
        w->text2()->setText(text2);
        dialogs.answers = {ok ? platform::MsgResult::Ok : platform::MsgResult::Cancel};
        w->Command2_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
        QCOMPARE(dialogs.buttons, QList{platform::MsgButtons::OkCancel});
        if (removed >= 0)
            expected.removeAt(removed);
        for (int i = 0; i < expected.size(); ++i)
            expected[i].order = stepKey(i + 1);
        QCOMPARE(fx->rows(), expected);
        QCOMPARE(w->text2()->text(), text2);
        QCOMPARE(currentOrder(*w), current);
        QCOMPARE(w->Adodc1->rowCount(), expected.size());
    }

    // Hand-edited numbers go into the statements quoted: they neither break nor alter them.
    void oddNumbers_data()
    {
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("deleting before a number with a quote") << "001" << QStringList{"b", "q"};
        QTest::newRow("deleting the number with a quote") << "9'9" << QStringList{"a", "b"};
        QTest::newRow("a quote that would end the statement")
            << "' OR '1'='1" << QStringList{"a", "b", "q"};
    }

    void oddNumbers()
    {
        QFETCH(QString, text2);
        QFETCH(QStringList, remaining);
        fx->create({{QStringLiteral("001"), QStringLiteral("a"), kUp},
                    {QStringLiteral("002"), QStringLiteral("b"), kRight},
                    {QStringLiteral("9'9"), QStringLiteral("q"), kLeft}});
        const auto w = openEditor(dialogs);
        w->text2()->setText(text2);
        w->Command2_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
        const QList<RouteRow> rows = fx->rows();
        QStringList photos;
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].order, stepKey(i + 1));
            photos << rows[i].photo;
        }
        QCOMPARE(photos, remaining);
    }

    // While a deletion asks its question no other command starts; the one deletion happens.
    void secondCommandDoesNothing_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::newRow("buttons clicked") << false;
        QTest::newRow("handlers called directly") << true;
    }

    void secondCommandDoesNothing()
    {
        QFETCH(bool, direct);
        fx->createSteps(4);
        QList<RouteRow> expected = fx->rows();
        const auto w = openEditor(dialogs);
        w->text2()->setText(QStringLiteral("002"));
        w->text1()->setText(expected[3].photo);
        bool acted = false;
        dialogs.onMessage = [&](const QString&) {
            if (std::exchange(acted, true))
                return;
            if (direct) {
                w->Command2_Click();
                w->Command1_Click();
            } else {
                w->command2()->click();
                w->command1()->click();
            }
        };
        w->Command2_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
        expected.removeAt(1);
        for (int i = 0; i < expected.size(); ++i)
            expected[i].order = stepKey(i + 1);
        QCOMPARE(fx->rows(), expected);
    }

    // After a deletion the edit bar shows the step now current in the list, so that the next
    // deletion removes the step the parent sees.
    void editBarFollowsTheDeletion_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("chosen");           // list row chosen first
        QTest::addColumn<QList<int>>("shown");     // step (1-based) in the edit bar after each
                                                   // deletion, 0 when the bar is emptied
        QTest::addColumn<QList<int>>("remaining"); // steps left, in order
        QTest::newRow("a middle step, twice") << 5 << 2 << QList<int>{4, 5} << QList<int>{1, 2, 5};
        QTest::newRow("the first step, twice") << 3 << 0 << QList<int>{2, 3} << QList<int>{3};
        QTest::newRow("the only step") << 1 << 0 << QList<int>{0} << QList<int>{};
    }

    void editBarFollowsTheDeletion()
    {
        QFETCH(int, steps);
        QFETCH(int, chosen);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, remaining);
        QList<RouteRow> rows;
        for (int i = 1; i <= steps; ++i)
            rows << RouteRow{stepKey(i),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i), {10 + i, 9}),
                             i % 2 ? QStringLiteral("↑") : QStringLiteral("←")};
        fx->create(rows);
        const auto w = openEditor(dialogs);
        select(*w, chosen);
        const QString number = w->text2()->text();
        for (int step : shown) {
            w->Command2_Click();
            QCOMPARE(w->text2()->text(), number);
            QCOMPARE(w->text1()->text(), step ? rows[step - 1].photo : QString());
            QCOMPARE(w->photo()->pixmap().width(), step ? 10 + step : 0);
            if (step)
                QCOMPARE(w->option1(step % 2 ? 0 : 2)->isChecked(), true);
        }
        QList<RouteRow> expected;
        for (int step : remaining)
            expected << RouteRow{stepKey(expected.size() + 1), rows[step - 1].photo,
                                 rows[step - 1].direction};
        QCOMPARE(fx->rows(), expected);
        QCOMPARE(dialogs.messages, QStringList(shown.size(), edit::messages::kDelete));
    }

    // Two copies of the program on one route file: copy A has step 005 (or 003) in its edit bar
    // when copy B deletes step 002. A's change must not land on the step that took the number.
    void anotherCopyChangedTheRoute_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("removed"); // index into the route after B's deletion, or -1
        QTest::newRow("deletion of the chosen step") << "delete" << true << -1;
        QTest::newRow("registration after the chosen step") << "register" << true << -1;
        QTest::newRow("a number typed by hand is taken as typed") << "typed" << false << 3;
    }

    void anotherCopyChangedTheRoute()
    {
        QFETCH(QString, change);
        QFETCH(bool, refused);
        QFETCH(int, removed);
        QList<RouteRow> rows;
        for (int i = 1; i <= 6; ++i)
            rows << RouteRow{stepKey(i), fx->makeImage(QStringLiteral("s%1.png").arg(i), {10, 9}),
                             QStringLiteral("↑")};
        fx->create(rows);
        const auto a = openEditor(dialogs);
        const auto b = openEditor(dialogs);
        select(*a, change == QLatin1String("register") ? 2 : 4);
        select(*b, 1);
        b->Command2_Click();
        QList<RouteRow> expected = fx->rows();
        QCOMPARE(expected.size(), 5);
        dialogs.messages.clear();

        if (change == QLatin1String("register")) {
            a->text1()->setText(fx->makeImage(QStringLiteral("new.png"), {10, 9}));
            a->Command1_Click();
        } else {
            if (change == QLatin1String("typed")) {
                a->text2()->clear();
                QTest::keyClicks(a->text2(), QStringLiteral("004"));
            }
            a->Command2_Click();
        }
        if (removed >= 0) {
            expected.removeAt(removed);
            for (int i = 0; i < expected.size(); ++i)
                expected[i].order = stepKey(i + 1);
        }
        QCOMPARE(fx->rows(), expected);
        const bool told =
            std::any_of(dialogs.messages.begin(), dialogs.messages.end(), [](const QString& m) {
                return m.contains(QStringLiteral("ほかのプログラム"));
            });
        QCOMPARE(told, refused);
        // The list shows the route as it now is.
        QCOMPARE(a->Adodc1->rowCount(), expected.size());
        if (change != QLatin1String("delete"))
            return;
        // The edit bar shows a step that exists, and a second 削除 removes that one.
        const QString order = a->text2()->text();
        QVERIFY(std::any_of(expected.begin(), expected.end(), [&](const RouteRow& row) {
            return row.order == order && row.photo == a->text1()->text();
        }));
        dialogs.messages.clear();
        a->Command2_Click();
        QCOMPARE(fx->rows().size(), expected.size() - 1);
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
    }

    void closeWaitsForTheChange()
    {
        fx->createSteps(3);
        QPointer<frm_lane_make> w =
            new frm_lane_make(dialogs, platform::ScreenTwips::fromPixels({1024, 768}));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        w->text2()->setText(QStringLiteral("001"));
        dialogs.onMessage = [&](const QString&) { QVERIFY(!w->close()); };
        w->Command2_Click();
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(!w);
        QCOMPARE(fx->rows().size(), 2);
        QCOMPARE(fx->rows().at(0).order, QStringLiteral("001"));
    }
};

QTEST_MAIN(TestEditorDelete)
#include "tst_editor_delete.moc"
