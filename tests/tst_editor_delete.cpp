// The "削除" button: the step in Text2 goes, the rest are renumbered without a gap, and the list
// is positioned by the deleted number. Checked against the stored rows.
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <utility>

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
        QCOMPARE(dialogs.messages, QStringList{kDelete});
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
        QCOMPARE(dialogs.messages, QStringList{kDelete});
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
        QCOMPARE(dialogs.messages, QStringList{kDelete});
        expected.removeAt(1);
        for (int i = 0; i < expected.size(); ++i)
            expected[i].order = stepKey(i + 1);
        QCOMPARE(fx->rows(), expected);
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
