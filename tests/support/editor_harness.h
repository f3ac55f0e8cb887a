#pragma once

#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"

#include <memory>

// The editor on a 1024 x 768 screen (15360 x 11520 twips), its messages answered by `dialogs`.
inline std::unique_ptr<frm_lane_make> openEditor(platform::Dialogs& dialogs)
{
    return std::make_unique<frm_lane_make>(dialogs, platform::ScreenTwips::fromPixels({1024, 768}));
}

// The order number of the list's current row, empty when no row is current.
inline QString currentOrder(const frm_lane_make& w)
{
    const int row = w.grid()->currentRecord();
    return row < 0 ? QString() : w.Adodc1->text(row, 0);
}
