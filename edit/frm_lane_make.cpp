#include "edit/frm_lane_make.h"

frm_lane_make::frm_lane_make(platform::Dialogs&, const platform::ScreenTwips&, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
}
