// The "削除" button: deletes the step whose number is in Text2 and renumbers the rest.
#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "edit/frm_lane_make.h"
#include "edit/route_renumber.h"
#include "store/connection.h"
#include "store/store_error.h"

#include <QLineEdit>

namespace {

const QString kDelete = QStringLiteral("削除しますか?");

} // namespace

void frm_lane_make::Command2_Click()
{
    const edit::CommandScope command(m_guard);
    if (!command)
        return;
    if (m_dialogs.MsgBox(this, kDelete, platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return;
    try {
        deleteStep();
    } catch (const store::StoreError& e) {
        showError(e);
        return;
    }
    // Text2 still holds the deleted number: the step that took its place becomes current.
    showList(m_text2->text());
}

void frm_lane_make::deleteStep()
{
    const QString& table = m_lane::ROUTE_TABLE;
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, table, ConnectionTimeout);
    store::Transaction change(cn);
    cn.Execute(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE 順序 = '") +
               VB4_FUNC::SQL_QUOTE(m_text2->text().trimmed()) + QStringLiteral("'"));
    edit::renumber(cn, table);
    change.commit();
    cn.Close();
}
