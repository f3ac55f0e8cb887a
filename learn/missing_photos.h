#pragma once

#include <QString>

class QWidget;

namespace platform {
class Dialogs;
}

namespace learn {

// How many of the route's photos can't be shown (no file there, or not a picture the program
// reads), each file counted once. A route that can't be read counts none: the practice window
// reports that itself.
int countMissingPhotos(const QString& routePath);

// The notice for the adult before practice starts on a route with `missing` such photos; empty
// when there are none.
QString missingPhotosNotice(int missing);

// Before the practice window opens on the program's route: tells the adult, in front of
// `parent`, how many photos are missing, so that they are mended before the child sits down.
void noticeMissingPhotos(platform::Dialogs& dialogs, QWidget* parent);

} // namespace learn
