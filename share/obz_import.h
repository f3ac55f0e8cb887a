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
// Each entry is read once, and the manifest's size and number of boards are bounded, so that
// a small crafted file can't keep the reader busy. Throws platform::Failure (Refused) with what is
// wrong, or (Cancelled) when `progress` answers false.
ImportPlan readArchive(const QString& archivePath, const Progress& progress = {});

// The file name `stem` + `tag` + "." + `suffix`, the stem shortened at a character's end so
// that the whole name fits a file system's 255 bytes.
QString fittedFileName(const QString& stem, const QString& tag, const QString& suffix);

// The folder the photos go to unless the user picks another: beside the route file, named
// after the archive ("school.obz" gives "<route folder>/school").
QString defaultPhotoFolder(const QString& routePath, const QString& archivePath);

struct ImportResult
{
    int steps = 0;
    QString datedCopy;   // the kept copy of the route before, or empty when there was none
    QString photoFolder; // where the photos went
    // The folder asked for could not be named in the route (it lies inside a folder whose name
    // is not UTF-8), so the photos went to a folder of that name in the user's data folder.
    bool photoFolderMoved = false;
};

// Unpacks the plan's photos into a hidden folder inside `photoFolder` and checks that each one
// decodes, keeps a dated copy of the route file, moves the photos into place (never over a file
// that is there) and its voices into the route's voice folder, and then replaces the route and
// its voices in one change. On any failure the route is as it was and the photos and voices
// written are removed again. Throws platform::Failure.
ImportResult importRoute(const ImportPlan& plan, const QString& routePath,
                         const QString& photoFolder, const Progress& progress = {});

} // namespace share
