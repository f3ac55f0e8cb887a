#pragma once

#include "platform/dialogs.h"
#include "platform/twips.h"

#include <QWidget>

class frm_lane_make : public QWidget
{
    Q_OBJECT
public:
    frm_lane_make(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                  QWidget* parent = nullptr);
};
