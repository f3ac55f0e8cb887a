#pragma once

#include "share/progress.h"

#include <QList>
#include <QString>

namespace share {

// A board archive that has passed every check, ready to be imported.
struct ImportPlan
{
    struct Step
    {
        QString direction;
        QString imageEntry; // the picture's entry in the archive
        QString photoName;  // the file name the photo had, made safe for this computer
        QString soundEntry; // the step's voice in the archive, or empty
    };
    QString archivePath;
    QList<Step> steps;
    QString goalSoundEntry; // the goal's voice in the archive, or empty
};

// Reads and checks the archive at `archivePath` without writing anything: a zip whose every
// entry stays inside it, is no link and keeps within the size limits, with a manifest and boards
// in valid JSON that carry our fields, at most 999 steps, and every picture they name present.
// Throws ShareError (Refused) with what is wrong.
ImportPlan readArchive(const QString& archivePath);

// The folder the photos go to unless the user picks another: beside the route file, named
// after the archive ("school.obz" gives "<route folder>/school").
QString defaultPhotoFolder(const QString& routePath, const QString& archivePath);

struct ImportResult
{
    int steps = 0;
    QString datedCopy; // the kept copy of the route before, or empty when there was none
};

// Writes the plan's photos into `photoFolder` (never over a file that is there) and its voices
// into the route's voice folder, keeps a dated copy of the route file, then replaces the route
// and its voices in one change. On any failure the route is as
// it was and the photos written are removed again. Throws ShareError or store::StoreError.
ImportResult importRoute(const ImportPlan& plan, const QString& routePath,
                         const QString& photoFolder, const Progress& progress = {});

} // namespace share
