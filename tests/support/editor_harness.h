#pragma once

#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"

#include <QMenuBar>
#include <memory>

// A screen on which the editor's client area, below its menu bar, is `client` pixels.
inline platform::ScreenTwips editorScreen(QSize client = QSize(1024, 768))
{
    QMenuBar bar;
    bar.addMenu(QStringLiteral("写真"));
    return platform::ScreenTwips::fromPixels(client + QSize(0, bar.sizeHint().height()));
}

// The editor with a client area of 1024 x 768 pixels (15360 x 11520 twips), its messages
// answered by `dialogs`.
inline std::unique_ptr<frm_lane_make> openEditor(platform::Dialogs& dialogs)
{
    return std::make_unique<frm_lane_make>(dialogs, editorScreen());
}

// The order number of the list's current row, empty when no row is current.
inline QString currentOrder(const frm_lane_make& w)
{
    const int row = w.grid()->currentRecord();
    return row < 0 ? QString() : w.Adodc1->text(row, 0);
}
