// Times one learning tick (route query, photo decode, layout) and watches memory over a long run.
// Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "learn/frm_lane_play.h"
#include "learn/play_layout.h"
#include "platform/dialogs.h"
#include "platform/vb_timer.h"
#include "store/connection.h"
#include "support/bench_media.h"
#include "support/median.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::median;
using bench::SilentDialogs;

// Milliseconds of one tick that shows step 1, with nothing decoded ahead.
double timeTick(frm_lane_play& w)
{
    w.PrefetchPhotos = false;
    m_lane::STEP_NO = 0;
    QElapsedTimer t;
    t.start();
    w.Timer1_Timer();
    return t.nsecsElapsed() / 1e6;
}

// Milliseconds of the tick that follows "もどる" once the window has waited its second: the
// photo was decoded meanwhile.
double timeTickAfterWait(frm_lane_play& w)
{
    w.PrefetchPhotos = true;
    m_lane::STEP_NO = 1;
    w.Command2_Click();
    w.Timer1->setEnabled(false);
    QThread::msleep(400);
    QElapsedTimer t;
    t.start();
    w.Timer1_Timer();
    return t.nsecsElapsed() / 1e6;
}

// The same tick done the plain way: the whole photo decoded, then scaled to the shown size.
double timeBaselineTick(frm_lane_play& w, const platform::ScreenTwips& screen)
{
    QElapsedTimer t;
    t.start();
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    QString photo;
    {
        store::Recordset rs =
            cn.Query("SELECT * FROM " + m_lane::ROUTE_TABLE + " WHERE 順序 = '001' ");
        photo = rs.field("写真");
    }
    cn.Close();
    QImageReader reader(photo);
    reader.setAutoTransform(true);
    const QImage full = reader.read();
    const QSize shown = learn::shownPhotoPixels(full.size(), screen.TwipsPerPixel, screen.Width,
                                                screen.Height, 495);
    const QImage scaled = shown == full.size()
                              ? full
                              : full.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    w.photo()->setPixmap(QPixmap::fromImage(scaled));
    w.Picture1.setSize(float(scaled.width() * screen.TwipsPerPixel),
                       float(scaled.height() * screen.TwipsPerPixel));
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    m_lane::InitSettings(dir.path());
    SilentDialogs dialogs;
    const platform::ScreenTwips screen = platform::ScreenTwips::fromPixels(QSize(1920, 1080));

    struct Case
    {
        const char* name;
        QSize size;
        int runs;
    } cases[] = {{"640 x 480 JPEG", {640, 480}, 60}, {"4032 x 3024 phone JPEG", {4032, 3024}, 25}};

    std::printf("Learning tick on a 1920 x 1080 screen (median of runs, milliseconds)\n");
    std::printf("tick: route query, decode at the shown size, layout; full+scale: the same with\n"
                "the whole photo decoded, then scaled; after wait: the tick when the photo was\n"
                "decoded in the background during the second before it\n\n");
    std::printf("%-24s %8s %10s %12s %9s %11s\n", "photo", "file", "tick", "full+scale", "speed-up",
                "after wait");
    for (const Case& c : cases) {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("photo.jpg"));
        bench::writePhoto(path, c.size, 1);
        bench::writeRoute(m_lane::DB_PATH, {path}, 1, false);
        frm_lane_play w(dialogs, screen, dir.path());
        w.Timer1->setEnabled(false);
        std::vector<double> tick, base, warm;
        timeTick(w);
        timeBaselineTick(w, screen);
        for (int i = 0; i < c.runs; ++i) {
            tick.push_back(timeTick(w));
            base.push_back(timeBaselineTick(w, screen));
            if (i < 10)
                warm.push_back(timeTickAfterWait(w));
        }
        std::printf("%-24s %6.2f MB %10.2f %12.2f %8.1fx %11.2f\n", c.name,
                    QFileInfo(path).size() / 1e6, median(tick), median(base),
                    median(base) / median(tick), median(warm));
    }

    // A 100-step run of phone photos: ten different files, each used ten times.
    QStringList photos;
    for (int i = 0; i < 10; ++i) {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("phone%1.jpg").arg(i));
        bench::writePhoto(path, QSize(4032, 3024), quint32(i + 7));
        photos << path;
    }
    QStringList route;
    for (int i = 0; i < 100; ++i)
        route << photos[i % 10];
    bench::writeRoute(m_lane::DB_PATH, route, int(route.size()), false);
    frm_lane_play w(dialogs, screen, dir.path());
    w.Timer1->setEnabled(false);
    w.PrefetchPhotos = true;
    long rssAt10 = 0, rssAt100 = 0;
    for (int step = 1; step <= 100; ++step) {
        w.Timer1_Timer();
        w.Command1_Click(0);
        w.Timer1->setEnabled(false);
        QCoreApplication::processEvents();
        if (step == 10)
            rssAt10 = bench::statusKib("VmRSS:");
        if (step == 100)
            rssAt100 = bench::statusKib("VmRSS:");
    }
    std::printf("\n100-step run of 4032 x 3024 photos\n");
    std::printf("peak memory (VmHWM)        %8.1f MiB\n", bench::statusKib("VmHWM:") / 1024.0);
    std::printf("resident at step 10        %8.1f MiB\n", rssAt10 / 1024.0);
    std::printf("resident at step 100       %8.1f MiB\n", rssAt100 / 1024.0);
    std::printf("growth from step 10 to 100 %8.1f %%\n",
                rssAt10 > 0 ? 100.0 * (rssAt100 - rssAt10) / rssAt10 : 0.0);
    return 0;
}
