// The "登録" button: where a step lands, overwriting a step by its photo, the 999-step limit and
// what a second command does while a registration runs. Checked against the stored rows.
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "store/route_file.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <utility>

namespace {

// `rows` in their order, numbered afresh from 001.
QList<RouteRow> renumbered(QList<RouteRow> rows)
{
    for (int i = 0; i < rows.size(); ++i)
        rows[i].order = stepKey(i + 1);
    return rows;
}

} // namespace

class TestEditorRegister : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    QString photo(const QString& name) const { return QDir(fx->dir()).filePath(name); }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    void placement_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<int>("at"); // index the new step ends at
        QTest::newRow("empty route, Text2 empty") << 0 << "" << 0;
        QTest::newRow("five steps, Text2 empty: at the end") << 5 << "" << 5;
        QTest::newRow("five steps, after 003") << 5 << "003" << 3;
        QTest::newRow("five steps, after the last") << 5 << "005" << 5;
        QTest::newRow("after 001") << 5 << "001" << 1;
        QTest::newRow("Text2 with a blank before the number") << 5 << " 003" << 3;
        QTest::newRow("Text2 blanks only: at the end") << 5 << "  " << 5;
        QTest::newRow("Text2 a number beyond the route") << 5 << "009" << 5;
    }

    void placement()
    {
        QFETCH(int, steps);
        QFETCH(QString, text2);
        QFETCH(int, at);
        fx->createSteps(steps);
        QList<RouteRow> expected = fx->rows();
        const auto w = openEditor(dialogs);
        const QString added = photo(QStringLiteral("new.png"));
        w->text1()->setText(QStringLiteral(" ") + added + QStringLiteral(" "));
        w->text2()->setText(text2);
        w->option1(1)->setChecked(true);
        w->Command1_Click();
        expected.insert(at, RouteRow{QString(), added, kRight});
        QCOMPARE(fx->rows(), renumbered(expected));
        QCOMPARE(w->text2()->text(), stepKey(at + 1));
        QCOMPARE(currentOrder(*w), stepKey(at + 1));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A route file the program made itself carries indexes on 写真 and 順序; the renumbering
    // reads its rows before it writes, so an index-driven read can't go astray.
    void buildRouteInStoreMadeFile()
    {
        fx->create();
        QVERIFY(QFile::remove(fx->dbPath()));
        store::createRouteFile(fx->dbPath(), QStringLiteral("プログラム"));
        const auto w = openEditor(dialogs);
        QStringList photos;
        for (const char* name : {"a", "b", "c", "d"}) {
            photos << photo(QString::fromLatin1(name));
            w->text1()->setText(photos.last());
            w->text2()->clear();
            w->Command1_Click();
        }
        w->text1()->setText(photo(QStringLiteral("after-b")));
        w->text2()->setText(QStringLiteral("002"));
        w->Command1_Click();
        w->text2()->setText(QStringLiteral("001"));
        w->Command2_Click();
        QList<RouteRow> expected;
        for (const QString& p : {photos[1], photo(QStringLiteral("after-b")), photos[2], photos[3]})
            expected << RouteRow{QString(), p, kUp};
        QCOMPARE(fx->rows(), renumbered(expected));
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
    }

    void noPhoto_data()
    {
        QTest::addColumn<QString>("text1");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
    }

    void noPhoto()
    {
        QFETCH(QString, text1);
        fx->createSteps(3);
        const auto w = openEditor(dialogs);
        w->text1()->setText(text1);
        w->text2()->setText(QStringLiteral("002"));
        // With no route file at all a connection would make one: none may be opened.
        QVERIFY(QFile::remove(fx->dbPath()));
        w->Command1_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kChoosePhoto});
        QCOMPARE(w->text2()->text(), QStringLiteral("002"));
        QVERIFY(!QFile::exists(fx->dbPath()));
    }

    void overwrite_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK replaces the step in place") << true;
        QTest::newRow("Cancel changes nothing") << false;
    }

    void overwrite()
    {
        QFETCH(bool, ok);
        fx->createSteps(5);
        const QList<RouteRow> before = fx->rows();
        const auto w = openEditor(dialogs);
        w->text1()->setText(before[2].photo);
        w->text2()->setText(QStringLiteral("005"));
        w->option1(2)->setChecked(true);
        dialogs.answers = {ok ? platform::MsgResult::Ok : platform::MsgResult::Cancel};
        QString shownDuringQuestion;
        dialogs.onMessage = [&](const QString&) { shownDuringQuestion = w->text2()->text(); };
        w->Command1_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
        QCOMPARE(dialogs.buttons, QList{platform::MsgButtons::OkCancel});
        QCOMPARE(shownDuringQuestion, QStringLiteral("003"));
        QList<RouteRow> expected = before;
        if (ok)
            expected[2].direction = kLeft;
        QCOMPARE(fx->rows(), expected);
        QCOMPARE(w->text2()->text(), QStringLiteral("003"));
        QCOMPARE(currentOrder(*w), QStringLiteral("003"));
    }

    void pathWithQuote()
    {
        fx->createSteps(2);
        const auto w = openEditor(dialogs);
        const QString odd = photo(QStringLiteral("Tom's way '01'.png"));
        w->text1()->setText(odd);
        w->Command1_Click();
        QCOMPARE(fx->rows().at(2), (RouteRow{QStringLiteral("003"), odd, kUp}));
        // Registered again, it is found by its path.
        dialogs.answers = {platform::MsgResult::Cancel};
        w->text2()->setText(QStringLiteral("001"));
        w->Command1_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
        QCOMPARE(w->text2()->text(), QStringLiteral("003"));
        QCOMPARE(fx->rows().size(), 3);
    }

    void noDirection()
    {
        fx->createSteps(1);
        const auto w = openEditor(dialogs);
        for (int i = 0; i < 3; ++i) {
            w->option1(i)->setAutoExclusive(false);
            w->option1(i)->setChecked(false);
        }
        w->text1()->setText(photo(QStringLiteral("new.png")));
        w->Command1_Click();
        QCOMPARE(fx->rows().at(1),
                 (RouteRow{QStringLiteral("002"), photo(QStringLiteral("new.png")), QString()}));
    }

    void limit_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("a new photo is refused at 999 steps") << false;
        QTest::newRow("overwriting still works at 999 steps") << true;
    }

    void limit()
    {
        QFETCH(bool, existing);
        fx->createSteps(999);
        const QList<RouteRow> before = fx->rows();
        const auto w = openEditor(dialogs);
        w->text1()->setText(existing ? before[499].photo : photo(QStringLiteral("new.png")));
        w->text2()->setText(QStringLiteral("010"));
        w->option1(1)->setChecked(true);
        w->Command1_Click();
        QList<RouteRow> expected = before;
        if (existing) {
            expected[499].direction = kRight;
            QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
            QCOMPARE(w->text2()->text(), QStringLiteral("500"));
        } else {
            QCOMPARE(dialogs.messages, QStringList{edit::messages::kRouteFull});
            QCOMPARE(w->text2()->text(), QStringLiteral("010"));
        }
        QCOMPARE(fx->rows(), expected);
    }

    // While a registration runs (its question is open), no other command starts.
    void secondCommandDoesNothing_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("登録 clicked again") << "register";
        QTest::newRow("削除 clicked") << "delete";
        QTest::newRow("選択 clicked") << "choose";
        QTest::newRow("a row selected") << "row";
        QTest::newRow("handlers called directly") << "direct";
    }

    void secondCommandDoesNothing()
    {
        QFETCH(QString, second);
        fx->createSteps(5);
        const QList<RouteRow> before = fx->rows();
        const auto w = openEditor(dialogs);
        w->text1()->setText(before[1].photo);
        w->option1(2)->setChecked(true);
        dialogs.files.push_back(fx->makeImage(QStringLiteral("other.png"), QSize(10, 10)));
        bool acted = false;
        dialogs.onMessage = [&](const QString&) {
            if (std::exchange(acted, true))
                return;
            if (second == QLatin1String("register"))
                w->command1()->click();
            else if (second == QLatin1String("delete"))
                w->command2()->click();
            else if (second == QLatin1String("choose"))
                w->command3()->click();
            else if (second == QLatin1String("row")) {
                w->grid()->setCurrentIndex(w->Adodc1->index(4, 0));
                emit w->grid()->SelChange();
            } else {
                int cancel = 0;
                w->Command1_Click();
                w->Command2_Click();
                w->Command3_Click();
                w->DataGrid1_SelChange(cancel);
            }
        };
        w->Command1_Click();
        QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
        QCOMPARE(dialogs.openRequests.size(), 0);
        QList<RouteRow> expected = before;
        expected[1].direction = kLeft;
        QCOMPARE(fx->rows(), expected);
        QCOMPARE(w->text1()->text(), before[1].photo);
        QCOMPARE(w->text2()->text(), QStringLiteral("002"));
        // Afterwards the buttons work again.
        dialogs.onMessage = nullptr;
        dialogs.answers = {platform::MsgResult::Cancel};
        w->command2()->click();
        QCOMPARE(dialogs.messages.size(), 2);
    }

    // Closing the window while a registration asks its question: the window stays until the
    // registration has finished, then closes; the change is kept.
    void closeWaitsForTheChange()
    {
        fx->createSteps(3);
        const QList<RouteRow> before = fx->rows();
        QPointer<frm_lane_make> w =
            new frm_lane_make(dialogs, platform::ScreenTwips::fromPixels({1024, 768}));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        w->text1()->setText(before[0].photo);
        w->option1(1)->setChecked(true);
        bool closedAtOnce = true;
        dialogs.onMessage = [&](const QString&) {
            closedAtOnce = w->close();
            QVERIFY(w->isVisible());
        };
        w->Command1_Click();
        QVERIFY(!closedAtOnce);
        QVERIFY(w);
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(!w);
        QList<RouteRow> expected = before;
        expected[0].direction = kRight;
        QCOMPARE(fx->rows(), expected);
    }
};

QTEST_MAIN(TestEditorRegister)
#include "tst_editor_register.moc"
