// "写真を差し替える…": the chosen step keeps its number and direction and takes another photo;
// and the editor's answer to a route changed by another command.
#include "app/m_lane.h"
#include "edit/chosen_step.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "platform/failure.h"
#include "store/adodc.h"
#include "store/route.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

void frm_lane_make::ReplacePhoto()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    // Only a step chosen in the list, whose number is still the one in the edit bar.
    if (!m_chosen || m_chosen->order.isEmpty() || m_text2->text().trimmed() != m_chosen->order) {
        m_dialogs.MsgBox(this, edit::messages::kChooseStepToReplace);
        return;
    }
    const edit::ChosenStep step = *m_chosen;
    const QString file = choosePhotoFile();
    if (file.isEmpty())
        return;
    // A photo that can't be shown would leave the step as broken as it was.
    if (!showPhoto(file)) {
        showPhoto(m_text1->text().trimmed());
        m_dialogs.MsgBox(this, edit::messages::replacementNotShown(file));
        return;
    }
    Outcome outcome = Outcome::Cancelled;
    QString takenBy;
    try {
        outcome = replaceStepPhoto(step, file, &takenBy);
    } catch (const platform::Failure& e) {
        showPhoto(m_text1->text().trimmed());
        showError(e);
        return;
    }
    if (outcome != Outcome::Changed)
        showPhoto(m_text1->text().trimmed());
    if (outcome == Outcome::Taken) {
        m_dialogs.MsgBox(this, edit::messages::photoInUse(takenBy, QDir::toNativeSeparators(file)));
        return;
    }
    if (outcome == Outcome::Stale) {
        showList(step.order);
        m_dialogs.MsgBox(this, edit::messages::kRouteChanged);
        return;
    }
    m_text1->setText(file);
    m_chosen = edit::ChosenStep{-1, step.order, file, QString()};
    showList(step.order);
}

frm_lane_make::Outcome frm_lane_make::replaceStepPhoto(const edit::ChosenStep& step,
                                                       const QString& photo, QString* takenBy)
{
    store::Route route(m_lane::DB_PATH, ConnectionTimeout);
    store::Transaction change = route.change();
    const qint64 row = edit::findStepRow(route, step.order, step.photo);
    if (row < 0)
        return Outcome::Stale;
    // A photo stands for one step: registering it again finds that step.
    *takenBy = route.otherStepWithPhoto(photo, row);
    if (!takenBy->isEmpty())
        return Outcome::Taken;
    route.changePhoto(row, photo);
    change.commit();
    return Outcome::Changed;
}

void frm_lane_make::RouteChanged()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    if (!m_chosen) {
        showList(m_text2->text());
        return;
    }
    const edit::ChosenStep step = *m_chosen;
    showList(step.order);
    // A photo the parent has just picked for the step stays in the edit bar.
    if (m_text1->text().trimmed() != step.photo)
        return;
    const int row = m_grid->currentRecord();
    if (row >= 0 && Adodc1->text(row, 0).trimmed() == step.order) {
        loadRow(row, false);
        return;
    }
    // The step is gone: nothing of it stays in the edit bar.
    m_chosen.reset();
    m_text1->clear();
    m_picture1->clear();
}
