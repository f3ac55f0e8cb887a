// The "登録" button: stores the step of the edit bar after the step in Text2 (or at the end),
// or in place of the step that has its photo, and renumbers the route.
#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "edit/chosen_step.h"
#include "edit/frm_lane_make.h"
#include "edit/route_renumber.h"
#include "store/connection.h"
#include "store/store_error.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString kChoosePhoto = QStringLiteral("写真を選択してください");
const QString kOverwrite = QStringLiteral("上書きしますか?");
const QString kFull = QStringLiteral("道順は 999 ステップまでです。これ以上は登録できません。");

// The row id of the row the connection inserted last.
qint64 lastRowId(store::Connection& cn)
{
    store::Recordset rs = cn.Query(QStringLiteral("SELECT last_insert_rowid() AS 行"));
    return rs.eof() ? -1 : rs.field(QStringLiteral("行")).toLongLong();
}

} // namespace

void frm_lane_make::Command1_Click()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    const QString photo = m_text1->text().trimmed();
    if (photo.isEmpty()) {
        m_dialogs.MsgBox(this, kChoosePhoto);
        return;
    }
    const QString before = m_text2->text();
    Outcome outcome = Outcome::Cancelled;
    try {
        outcome = registerStep(photo);
    } catch (const store::StoreError& e) {
        m_text2->setText(before);
        showError(e);
        return;
    }
    if (outcome == Outcome::Full || outcome == Outcome::Stale) {
        m_text2->setText(before);
        if (outcome == Outcome::Stale)
            showList(before);
        m_dialogs.MsgBox(this, outcome == Outcome::Full ? kFull : edit::routeChangedMessage());
        return;
    }
    // The edit bar now holds the registered (or the existing) step under its number.
    m_chosen = edit::ChosenStep{m_text2->text().trimmed(), photo};
    showList(m_text2->text());
}

frm_lane_make::Outcome frm_lane_make::registerStep(const QString& photo)
{
    const QString& table = m_lane::ROUTE_TABLE;
    const QString quotedPhoto = VB4_FUNC::SQL_QUOTE(photo);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, table, ConnectionTimeout);
    const std::optional<FoundStep> found = findStep(cn, photo);
    // Asked before the change begins, so that no lock is held while the question is open.
    if (found && m_dialogs.MsgBox(this, kOverwrite, platform::MsgButtons::OkCancel) !=
                     platform::MsgResult::Ok) {
        cn.Close();
        return Outcome::Cancelled;
    }
    store::Transaction change(cn);
    if (!stillHolds(cn, found, photo))
        return Outcome::Stale;
    // Only the one row is replaced, even where a hand-edited file holds the photo twice.
    if (found)
        cn.Execute(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE rowid = ") +
                   QString::number(found->row));
    // A thousandth step would have no three-digit number; replacing a step is always possible.
    if (cn.RecordCount(QStringLiteral("SELECT * FROM ") + table) >= edit::kMaxSteps)
        return Outcome::Full;
    chooseTemporaryOrder(cn);
    cn.Execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES ( '") +
               VB4_FUNC::SQL_QUOTE(m_text2->text().trimmed()) + QStringLiteral("','") +
               quotedPhoto + QStringLiteral("','") + direction() + QStringLiteral("' );"));
    const QString number = edit::renumber(cn, table, lastRowId(cn));
    change.commit();
    cn.Close();
    if (!number.isEmpty())
        m_text2->setText(number);
    return Outcome::Changed;
}

std::optional<frm_lane_make::FoundStep> frm_lane_make::findStep(store::Connection& cn,
                                                                const QString& photo)
{
    store::Recordset rs = cn.Query(QStringLiteral("SELECT rowid AS 行, * FROM ") +
                                   m_lane::ROUTE_TABLE + QStringLiteral(" WHERE 写真 = '") +
                                   VB4_FUNC::SQL_QUOTE(photo) + QStringLiteral("' ORDER BY rowid"));
    std::optional<FoundStep> found;
    bool chosen = false;
    // Of several rows with this photo (a hand-edited file), the chosen one is meant.
    for (; !rs.eof() && !chosen; rs.moveNext()) {
        const FoundStep step{rs.field(QStringLiteral("行")).toLongLong(),
                             rs.field(QStringLiteral("順序"))};
        chosen = m_chosen && m_chosen->photo == photo && m_chosen->order == step.order;
        if (!found || chosen)
            found = step;
    }
    rs.close();
    if (found)
        m_text2->setText(found->order);
    return found;
}

bool frm_lane_make::stillHolds(store::Connection& cn, const std::optional<FoundStep>& found,
                               const QString& photo)
{
    // Checked inside the change, so that no other program can move the step in between: the
    // step to replace, or the step to follow, must still have the number it had.
    if (found)
        return edit::findStepRow(cn, m_lane::ROUTE_TABLE, found->order, photo) == found->row;
    const std::optional<QString> follow = chosenPhoto(m_text2->text());
    return !follow ||
           edit::findStepRow(cn, m_lane::ROUTE_TABLE, m_text2->text().trimmed(), follow) >= 0;
}

void frm_lane_make::chooseTemporaryOrder(store::Connection& cn)
{
    // "_0" sorts directly after the number it extends: the step lands behind that step, or
    // keeps the place of the step it replaces.
    if (!m_text2->text().trimmed().isEmpty()) {
        m_text2->setText(m_text2->text() + QStringLiteral("_0"));
        return;
    }
    store::Recordset rs = cn.Query(QStringLiteral("SELECT 順序 FROM ") + m_lane::ROUTE_TABLE +
                                   QStringLiteral(" ORDER BY 順序 DESC"));
    m_text2->clear();
    if (!rs.eof())
        m_text2->setText((QStringLiteral("000") + rs.field(QStringLiteral("順序"))).right(3) +
                         QStringLiteral("_0"));
    rs.close();
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
