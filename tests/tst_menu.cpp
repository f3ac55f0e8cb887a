// The menu: its title from the version, and the two windows it opens and closes.
#include "app/frm_lane_menu.h"
#include "edit/frm_lane_make.h"
#include "learn/frm_lane_play.h"
#include "platform/dialogs.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QGuiApplication>
#include <QPushButton>
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
