// The learning window driven through its handlers, against a real route file.
#include "app/m_lane.h"
#include "app/messages.h"
#include "learn/frm_lane_play.h"
#include "learn/messages.h"
#include "learn/photo_prefetch.h"
#include "platform/sound.h"
#include "platform/vb_timer.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// `jpeg` with an EXIF orientation tag (6: the stored picture must be turned 90 degrees
// clockwise to stand upright), as phone cameras write it.
QByteArray withOrientationTag(const QByteArray& jpeg, quint16 orientation)
{
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray("MM\0\x2a\0\0\0\x08", 8);       // big-endian TIFF header, IFD at 8
    exif += QByteArray("\0\x01", 2);                   // one entry
    exif += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // Orientation, SHORT, count 1
    exif += char(orientation >> 8);
    exif += char(orientation & 0xff);
    exif += QByteArray("\0\0", 2);
    exif += QByteArray("\0\0\0\0", 4); // no next IFD
    const int length = exif.size() + 2;
    QByteArray segment("\xff\xe1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xff);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

long long stepNo()
{
    return m_lane::STEP_NO.toLongLong();
}

} // namespace

class TestLearn : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;
    QString soundFolder;

    std::unique_ptr<frm_lane_play> open(QSize screenPixels = QSize(1024, 768))
    {
        return std::make_unique<frm_lane_play>(
            dialogs, platform::ScreenTwips::fromPixels(screenPixels), soundFolder);
    }

    // A route of `directions.size()` steps, each with its own 320 x 240 photo.
    void makeRoute(const QStringList& directions)
    {
        QList<RouteRow> rows;
        for (int i = 0; i < directions.size(); ++i)
            rows << RouteRow{stepKey(i + 1),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i + 1), QSize(320, 240)),
                             directions[i]};
        fx->create(rows);
    }

    bool buttonsVisible(const frm_lane_play& w)
    {
        return w.arrowButton(0)->isVisibleTo(&w) && w.arrowButton(1)->isVisibleTo(&w) &&
               w.arrowButton(2)->isVisibleTo(&w) && w.backButton()->isVisibleTo(&w);
    }

    int arrowIndex(const QString& arrow) { return arrow == kUp ? 0 : arrow == kLeft ? 1 : 2; }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
        soundFolder = fx->dir();
        QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/OK.mp3"), soundFolder + "/OK.mp3");
        QFile::copy(QStringLiteral(MICHITAN_ASSETS_DIR "/NG.mp3"), soundFolder + "/NG.mp3");
    }

    void loadArmsTimerAndShowsNothing()
    {
        makeRoute({kUp});
        m_lane::STEP_NO = 7;
        auto w = open();
        QCOMPARE(stepNo(), 0);
        QVERIFY(w->Timer1->Enabled());
        QCOMPARE(w->Timer1->Interval(), 1000);
        QVERIFY(!buttonsVisible(*w));
        QCOMPARE(w->Form.Width(), 15360.f);
        QCOMPARE(w->Form.Height(), 11520.f);
        QCOMPARE(w->Picture2.Width(), 15360.f);
        QCOMPARE(w->Picture2.Left(), 0.f);
        QCOMPARE(w->Picture2.Top(), 0.f);
        QVERIFY(w->MMControl1->Wait);
        QVERIFY(!w->MMControl1->Notify);
        QVERIFY(!w->MMControl1->Shareable);
    }

    void emptyRouteShowsGoalAtFirstTick()
    {
        fx->create({});
        auto w = open();
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
        QVERIFY(!w->Timer1->Enabled());
        // "もどる" and "もういちど" are there to be pressed; the arrows answer nothing.
        QVERIFY(buttonsVisible(*w));
        QVERIFY(w->againButton()->isVisibleTo(w.get()));
        QVERIFY(!w->arrowButton(0)->isEnabled());
    }

    void gapEndsTheRunAtTheGap()
    {
        fx->create({{"001", fx->makeImage("a.png", {100, 80}), kUp},
                    {"002", fx->makeImage("b.png", {100, 80}), kUp},
                    {"004", fx->makeImage("d.png", {100, 80}), kUp}});
        auto w = open();
        for (int step = 1; step <= 2; ++step) {
            w->Timer1_Timer();
            QCOMPARE(stepNo(), step);
            QVERIFY(dialogs.messages.isEmpty());
            w->Command1_Click(0);
            QVERIFY(w->Timer1->Enabled());
        }
        w->Timer1_Timer();
        QCOMPARE(stepNo(), 3);
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
    }

    void pressIsJudgedAgainstTheStepsDirection_data()
    {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("right");
        const QStringList arrows{kUp, kLeft, kRight};
        for (const QString& stored : arrows)
            for (int i = 0; i < 3; ++i)
                QTest::addRow("stored %s pressed %s", qPrintable(stored), qPrintable(arrows[i]))
                    << stored << i << (arrows[i] == stored);
        QTest::newRow("blanks around the arrow") << QStringLiteral("  → ") << 2 << true;
        QTest::newRow("full-width blank around") << QStringLiteral("　←") << 1 << true;
        QTest::newRow("empty direction") << QString() << 0 << false;
        QTest::newRow("unknown direction") << QStringLiteral("右") << 2 << false;
        QTest::newRow("two arrows") << QStringLiteral("↑↑") << 0 << false;
    }

    void pressIsJudgedAgainstTheStepsDirection()
    {
        QFETCH(QString, direction);
        QFETCH(int, index);
        QFETCH(bool, right);
        makeRoute({direction, kUp});
        auto w = open();
        w->Timer1_Timer();
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        w->Command1_Click(index);

        QCOMPARE(commands.size(), 3);
        QCOMPARE(commands[0][0].toString(), QStringLiteral("Close"));
        QCOMPARE(commands[1][0].toString(), QStringLiteral("Open"));
        QCOMPARE(commands[2][0].toString(), QStringLiteral("Play"));
        const QString sound = soundFolder + (right ? "/OK.mp3" : "/NG.mp3");
        QCOMPARE(commands[1][1].toString(), sound);
        QCOMPARE(w->MMControl1->FileName, sound);
        QCOMPARE(w->Timer1->Enabled(), right);
        QCOMPARE(dialogs.messages, right ? QStringList() : QStringList{learn::messages::kWrong});
        QCOMPARE(stepNo(), 1);
    }

    // The keys press the buttons: each reaches its button's handler, whichever button has the
    // focus, and the focus stays where it was.
    void keysPressTheMatchingButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stored"); // the step's direction
        QTest::addColumn<QString>("sound");  // "" when no sound is played
        QTest::newRow("up answers ↑") << int(Qt::Key_Up) << kUp << "/OK.mp3";
        QTest::newRow("left answers ←") << int(Qt::Key_Left) << kLeft << "/OK.mp3";
        QTest::newRow("right answers →") << int(Qt::Key_Right) << kRight << "/OK.mp3";
        QTest::newRow("left on a → step is wrong") << int(Qt::Key_Left) << kRight << "/NG.mp3";
        QTest::newRow("backspace goes back") << int(Qt::Key_Backspace) << kUp << "";
        QTest::newRow("down does nothing") << int(Qt::Key_Down) << kUp << "";
    }

    void keysPressTheMatchingButton()
    {
        QFETCH(int, key);
        QFETCH(QString, stored);
        QFETCH(QString, sound);
        makeRoute({stored, kUp});
        auto w = open();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        // Before the first step no button is shown, and no key answers.
        QTest::keyClick(w.get(), Qt::Key(key));
        QVERIFY(dialogs.messages.isEmpty());
        w->Timer1_Timer();
        QCOMPARE(stepNo(), 1);
        for (QPushButton* focused : {w->arrowButton(2), w->backButton()}) {
            dialogs = ScriptedDialogs();
            w->Timer1->setEnabled(false);
            focused->setFocus();
            QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
            QTest::keyClick(focused, Qt::Key(key));
            QCOMPARE(w->focusWidget(), focused);
            if (sound.isEmpty()) {
                QVERIFY(commands.isEmpty());
                QCOMPARE(w->Timer1->Enabled(), key == Qt::Key_Backspace);
            } else {
                QCOMPARE(commands.size(), 3);
                QCOMPARE(commands[1][1].toString(), soundFolder + sound);
                const bool right = sound == QLatin1String("/OK.mp3");
                QCOMPARE(w->Timer1->Enabled(), right);
                QCOMPARE(dialogs.messages,
                         right ? QStringList() : QStringList{learn::messages::kWrong});
            }
            m_lane::STEP_NO = 1;
        }
    }

    void wrongAnswerKeepsTheStepOnScreen()
    {
        makeRoute({kLeft, kUp});
        auto w = open();
        w->Timer1_Timer();
        const qint64 shown = w->photo()->pixmap().cacheKey();
        w->Command1_Click(0);
        w->Command1_Click(2);
        QCOMPARE(dialogs.messages, (QStringList{learn::messages::kWrong, learn::messages::kWrong}));
        QVERIFY(!w->Timer1->Enabled());
        QCOMPARE(w->photo()->pixmap().cacheKey(), shown);
        w->Command1_Click(1);
        QVERIFY(w->Timer1->Enabled());
    }

    void twoRightPressesWithinTheSecondGiveOneNextStep()
    {
        makeRoute({kUp, kRight, kLeft});
        auto w = open();
        // Both presses come at once; a shorter wait than the window's second keeps the test quick.
        w->Timer1->setInterval(100);
        w->Timer1_Timer();
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        w->Command1_Click(0);
        w->Command1_Click(0);
        QCOMPARE(commands.size(), 6);
        QVERIFY(w->Timer1->Enabled());
        QSignalSpy ticks(w->Timer1, &platform::VbTimer::Timer);
        // The one armed tick comes, shows step 2 and leaves the timer off.
        QVERIFY(ticks.wait(5000));
        QCOMPARE(ticks.size(), 1);
        QCOMPARE(stepNo(), 2);
        QVERIFY(!w->Timer1->Enabled());
    }

    void backGoesOneStepBack_data()
    {
        QTest::addColumn<int>("onScreen");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("shownNext");
        QTest::newRow("at step 1 shows step 1 again") << 1 << 1 << 1;
        QTest::newRow("at step 5 shows step 4") << 5 << 1 << 4;
        QTest::newRow("twice within a second at step 5 shows step 2") << 5 << 2 << 2;
        QTest::newRow("three times at step 2 never goes below step 1") << 2 << 3 << 1;
    }

    void backGoesOneStepBack()
    {
        QFETCH(int, onScreen);
        QFETCH(int, presses);
        QFETCH(int, shownNext);
        makeRoute({kUp, kUp, kUp, kUp, kUp, kUp});
        auto w = open();
        w->Timer1_Timer();
        for (int i = 1; i < onScreen; ++i) {
            w->Command1_Click(0);
            w->Timer1_Timer();
        }
        QCOMPARE(stepNo(), onScreen);
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        for (int i = 0; i < presses; ++i)
            w->Command2_Click();
        QVERIFY(w->Timer1->Enabled());
        QVERIFY(commands.isEmpty()); // no sound, nothing stopped
        w->Timer1_Timer();
        QCOMPARE(stepNo(), shownNext);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // After the goal no arrow is judged: no sound, no "ざんねん！", whatever key or button;
    // "もどる" shows the last step again and "もういちど" starts again at step 1.
    void pressesAfterTheGoal_data()
    {
        QTest::addColumn<QString>("how"); // "click" the handler, or the key of a shown window
        QTest::addColumn<int>("key");
        QTest::addColumn<long long>("shownNext"); // 0: nothing happens
        QTest::newRow("arrow of the last step") << "click" << 2 << 0LL;
        QTest::newRow("another arrow") << "click" << 1 << 0LL;
        QTest::newRow("arrow key of the last step") << "key" << int(Qt::Key_Right) << 0LL;
        QTest::newRow("もどる shows the last step") << "back" << 0 << 2LL;
        QTest::newRow("Backspace shows the last step") << "key" << int(Qt::Key_Backspace) << 2LL;
        QTest::newRow("もういちど starts again") << "again" << 0 << 1LL;
        QTest::newRow("Enter starts again") << "key" << int(Qt::Key_Return) << 1LL;
    }

    void pressesAfterTheGoal()
    {
        QFETCH(QString, how);
        QFETCH(int, key);
        QFETCH(long long, shownNext);
        makeRoute({kUp, kRight});
        auto w = open();
        if (how == QLatin1String("key")) {
            w->show();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
        }
        w->Timer1_Timer();
        w->Command1_Click(0);
        w->Timer1_Timer();
        w->Command1_Click(2);
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
        QVERIFY(w->atGoal());
        QSignalSpy commands(w->MMControl1, &platform::MMControl::commandGiven);
        if (how == QLatin1String("click"))
            w->Command1_Click(key);
        else if (how == QLatin1String("back"))
            w->Command2_Click();
        else if (how == QLatin1String("again"))
            w->againButton()->click();
        else
            QTest::keyClick(w->focusWidget(), Qt::Key(key));
        QVERIFY(commands.isEmpty());
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
        QCOMPARE(w->Timer1->Enabled(), shownNext > 0);
        if (shownNext == 0) {
            QVERIFY(w->atGoal());
            return;
        }
        w->Timer1_Timer();
        QCOMPARE(stepNo(), shownNext);
        QVERIFY(!w->atGoal());
        QVERIFY(!w->againButton()->isVisibleTo(w.get()));
        QVERIFY(w->arrowButton(0)->isEnabled());
        // The arrows answer again.
        w->Command1_Click(shownNext == 1 ? 0 : 2);
        QVERIFY(w->Timer1->Enabled());
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kGoal});
    }

    void missingPhotoAtStepOneStillShowsTheArrows()
    {
        const QString missing = QDir(fx->dir()).filePath("gone.jpg");
        fx->create({{"001", missing, kUp}});
        auto w = open();
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(missing)});
        QVERIFY(!w->Timer1->Enabled());
        QCOMPARE(stepNo(), 1);
        // The step can be answered all the same: the arrows stand below the empty photo box.
        QVERIFY(buttonsVisible(*w));
        QVERIFY(w->photo()->pixmap().isNull());
        w->Command1_Click(0);
        QVERIFY(w->Timer1->Enabled());
        QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(missing)});
    }

    void missingPhotoLaterKeepsThePreviousOneAndMovesOn()
    {
        const QString broken = QDir(fx->dir()).filePath("broken.jpg");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a picture");
        f.close();
        fx->create({{"001", fx->makeImage("a.png", {200, 100}), kUp},
                    {"002", broken, kRight},
                    {"003", fx->makeImage("c.png", {100, 50}), kUp}});
        auto w = open();
        w->Timer1_Timer();
        const qint64 first = w->photo()->pixmap().cacheKey();
        const float firstLeft = w->Command1[0].Left();
        w->Command1_Click(0);
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(broken)});
        QCOMPARE(w->photo()->pixmap().cacheKey(), first);
        QCOMPARE(w->Command1[0].Left(), firstLeft);
        QVERIFY(buttonsVisible(*w));
        w->Command1_Click(2); // right for the step whose photo is missing
        QVERIFY(w->Timer1->Enabled());
        w->Timer1_Timer();
        QCOMPARE(stepNo(), 3);
        QCOMPARE(w->photo()->pixmap().size(), QSize(100, 50));
    }

    void photoPathIsTrimmed()
    {
        const QString photo = fx->makeImage("a.png", {64, 48});
        fx->create({{"001", QStringLiteral("  ") + photo + QStringLiteral(" "), kUp}});
        auto w = open();
        w->Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w->photo()->pixmap().size(), QSize(64, 48));
    }

    void layoutInTwips_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("photo");
        QTest::newRow("1024x768 screen, 320x240 photo") << QSize(1024, 768) << QSize(320, 240);
        QTest::newRow("odd widths give half twips") << QSize(1023, 768) << QSize(321, 241);
        QTest::newRow("photo exactly as wide as the window") << QSize(800, 600) << QSize(800, 300);
    }

    void layoutInTwips()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, photo);
        fx->create({{"001", fx->makeImage("p.png", photo), kUp}});
        auto w = open(screen);
        w->Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        const float W = screen.width() * 15.f;
        const float pw = photo.width() * 15.f, ph = photo.height() * 15.f;
        QCOMPARE(w->Picture1.Width(), pw);
        QCOMPARE(w->Picture1.Height(), ph);
        QCOMPARE(w->Picture1.Left(), (W - pw) / 2);
        QCOMPARE(w->Picture1.Top(), 495.f);
        QCOMPARE(w->Command1[0].Left(), (W - 855) / 2);
        QCOMPARE(w->Command1[0].Top(), ph + 2 * 495);
        QCOMPARE(w->Command1[1].Left(), (W - 855) / 2 - 2 * 855);
        QCOMPARE(w->Command1[1].Top(), ph + 3 * 495);
        QCOMPARE(w->Command1[2].Left(), (W - 855) / 2 + 2 * 855);
        QCOMPARE(w->Command1[2].Top(), ph + 3 * 495);
        QCOMPARE(w->Command2.Left(), (W - 855) / 2);
        QCOMPARE(w->Command2.Top(), ph + 4 * 495);
        QVERIFY(buttonsVisible(*w));
        // The widgets stand at the nearest pixels of those twips.
        QCOMPARE(w->backButton()->y(), qRound((ph + 4 * 495) / 15));
        QCOMPARE(w->photo()->width(), photo.width());
    }

    void oversizePhotoIsShrunkToFitWithTheButtons_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("shown");
        // 1024x768 screen: the photo may take 1024 px across and 768 - 6 x 33 = 570 px down.
        QTest::newRow("too tall and too wide") << QSize(4000, 3000) << QSize(760, 570);
        QTest::newRow("too wide only") << QSize(2048, 200) << QSize(1024, 100);
        QTest::newRow("exactly fits keeps its size") << QSize(1024, 570) << QSize(1024, 570);
        QTest::newRow("one pixel too tall") << QSize(100, 571) << QSize(99, 570);
    }

    void oversizePhotoIsShrunkToFitWithTheButtons()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, shown);
        fx->create({{"001", fx->makeImage("big.jpg", photo, "JPEG"), kUp}});
        auto w = open();
        w->Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w->photo()->pixmap().size(), shown);
        QCOMPARE(w->Picture1.Width(), shown.width() * 15.f);
        QCOMPARE(w->Picture1.Height(), shown.height() * 15.f);
        QVERIFY(w->Picture1.Left() >= 0);
        QVERIFY(w->Command2.Top() + w->Command2.Height() <= w->Form.Height() - 495);
        QCOMPARE(w->Command2.Top(), w->Picture1.Height() + 4 * 495);
    }

    void photoWithOrientationTagIsShownUpright_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("small phone photo turned upright") << QSize(200, 100) << QSize(100, 200);
        // Stored 1200 x 900, upright 900 x 1200: shrunk to 570 px high on a 768 px screen.
        QTest::newRow("large phone photo turned and shrunk") << QSize(1200, 900) << QSize(427, 570);
    }

    void photoWithOrientationTagIsShownUpright()
    {
        QFETCH(QSize, stored);
        QFETCH(QSize, shown);
        QImage picture(stored, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&buffer, "JPEG"));
        const QString path = QDir(fx->dir()).filePath("phone.jpg");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(withOrientationTag(jpeg, 6));
        file.close();
        fx->create({{"001", path, kUp}});
        auto w = open();
        w->Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w->photo()->pixmap().size(), shown);
        QCOMPARE(w->Picture1.Height(), shown.height() * 15.f);
    }

    // The next photo is decoded ahead while the window waits; whatever changes meanwhile, the
    // tick shows the route and the file as they are when it comes.
    void changesWhileThePhotoIsDecodedAhead_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("nothing changes") << "none";
        QTest::newRow("the photo file is replaced") << "file";
        QTest::newRow("the route names another photo") << "route";
        QTest::newRow("the photo file is removed") << "removed";
    }

    void changesWhileThePhotoIsDecodedAhead()
    {
        QFETCH(QString, change);
        const QString photo = fx->makeImage("a.png", {200, 100});
        fx->create({{"001", photo, kUp}});
        auto w = open();
        QVERIFY(w->PrefetchPhotos);
        QSize expected(200, 100);
        if (change == "file") {
            QVERIFY(QFile::remove(photo));
            fx->makeImage("a.png", {60, 40});
            expected = QSize(60, 40);
        } else if (change == "route") {
            const QString other = fx->makeImage("b.png", {30, 90});
            fx->exec(QStringLiteral("UPDATE プログラム SET 写真 = '%1'").arg(other));
            expected = QSize(30, 90);
        } else if (change == "removed") {
            QVERIFY(QFile::remove(photo));
        }
        w->Timer1_Timer();
        if (change == "removed") {
            QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(photo)});
            return;
        }
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w->photo()->pixmap().size(), expected);
        QCOMPARE(w->Picture1.Width(), expected.width() * 15.f);
    }

    // A photo decoded ahead is taken only while its file is still the one decoded; a file
    // replaced after the decoding has finished is decoded again by the tick.
    void preparedPhotoIsTakenOnlyForTheSameFile_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("file unchanged") << false;
        QTest::newRow("file replaced after the decoding") << true;
    }

    void preparedPhotoIsTakenOnlyForTheSameFile()
    {
        QFETCH(bool, replace);
        const QString photo = fx->makeImage("a.png", {200, 100});
        fx->create({{"001", photo, kUp}});
        learn::PhotoPrefetch prefetch;
        prefetch.start(m_lane::DB_PATH, stepKey(1), learn::PhotoRoom{15, 15360, 11520, 495});
        prefetch.wait();
        if (replace) {
            QVERIFY(QFile::remove(photo));
            fx->makeImage("a.png", {60, 40});
        }
        const std::optional<learn::PreparedPhoto> taken = prefetch.take(photo);
        QCOMPARE(taken.has_value(), !replace);
        if (taken) {
            QVERIFY(taken->image);
            QCOMPARE(taken->image->size(), QSize(200, 100));
        }
    }

    void missingSoundLeavesTheJudgementUnchanged()
    {
        QFile::remove(soundFolder + "/OK.mp3");
        QFile::remove(soundFolder + "/NG.mp3");
        makeRoute({kUp, kUp});
        auto w = open();
        w->Timer1_Timer();
        w->Command1_Click(1);
        QCOMPARE(dialogs.messages, QStringList{learn::messages::kWrong});
        QVERIFY(!w->Timer1->Enabled());
        w->Command1_Click(0);
        QVERIFY(w->Timer1->Enabled());
        QCOMPARE(dialogs.messages.size(), 1);
    }

    // The route file is replaced by something that is not a route file, or goes missing (moved
    // away, a share that dropped out): the adult is told, the step stays, nothing is made in the
    // file's place, and the run goes on once the file is back.
    void storeFailureIsReportedAndTheRunGoesOn_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("a folder in its place") << true;
        QTest::newRow("the file gone") << false;
    }

    void storeFailureIsReportedAndTheRunGoesOn()
    {
        QFETCH(bool, folder);
        makeRoute({kUp, kUp});
        auto w = open();
        w->Timer1_Timer();
        w->Command1_Click(0);
        QVERIFY(QFile::rename(fx->dbPath(), fx->dbPath() + ".saved"));
        if (folder)
            QVERIFY(QDir().mkdir(fx->dbPath()));
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(fx->dbPath()));
        QCOMPARE(stepNo(), 1); // the step on screen is still the current one
        w->Command1_Click(0);
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(QFileInfo(fx->dbPath()).isDir(), folder);
        QCOMPARE(QFileInfo(fx->dbPath()).isFile(), false);
        // Once the file is back, answering again moves the run on.
        if (folder)
            QVERIFY(QDir().rmdir(fx->dbPath()));
        QVERIFY(QFile::rename(fx->dbPath() + ".saved", fx->dbPath()));
        w->Command1_Click(0);
        QVERIFY(w->Timer1->Enabled());
        w->Timer1_Timer();
        QCOMPARE(stepNo(), 2);
        QCOMPARE(dialogs.messages.size(), 2);
    }

    // The parent changes the route while the child practises: step 1 now holds another photo.
    // A press is not judged against a photo the child never saw; that step is shown instead.
    void pressAfterTheRouteChangedShowsTheStepAfresh()
    {
        makeRoute({kUp, kUp});
        auto w = open();
        w->PrefetchPhotos = false;
        w->Timer1_Timer();
        QCOMPARE(w->Picture1.Width(), 320 * 15.f);
        const QString other = fx->makeImage(QStringLiteral("other.png"), QSize(200, 100));
        fx->exec(QStringLiteral("UPDATE プログラム SET 写真 = '%1', 方向 = '←' WHERE 順序 = '001'")
                     .arg(other));
        w->Command1_Click(arrowIndex(kLeft));
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(!w->Timer1->Enabled());
        QCOMPARE(stepNo(), 1);
        QCOMPARE(w->Picture1.Width(), 200 * 15.f);
        // Now the photo on screen is the step's: the same press is judged, and right.
        w->Command1_Click(arrowIndex(kLeft));
        QVERIFY(w->Timer1->Enabled());
        QVERIFY(dialogs.messages.isEmpty());
    }

    // Another program holds the route file: a tick or an answer waits a moment, leaves the
    // screen as it is and tries again by itself; the adult is told only after a while (here
    // set to no time at all), and the window goes on trying after that.
    void lockedRouteFileNeverStrandsTheRun()
    {
        makeRoute({kUp, kUp});
        auto w = open();
        w->PrefetchPhotos = false;
        w->RouteWaitSeconds = 0; // the same course without waiting a second at each try
        w->AnswerRetryMs = 10;
        QProcess holder;
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished();
        });
        const auto hold = [&] {
            holder.start(QStringLiteral(MICHITAN_TEST_HELPER_DIR "/helper_lock"),
                         {fx->dbPath(), QStringLiteral("exclusive")});
            return holder.waitForReadyRead(10000) &&
                   holder.readAllStandardOutput().trimmed() == QByteArray("locked");
        };
        const auto release = [&] {
            holder.kill();
            holder.waitForFinished();
        };

        QVERIFY(hold());
        w->Timer1_Timer();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(stepNo(), 0);
        QVERIFY(w->Timer1->Enabled()); // trying again by itself
        w->ReportUnavailableAfterMs = 0;
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].contains(fx->dbPath()), qPrintable(dialogs.messages[0]));
        QVERIFY(w->Timer1->Enabled()); // and still after the adult was told
        w->Timer1_Timer();
        QCOMPARE(dialogs.messages.size(), 1); // told once
        release();
        w->Timer1_Timer();
        QCOMPARE(stepNo(), 1);
        QVERIFY(buttonsVisible(*w));
        QVERIFY(!w->Timer1->Enabled());

        // An answer given while the route is held is judged as soon as it is free.
        QVERIFY(hold());
        w->Command1_Click(arrowIndex(kUp));
        QCOMPARE(w->pendingAnswer(), arrowIndex(kUp));
        QVERIFY(!w->Timer1->Enabled());
        release();
        QTRY_VERIFY(w->Timer1->Enabled());
        QCOMPARE(w->pendingAnswer(), -1);
        QCOMPARE(dialogs.messages.size(), 2); // the new outage was told at once (no delay set)
    }

    void controlsCarryTheirDesignNames()
    {
        makeRoute({kUp});
        auto w = open();
        for (const char* name : {"Command1_0", "Command1_1", "Command1_2", "Command2", "Picture1",
                                 "Picture2", "Timer1", "MMControl1"})
            QVERIFY2(w->findChild<QObject*>(QString::fromLatin1(name)), name);
        QCOMPARE(w->findChild<QPushButton*>("Command1_1")->accessibleName(), kLeft);
        QCOMPARE(w->findChild<QPushButton*>("Command2")->text(), QStringLiteral("もどる"));
        QCOMPARE(w->windowTitle(), QStringLiteral("道順学習"));
        QVERIFY(!w->windowIcon().isNull());
    }
};

QTEST_MAIN(TestLearn)
#include "tst_learn.moc"
