// The "登録" button: stores the step of the edit bar after the step in Text2 (or at the end),
// or in place of the step that has its photo, and renumbers the route.
#include "app/m_lane.h"
#include "edit/chosen_step.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "platform/failure.h"
#include "store/route.h"

#include <QLineEdit>
#include <QRadioButton>

void frm_lane_make::Command1_Click()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    const QString photo = m_text1->text().trimmed();
    if (photo.isEmpty()) {
        m_dialogs.MsgBox(this, edit::messages::kChoosePhoto);
        return;
    }
    const QString before = m_text2->text();
    Outcome outcome = Outcome::Cancelled;
    try {
        outcome = registerStep(photo);
    } catch (const platform::Failure& e) {
        m_text2->setText(before);
        showError(e);
        return;
    }
    if (outcome == Outcome::Full || outcome == Outcome::Stale) {
        m_text2->setText(before);
        if (outcome == Outcome::Stale)
            showList(before);
        m_dialogs.MsgBox(this, outcome == Outcome::Full ? edit::messages::kRouteFull
                                                        : edit::messages::kRouteChanged);
        return;
    }
    // The edit bar now holds the registered (or the existing) step under its number.
    m_chosen = edit::ChosenStep{-1, m_text2->text().trimmed(), photo, QString()};
    showList(m_text2->text());
}

frm_lane_make::Outcome frm_lane_make::registerStep(const QString& photo)
{
    store::Route route(m_lane::DB_PATH, ConnectionTimeout);
    const std::optional<store::Step> found = findStep(route, photo);
    // Asked before the change begins, so that no lock is held while the question is open.
    if (found && m_dialogs.MsgBox(this, edit::messages::kOverwrite,
                                  platform::MsgButtons::OkCancel) != platform::MsgResult::Ok) {
        route.close();
        return Outcome::Cancelled;
    }
    store::Transaction change = route.change();
    if (!stillHolds(route, found, photo))
        return Outcome::Stale;
    // Only the one row is replaced, even where a hand-edited file holds the photo twice.
    if (found)
        route.deleteRow(found->row);
    // A thousandth step would have no three-digit number; replacing a step is always possible.
    if (route.count() >= store::kMaxSteps)
        return Outcome::Full;
    chooseTemporaryOrder(route);
    const qint64 row = route.insert(store::Step{-1, m_text2->text().trimmed(), photo, direction()});
    const QString number = route.renumber(row);
    change.commit();
    route.close();
    if (!number.isEmpty())
        m_text2->setText(number);
    return Outcome::Changed;
}

std::optional<store::Step> frm_lane_make::findStep(store::Route& route, const QString& photo)
{
    std::optional<store::Step> found;
    // Of several rows with this photo (a hand-edited file), the chosen one is meant.
    for (const store::Step& step : route.rowsWithPhoto(photo)) {
        const bool chosen = m_chosen && m_chosen->photo == photo && m_chosen->order == step.order;
        if (!found || chosen)
            found = step;
        if (chosen)
            break;
    }
    if (found)
        m_text2->setText(found->order);
    return found;
}

bool frm_lane_make::stillHolds(store::Route& route, const std::optional<store::Step>& found,
                               const QString& photo)
{
    // Checked inside the change, so that no other program can move the step in between: the
    // step to replace, or the step to follow, must still have the number it had.
    if (found)
        return edit::findStepRow(route, found->order, photo) == found->row;
    const std::optional<QString> follow = chosenPhoto(m_text2->text());
    return !follow || edit::findStepRow(route, m_text2->text().trimmed(), follow) >= 0;
}

void frm_lane_make::chooseTemporaryOrder(store::Route& route)
{
    // "_0" sorts directly after the number it extends: the step lands behind that step, or
    // keeps the place of the step it replaces.
    if (!m_text2->text().trimmed().isEmpty()) {
        m_text2->setText(m_text2->text() + QStringLiteral("_0"));
        return;
    }
    const QString last = route.lastOrder();
    m_text2->clear();
    if (!last.isEmpty())
        m_text2->setText((QStringLiteral("000") + last).right(3) + QStringLiteral("_0"));
    if (m_text2->text().trimmed().isEmpty())
        m_text2->setText(QStringLiteral("001"));
}

QString frm_lane_make::direction() const
{
    QString arrow;
    if (m_option1[0]->isChecked())
        arrow = QStringLiteral("↑");
    if (m_option1[1]->isChecked())
        arrow = QStringLiteral("→");
    if (m_option1[2]->isChecked())
        arrow = QStringLiteral("←");
    return arrow;
}
