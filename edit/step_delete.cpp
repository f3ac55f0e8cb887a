// The "削除" button: deletes the step whose number is in Text2 and renumbers the rest.
#include "app/m_lane.h"
#include "edit/chosen_step.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "platform/failure.h"
#include "store/route.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QLineEdit>

void frm_lane_make::Command2_Click()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    if (m_dialogs.MsgBox(this, edit::messages::kDelete, platform::MsgButtons::OkCancel) !=
        platform::MsgResult::Ok)
        return;
    Outcome outcome = Outcome::Cancelled;
    try {
        outcome = deleteStep();
    } catch (const platform::Failure& e) {
        showError(e);
        return;
    }
    // Text2 still holds the deleted number: the step that took its place becomes current, and
    // the edit bar shows it, so that what a second deletion removes is what the parent sees.
    // After another program's change the same holds: the edit bar shows a step that exists, so
    // that a second 削除 acts on what the parent sees rather than repeating the refusal.
    showList(m_text2->text());
    showCurrentStep();
    if (outcome == Outcome::Stale)
        m_dialogs.MsgBox(this, edit::messages::kRouteChanged);
}

frm_lane_make::Outcome frm_lane_make::deleteStep()
{
    const QString order = m_text2->text().trimmed();
    const std::optional<QString> photo = chosenPhoto(order);
    store::Route route(m_lane::DB_PATH, ConnectionTimeout);
    store::Transaction change = route.change();
    // A refusal speaks of the route as the parent knows it, before the deletion.
    const int steps = route.count();
    if (photo) {
        // The chosen step: its row alone goes, and only while its number still holds it.
        const qint64 row = edit::findStepRow(route, order, photo);
        if (row < 0)
            return Outcome::Stale;
        route.deleteRow(row);
    } else {
        // A number typed by hand is taken as typed.
        route.deleteNumbered(order);
    }
    route.renumber(-1, steps);
    // The deleted step's voice goes with it; its file once no step uses it.
    store::dropVoicesWithoutStep(route.connection(), store::routeTable());
    const QStringList voices = store::readVoices(route.connection()).values();
    change.commit();
    route.close();
    store::removeUnusedVoiceFiles(route.path(), voices);
    return Outcome::Changed;
}
