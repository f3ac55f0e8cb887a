// The "登録" button: stores the step of the edit bar after the step in Text2 (or at the end),
// or in place of the step that has its photo, and renumbers the route.
#include "app/m_lane.h"
#include "app/vb4_func.h"
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
    if (outcome == Outcome::Full) {
        m_text2->setText(before);
        m_dialogs.MsgBox(this, kFull);
        return;
    }
    showList(m_text2->text());
}

frm_lane_make::Outcome frm_lane_make::registerStep(const QString& photo)
{
    const QString& table = m_lane::ROUTE_TABLE;
    const QString quotedPhoto = VB4_FUNC::SQL_QUOTE(photo);
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, table, ConnectionTimeout);
    const bool exists = findStep(cn, photo);
    // Asked before the change begins, so that no lock is held while the question is open.
    if (exists && m_dialogs.MsgBox(this, kOverwrite, platform::MsgButtons::OkCancel) !=
                      platform::MsgResult::Ok) {
        cn.Close();
        return Outcome::Cancelled;
    }
    store::Transaction change(cn);
    if (exists)
        cn.Execute(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE 写真 = '") +
                   quotedPhoto + QStringLiteral("'"));
    // A thousandth step would have no three-digit number; replacing a step is always possible.
    if (cn.RecordCount(QStringLiteral("SELECT * FROM ") + table) >= edit::kMaxSteps)
        return Outcome::Full;
    chooseTemporaryOrder(cn);
    cn.Execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES ( '") +
               VB4_FUNC::SQL_QUOTE(m_text2->text().trimmed()) + QStringLiteral("','") +
               quotedPhoto + QStringLiteral("','") + direction() + QStringLiteral("' );"));
    const QString number = edit::renumber(cn, table, photo);
    change.commit();
    cn.Close();
    if (!number.isEmpty())
        m_text2->setText(number);
    return Outcome::Changed;
}

bool frm_lane_make::findStep(store::Connection& cn, const QString& photo)
{
    store::Recordset rs = cn.Query(QStringLiteral("SELECT * FROM ") + m_lane::ROUTE_TABLE +
                                   QStringLiteral(" WHERE 写真 = '") + VB4_FUNC::SQL_QUOTE(photo) +
                                   QStringLiteral("' "));
    const bool found = !rs.eof();
    if (found)
        m_text2->setText(rs.field(QStringLiteral("順序")));
    rs.close();
    return found;
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
