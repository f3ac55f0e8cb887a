#pragma once

#include <QString>

class QWidget;

// The illustrated guide for parents and teachers ("ヘルプ" → "使い方…"): a window of its own,
// beside the program's windows, that names the folder of `routePath` where it tells how to back
// the routes up.
QWidget* makeGuideWindow(const QString& routePath);

// The guide's text (HTML) with the route's folder filled in.
QString guideText(const QString& routePath);
