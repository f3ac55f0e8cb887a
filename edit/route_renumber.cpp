#include "edit/route_renumber.h"

#include "app/vb4_func.h"
#include "store/connection.h"
#include "store/store_error.h"

#include <QList>

namespace edit {
namespace {

struct Row
{
    qint64 id;
    QString order;
};

QList<Row> readRows(store::Connection& cn, const QString& table)
{
    QList<Row> rows;
    store::Recordset rs = cn.Query(QStringLiteral("SELECT rowid AS 行, 順序 FROM ") + table +
                                   QStringLiteral(" ORDER BY 順序, rowid"));
    for (; !rs.eof(); rs.moveNext())
        rows.push_back(
            Row{rs.field(QStringLiteral("行")).toLongLong(), rs.rawField(QStringLiteral("順序"))});
    rs.close();
    return rows;
}

store::StoreError tooManySteps(const QString& path, qsizetype rows)
{
    return store::StoreError(
        store::StoreError::Kind::TooManySteps, path,
        QStringLiteral("この道順には %1 ステップがあり、番号を付けられる %2 ステップを超えています"
                       "（ほかのプログラムで作られた道順のようです）。番号が重なったりステップが"
                       "消えたりしないよう、このプログラムではこの道順を変更しません。%2 ステップ"
                       "以下の道順ファイルに置き換えてください。")
            .arg(rows)
            .arg(kMaxSteps));
}

} // namespace

QString renumber(store::Connection& cn, const QString& table, qint64 rowId, qsizetype routeSteps)
{
    const QList<Row> rows = readRows(cn, table);
    if (rows.size() > kMaxSteps)
        throw tooManySteps(cn.path(), routeSteps < 0 ? rows.size() : routeSteps);
    QString rowNumber;
    long long i = 0;
    for (const Row& row : rows) {
        const QString number = VB4_FUNC::StepKey(++i);
        if (row.id == rowId)
            rowNumber = number;
        if (row.order == number)
            continue;
        cn.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 順序 = '") + number +
                   QStringLiteral("' WHERE rowid = ") + QString::number(row.id));
    }
    return rowNumber;
}

} // namespace edit
