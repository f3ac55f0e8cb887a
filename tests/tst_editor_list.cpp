// The step list: LANE_DSP's page-wise positioning on a list sized to show a given number of rows,
// and which selections run DataGrid1_SelChange.
#include "app/messages.h"
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <memory>

class TestEditorList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    // The editor with its list made high enough for `rows` whole rows and half a row.
    std::unique_ptr<frm_lane_make> openShowing(int rows, bool show = true)
    {
        auto w = std::make_unique<frm_lane_make>(dialogs,
                                                 platform::ScreenTwips::fromPixels({1024, 768}));
        if (show) {
            w->show();
            if (!QTest::qWaitForWindowExposed(w.get()))
                return nullptr;
        }
        edit::StepGrid* g = w->grid();
        const int pixels = 2 * g->frameWidth() + g->horizontalHeader()->sizeHint().height() +
                           rows * g->fixedRowHeight() + g->fixedRowHeight() / 2;
        w->DataGrid1.setHeight(float(pixels * 15));
        return w;
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    void positioning_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("current");
        QTest::newRow("empty route") << 0 << 8 << "" << 0 << "";
        QTest::newRow("empty argument: first step") << 20 << 8 << "" << 0 << "001";
        QTest::newRow("005 within the first page") << 20 << 8 << "005" << 0 << "005";
        QTest::newRow("010 starts the second page") << 20 << 8 << "010" << 8 << "010";
        QTest::newRow("015 in the last page, shown full") << 20 << 8 << "015" << 12 << "015";
        QTest::newRow("021 beyond the end: last step") << 20 << 8 << "021" << 12 << "020";
        QTest::newRow("5 steps with room for 8") << 5 << 8 << "003" << 0 << "003";
        QTest::newRow("16 steps, last of two pages") << 16 << 8 << "016" << 8 << "016";
        QTest::newRow("temporary number: the step after") << 20 << 8 << "005_0" << 0 << "006";
        QTest::newRow("quote in the argument") << 20 << 8 << "0'5" << 0 << "001";
        QTest::newRow("a list of 3 rows pages by 3") << 20 << 3 << "010" << 9 << "010";
    }

    void positioning()
    {
        QFETCH(int, steps);
        QFETCH(int, room);
        QFETCH(QString, order);
        QFETCH(int, top);
        QFETCH(QString, current);
        fx->createSteps(steps);
        const auto w = openShowing(room);
        QVERIFY(w);
        w->LANE_DSP(order);
        edit::StepGrid* g = w->grid();
        const int shown = g->VisibleRows();
        QCOMPARE(shown, qMin(room, steps));
        QCOMPARE(g->topRow(), top);
        QCOMPARE(currentOrder(*w), current);
        QVERIFY(dialogs.messages.isEmpty());
        // The program's own positioning is not a selection by the user.
        QCOMPARE(w->text2()->text(), QString());
        if (steps == 0)
            return;
        // The rows the list counts as shown are the whole rows Qt really shows (at the end of
        // the route Qt aligns the last row with the bottom, a part of a row may show above).
        QTest::qWait(10);
        QCOMPARE(g->topRow(), top);
        const int height = g->viewport()->height();
        auto whole = [&](int row) {
            return g->rowViewportPosition(row) >= 0 &&
                   g->rowViewportPosition(row) + g->fixedRowHeight() <= height;
        };
        const int last = top + shown - 1;
        QVERIFY(whole(top) && whole(last));
        QVERIFY(top == 0 || !whole(top - 1));
        QVERIFY(last + 1 == steps || !whole(last + 1));
    }

    // The rows shown follow the list's height, not a fixed number.
    void visibleRowsFollowHeight()
    {
        fx->createSteps(40);
        const auto w = openShowing(8);
        QVERIFY(w);
        w->LANE_DSP(QString());
        QCOMPARE(w->grid()->VisibleRows(), 8);
        const int rowTwips = w->grid()->fixedRowHeight() * 15;
        w->DataGrid1.setHeight(w->DataGrid1.Height() + 4 * rowTwips);
        w->LANE_DSP(QStringLiteral("025"));
        QCOMPARE(w->grid()->VisibleRows(), 12);
        QCOMPARE(w->grid()->topRow(), 24);
        QCOMPARE(currentOrder(*w), QStringLiteral("025"));
    }

    // A registration may run before the window has ever been shown: the list is positioned
    // by its size all the same.
    void positioningWhileHidden()
    {
        fx->createSteps(20);
        const auto w = openShowing(8, false);
        w->LANE_DSP(QStringLiteral("015"));
        QCOMPARE(w->grid()->VisibleRows(), 8);
        QCOMPARE(w->grid()->topRow(), 12);
        QCOMPARE(currentOrder(*w), QStringLiteral("015"));
    }

    void userSelectionRunsSelChange_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("selected");
        QTest::newRow("click on a row") << "cell"
                                        << "007";
        QTest::newRow("click on a record selector") << "selector"
                                                    << "007";
        QTest::newRow("click on the current row") << "current"
                                                  << "005";
        QTest::newRow("key down") << "down"
                                  << "006";
    }

    void userSelectionRunsSelChange()
    {
        QFETCH(QString, how);
        QFETCH(QString, selected);
        fx->createSteps(20);
        const auto w = openShowing(8);
        QVERIFY(w);
        w->LANE_DSP(QStringLiteral("005"));
        QCOMPARE(w->text2()->text(), QString());
        edit::StepGrid* g = w->grid();
        const int row = how == QLatin1String("current") ? 4 : 6;
        const QPoint cell = g->visualRect(g->model()->index(row, 1)).center();
        if (how == QLatin1String("down")) {
            g->setFocus();
            QTest::keyClick(g, Qt::Key_Down);
        } else if (how == QLatin1String("selector")) {
            QHeaderView* selector = g->verticalHeader();
            QTest::mouseClick(selector->viewport(), Qt::LeftButton, {},
                              QPoint(selector->width() / 2, cell.y()));
        } else {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell);
        }
        QCOMPARE(w->text2()->text(), selected);
        QCOMPARE(currentOrder(*w), selected);
        // The step's photo "pN.png" was never written.
        const QString photo =
            QDir(fx->dir()).filePath(QStringLiteral("p%1.png").arg(selected.toInt()));
        QCOMPARE(w->text1()->text(), photo);
        QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(photo)});
    }
};

QTEST_MAIN(TestEditorList)
#include "tst_editor_list.moc"
