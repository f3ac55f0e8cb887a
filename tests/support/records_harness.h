#pragma once

// What the records tests share: a route of small photos, a practice window that waits for the
// test to tick it, a recorder whose messages to the adult are kept, and readings of the files.
#include "learn/frm_lane_play.h"
#include "platform/vb_timer.h"
#include "records/recorder.h"
#include "store/records_db.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QCryptographicHash>
#include <QFile>
#include <memory>

inline QByteArray fileHash(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

inline QList<store::RecordSession> readRecords(const QString& routeFile)
{
    store::RecordsDb db;
    db.open(store::recordsPathFor(routeFile), false, 1000);
    return db.readAll();
}

class RecordsHarness : public QObject
{
protected:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;
    QStringList told;

    // A fresh route folder and message layer for each test.
    void reset()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
        told.clear();
    }

    std::unique_ptr<frm_lane_play> open()
    {
        auto w = std::make_unique<frm_lane_play>(
            dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)), fx->dir());
        w->Timer1->setEnabled(false);
        w->PrefetchPhotos = false;
        return w;
    }

    void makeRoute(const QStringList& directions)
    {
        QList<RouteRow> rows;
        for (int i = 0; i < directions.size(); ++i)
            rows << RouteRow{stepKey(i + 1),
                             fx->makeImage(QStringLiteral("s%1.png").arg(i + 1), QSize(64, 48)),
                             directions[i]};
        fx->create(rows);
    }

    records::Recorder* makeRecorder()
    {
        return new records::Recorder([this](const QString& m) { told << m; }, this);
    }
};
