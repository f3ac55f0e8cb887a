// The practice lock: a locked window refuses every way of closing it that a child can reach, and
// lets an adult out after holding the top-left corner and answering the sum.
#include "app/frm_lane_menu.h"
#include "learn/frm_lane_play.h"
#include "learn/practice_lock.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// Answers the lock's sum from its question, right or off by `offset`.
class SumDialogs : public ScriptedDialogs
{
public:
    int offset = 0;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& initial) override
    {
        ScriptedDialogs::InputBox(parent, prompt, initial);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("(\\d+) \\+ (\\d+) =")).match(prompt);
        return m.hasMatch()
                   ? QString::number(m.captured(1).toInt() + m.captured(2).toInt() + offset)
                   : QString();
    }
};

class TstPracticeLock : public QObject
{
    Q_OBJECT

    static frm_lane_play* open(ScriptedDialogs& dialogs, bool lock)
    {
        auto* play = new frm_lane_play(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)),
                                       QString());
        play->PrefetchPhotos = false;
        app::PracticeSettings settings;
        settings.lock = lock;
        play->setPracticeSettings(settings);
        play->show();
        return play;
    }

private slots:
    void lockRefusesClosing_data();
    void lockRefusesClosing();
    void adultLeavesByCornerAndSum_data();
    void adultLeavesByCornerAndSum();
    void lockedPracticeKeepsTheMenu();
};

void TstPracticeLock::lockRefusesClosing_data()
{
    QTest::addColumn<bool>("lock");
    QTest::newRow("unlocked closes as always") << false;
    QTest::newRow("locked refuses") << true;
}

void TstPracticeLock::lockRefusesClosing()
{
    QFETCH(bool, lock);
    RouteFixture route;
    route.createSteps(2);
    ScriptedDialogs dialogs;
    std::unique_ptr<frm_lane_play> play(open(dialogs, lock));
    // Esc and Alt+F4 on the focused button, then the window manager's close.
    QWidget* button = play->arrowButton(0);
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(button, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(play->isVisible(), true);
    QCOMPARE(play->close(), !lock);
    QCOMPARE(play->isVisible(), lock);
    QCOMPARE(bool(play->windowFlags() & Qt::WindowStaysOnTopHint), lock);
    // Switched off by the adult, the window closes again.
    play->show();
    play->setPracticeSettings({});
    QVERIFY(play->close());
}

void TstPracticeLock::adultLeavesByCornerAndSum_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::newRow("corner and right sum") << QPoint(5, 5) << 0 << true << true;
    QTest::newRow("corner and wrong sum") << QPoint(5, 5) << 1 << true << false;
    QTest::newRow("middle of the screen") << QPoint(500, 300) << 0 << false << false;
}

void TstPracticeLock::adultLeavesByCornerAndSum()
{
    QFETCH(QPoint, press);
    QFETCH(int, offset);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    RouteFixture route;
    route.createSteps(2);
    SumDialogs dialogs;
    dialogs.offset = offset;
    std::unique_ptr<frm_lane_play> play(open(dialogs, true));
    auto* lock = play->findChild<learn::PracticeLock*>();
    QVERIFY(lock);
    lock->HoldMs = 50;
    // Pressed where the child sees it: on whatever widget lies there.
    QWidget* target = play->childAt(press) ? play->childAt(press) : play.get();
    const QPoint at = target->mapFrom(play.get(), press);
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    // A hold in the corner asks as soon as its time is up; elsewhere a hold well past that time
    // must ask nothing.
    if (asked)
        QTRY_COMPARE(dialogs.prompts.size(), 1);
    else
        QTest::qWait(300);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    QCOMPARE(dialogs.prompts.size(), asked ? 1 : 0);
    QCOMPARE(play->isVisible(), !closed);
    if (closed)
        return;
    // Let go before the time, the corner asks nothing.
    lock->HoldMs = 10000;
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::qWait(20);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    QCOMPARE(dialogs.prompts.size(), asked ? 1 : 0);
}

void TstPracticeLock::lockedPracticeKeepsTheMenu()
{
    RouteFixture route;
    route.createSteps(2);
    ScriptedDialogs dialogs;
    QPointer<frm_lane_play> play;
    frm_lane_menu menu(
        [&]() -> QWidget* {
            play = open(dialogs, true);
            return play;
        },
        [] { return new QWidget(nullptr, Qt::Window); }, QVersionNumber(2003, 3, 15),
        platform::ScreenTwips::fromPixels(QSize(1024, 768)));
    menu.show();
    menu.Command1_Click();
    QVERIFY(play);
    QVERIFY(!menu.close());
    QVERIFY(menu.isVisible());
    QVERIFY(play->isVisible());
    play->setPracticeSettings({});
    QVERIFY(menu.close());
}

QTEST_MAIN(TstPracticeLock)
#include "tst_practice_lock.moc"
