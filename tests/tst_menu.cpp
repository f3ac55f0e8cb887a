// The menu: its title from the version, and the two windows it opens and closes.
#include "app/frm_lane_menu.h"
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "learn/frm_lane_play.h"
#include "platform/dialogs.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestMenu : public QObject
{
    Q_OBJECT

    int playMade = 0;
    int makeMade = 0;

    std::unique_ptr<frm_lane_menu> menu()
    {
        playMade = makeMade = 0;
        return std::make_unique<frm_lane_menu>(
            [this] {
                ++playMade;
                auto* w = new QWidget(nullptr, Qt::Window);
                w->setObjectName(QStringLiteral("play"));
                return w;
            },
            [this] {
                ++makeMade;
                return new QWidget(nullptr, Qt::Window);
            },
            QVersionNumber(2003, 3, 15), platform::ScreenTwips::fromPixels(QSize(1024, 768)));
    }

private slots:
    void titleFromTheVersion_data()
    {
        QTest::addColumn<QVersionNumber>("version");
        QTest::addColumn<QString>("title");
        QTest::newRow("this release")
            << QVersionNumber(2003, 3, 15) << QStringLiteral("ミチタン - 処理選択 V20030315");
        QTest::newRow("single digits get a leading zero")
            << QVersionNumber(1, 2, 3) << QStringLiteral("ミチタン - 処理選択 V10203");
        QTest::newRow("three digits keep the last two")
            << QVersionNumber(7, 100, 105) << QStringLiteral("ミチタン - 処理選択 V70005");
        QTest::newRow("missing parts count as zero")
            << QVersionNumber(5) << QStringLiteral("ミチタン - 処理選択 V50000");
    }

    void titleFromTheVersion()
    {
        QFETCH(QVersionNumber, version);
        QFETCH(QString, title);
        QCOMPARE(frm_lane_menu::Title(version), title);
        frm_lane_menu m([] { return nullptr; }, [] { return nullptr; }, version,
                        platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        QCOMPARE(m.windowTitle(), title);
    }

    void eachWindowOpensAtMostOnce()
    {
        auto m = menu();
        m->show();
        auto* b1 = m->findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* b2 = m->findChild<QPushButton*>(QStringLiteral("Command2"));
        QVERIFY(b1 && b2);
        QCOMPARE(b1->text(), QStringLiteral("道順学習"));
        QCOMPARE(b2->accessibleName(), QStringLiteral("道順作成"));
        b1->click();
        b1->click();
        QCOMPARE(playMade, 1);
        QVERIFY(m->playWindow()->isVisible());
        b2->click();
        QCOMPARE(makeMade, 1);
        QVERIFY(m->playWindow()->isVisible() && m->makeWindow()->isVisible());
        QVERIFY(m->isVisible());
    }

    void closedWindowIsMadeAfresh()
    {
        auto m = menu();
        m->Command1_Click();
        QPointer<QWidget> first = m->playWindow();
        first->close();
        QTRY_VERIFY(!first); // unloaded
        m->Command1_Click();
        QCOMPARE(playMade, 2);
        QVERIFY(m->playWindow()->isVisible());
    }

    void closingTheMenuClosesBothWindows()
    {
        auto m = menu();
        m->show();
        m->Command1_Click();
        m->Command2_Click();
        QPointer<QWidget> play = m->playWindow(), make = m->makeWindow();
        QVERIFY(m->close());
        QTRY_VERIFY(!play);
        QTRY_VERIFY(!make);
    }

    void closingTheMenuWithNoWindowOpen()
    {
        auto m = menu();
        m->show();
        QVERIFY(m->close());
        QCOMPARE(playMade + makeMade, 0);
    }

    // The menu bar lies above the client area, which keeps its design size with both buttons
    // where they were.
    void menuBarLiesOutsideTheClientArea()
    {
        auto m = menu();
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m.get()));
        QWidget* client = m->clientArea();
        QCOMPARE(client->size(), QSize(312, 208)); // 4680 x 3120 twips at 15 twips a pixel
        QVERIFY(m->menuBar()->isVisible());
        QVERIFY(m->menuBar()->geometry().bottom() < client->geometry().top());
        auto* b1 = m->findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* b2 = m->findChild<QPushButton*>(QStringLiteral("Command2"));
        QCOMPARE(b1->parentWidget(), client);
        QCOMPARE(b1->geometry(), QRect(112, 40, 97, 33));
        QCOMPARE(b2->geometry(), QRect(112, 112, 97, 33));
    }

    // The menus' accessible names, their order, the shortcut for printing, and a later route
    // command joining the route menu above the separator.
    void menuCommands()
    {
        auto m = menu();
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m.get()));
        QStringList titles;
        for (QAction* a : m->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("道順"), QStringLiteral("設定"),
                                      QStringLiteral("ヘルプ")}));
        QSignalSpy answer(m.get(), &frm_lane_menu::answerSettingsRequested);
        m->answerSettingsAction()->trigger();
        QCOMPARE(answer.size(), 1);

        auto* later = new QAction(QStringLiteral("後から足すコマンド"), m.get());
        m->addRouteCommand(later);
        QStringList route;
        for (QAction* a : m->routeMenu()->actions())
            route << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(route, (QStringList{QStringLiteral("印刷…"), QStringLiteral("PDF に書き出す…"),
                                     QStringLiteral("後から足すコマンド"), QStringLiteral("-"),
                                     QStringLiteral("終了")}));
        QCOMPARE(m->aboutAction()->text(), QStringLiteral("バージョン情報…"));

        QSignalSpy print(m.get(), &frm_lane_menu::printRequested);
        QSignalSpy pdf(m.get(), &frm_lane_menu::exportPdfRequested);
        QTest::keyClick(m.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(print.size(), 1);
        m->exportPdfAction()->trigger();
        QCOMPARE(pdf.size(), 1);

        ScriptedDialogs dialogs;
        m->setDialogs(&dialogs);
        m_lane::InitSettings(QStringLiteral("/home/家族/ミチタン"));
        m->aboutAction()->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(QStringLiteral("2003.3.15")));
        QVERIFY(dialogs.messages[0].contains(QStringLiteral("GPL")));
        QVERIFY(dialogs.messages[0].contains(QStringLiteral("/home/家族/ミチタン/ADO_LANE.mdb")));

        m->findChild<QAction*>(QStringLiteral("quitAction"))->trigger();
        QVERIFY(!m->isVisible());
    }

    // Each window's caption stands alone (nothing set that the window system would append), and
    // both full-screen windows cover the screen's available area, beside a panel, with their
    // outer frame; the photo area fills the client area.
    void windowsAsShown_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::newRow("whole screen") << QRect(0, 0, 1024, 768);
        QTest::newRow("panel at the top") << QRect(0, 28, 1280, 772);
        QTest::newRow("panel at the left") << QRect(48, 0, 1232, 800);
    }

    void windowsAsShown()
    {
        QFETCH(QRect, available);
        RouteFixture fx;
        fx.createSteps(1);
        ScriptedDialogs dialogs;
        const auto screen = platform::ScreenTwips::fromGeometry(available);
        frm_lane_menu m([&] { return new frm_lane_play(dialogs, screen, fx.dir()); },
                        [&] { return new frm_lane_make(dialogs, screen); },
                        QVersionNumber(2003, 3, 15), screen);
        m.show();
        m.Command1_Click();
        m.Command2_Click();
        auto* play = qobject_cast<frm_lane_play*>(m.playWindow());
        auto* make = qobject_cast<frm_lane_make*>(m.makeWindow());
        QVERIFY(play && make);
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        QCOMPARE(m.windowTitle(), QStringLiteral("ミチタン - 処理選択 V20030315"));
        QCOMPARE(play->windowTitle(), QStringLiteral("道順学習"));
        QCOMPARE(make->windowTitle(), QStringLiteral("道順作成"));
        QCOMPARE(platform::messageBoxTitle(), QStringLiteral("アルキッズ"));
        for (QWidget* w : {static_cast<QWidget*>(play), static_cast<QWidget*>(make)})
            QCOMPARE(w->frameGeometry(), available);
        QCOMPARE(play->Picture2.Width(), play->Form.ScaleWidth());
        QCOMPARE(play->Picture2.Height(), play->Form.ScaleHeight());
        QCOMPARE(make->Picture2.Width(), make->ScaleWidth());
        QCOMPARE(make->DataGrid1.Top() + make->DataGrid1.Height(),
                 make->ScaleHeight() - 495 / 2.0f - 120);
        m.close();
    }

    void opensTheRealWindowsSideBySide()
    {
        RouteFixture fx;
        fx.createSteps(3);
        ScriptedDialogs dialogs;
        const auto screen = platform::ScreenTwips::fromPixels(QSize(1024, 768));
        frm_lane_menu m([&] { return new frm_lane_play(dialogs, screen, fx.dir()); },
                        [&] { return new frm_lane_make(dialogs, screen); },
                        QVersionNumber(2003, 3, 15), screen);
        m.show();
        m.Command1_Click();
        m.Command2_Click();
        QVERIFY(qobject_cast<frm_lane_play*>(m.playWindow()));
        QVERIFY(qobject_cast<frm_lane_make*>(m.makeWindow()));
        QPointer<QWidget> play = m.playWindow(), make = m.makeWindow();
        m.close();
        QTRY_VERIFY(!play && !make);
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
