// The step list refresh: reloads the list and brings the step with a given number into view,
// page by page, as the current row.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "store/route.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QSignalBlocker>

void frm_lane_make::LANE_DSP(const QString& order)
{
    // The program's own positioning is not the user's choice of a row.
    const QSignalBlocker quiet(m_grid);
    store::Route route(m_lane::DB_PATH, ConnectionTimeout);
    const int N = route.count();
    const int B = route.countBefore(order);
    QHash<QString, QString> voices = store::readVoices(route.connection());
    route.close();
    for (QString& file : voices)
        file = store::voicePath(route.path(), file);

    Adodc1->Refresh(m_lane::DB_PATH);
    m_grid->ReBind();
    m_grid->showVoices(voices);

    setColumnWidths();

    const int V = m_grid->VisibleRows();
    if (V <= 0)
        return;
    if (N - B <= V) {
        m_grid->Scroll(N - (N % V));
        int X = V - (N - B);
        if (X >= V)
            X = V - 1;
        m_grid->setRow(X); // a row the list can't make current leaves the first one
    } else {
        m_grid->Scroll(B - (B % V));
        m_grid->setRow(B % V); // always displayed: the page of step B starts at the top
    }
}

void frm_lane_make::setColumnWidths()
{
    const float W = ScaleWidth();
    m_grid->setColumnTwips(0, float((W - 600) * (500.0 / 9000.0)));
    m_grid->setColumnTwips(1, float((W - 600) * (7500.0 / 9000.0)));
    m_grid->setColumnTwips(2, float((W - 600) * (500.0 / 9000.0)));
}
