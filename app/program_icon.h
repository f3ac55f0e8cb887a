#pragma once

#include <QIcon>

// The program's own 32 x 32 icon, shown on every window.
QIcon programIcon();
