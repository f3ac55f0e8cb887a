#include "store/route.h"

#include "store/messages.h"
#include "store/route_failure.h"
#include "store/sql_quote.h"

#include <QSqlRecord>

namespace store {
namespace {

const QString kRow = QStringLiteral("行");
const QString kOrder = QStringLiteral("順序");
const QString kPhoto = QStringLiteral("写真");
const QString kDirection = QStringLiteral("方向");

// `value` as a text literal: between single quotes, its own apostrophes doubled.
QString literal(const QString& value)
{
    return QLatin1Char('\'') + VB4_FUNC::SQL_QUOTE(value) + QLatin1Char('\'');
}

enum class Text { Trimmed, AsStored };

// The current row as a step; a column the statement did not select stays empty.
Step stepOf(const Recordset& rs, Text as = Text::Trimmed)
{
    const QSqlRecord record = rs.record();
    const auto text = [&](const QString& column) {
        if (!record.contains(column))
            return QString();
        return as == Text::Trimmed ? rs.field(column) : rs.rawField(column);
    };
    return Step{record.contains(kRow) ? rs.field(kRow).toLongLong() : -1, text(kOrder),
                text(kPhoto), text(kDirection)};
}

QList<Step> stepsOf(Recordset rs, Text as = Text::Trimmed)
{
    QList<Step> steps;
    for (; !rs.eof(); rs.moveNext())
        steps.push_back(stepOf(rs, as));
    return steps;
}

platform::Failure tooManySteps(const QString& path, qsizetype rows)
{
    return routeFailure(platform::Failure::Kind::TooManySteps, path,
                        messages::tooManySteps(rows, kMaxSteps));
}

} // namespace

QString routeTable()
{
    return QStringLiteral("プログラム");
}

Route::Route(const QString& path, int timeoutSeconds, IfMissing missing)
{
    m_cn.OpenFile(path, routeTable(), timeoutSeconds, missing);
}

std::optional<Step> Route::stepNumbered(const QString& order)
{
    Recordset rs =
        m_cn.Query(QStringLiteral("SELECT * FROM ") + routeTable() +
                   QStringLiteral(" WHERE 順序 = ") + literal(order) + QStringLiteral(" "));
    if (rs.eof())
        return std::nullopt;
    return stepOf(rs);
}

QList<Step> Route::steps()
{
    return stepsOf(m_cn.Query(QStringLiteral("SELECT rowid AS 行, * FROM ") + routeTable() +
                              QStringLiteral(" ORDER BY 順序")));
}

QList<Step> Route::storedSteps()
{
    return stepsOf(m_cn.Query(QStringLiteral("SELECT rowid AS 行, * FROM ") + routeTable() +
                              QStringLiteral(" ORDER BY 順序")),
                   Text::AsStored);
}

QList<Step> Route::rowsNumbered(const QString& order)
{
    return stepsOf(m_cn.Query(QStringLiteral("SELECT rowid AS 行, 写真 FROM ") + routeTable() +
                              QStringLiteral(" WHERE 順序 = ") + literal(order) +
                              QStringLiteral(" ORDER BY rowid")));
}

QList<Step> Route::rowsWithPhoto(const QString& photo)
{
    return stepsOf(m_cn.Query(QStringLiteral("SELECT rowid AS 行, * FROM ") + routeTable() +
                              QStringLiteral(" WHERE 写真 = ") + literal(photo) +
                              QStringLiteral(" ORDER BY rowid")));
}

int Route::count()
{
    return m_cn.RecordCount(QStringLiteral("SELECT * FROM ") + routeTable());
}

int Route::countBefore(const QString& order)
{
    return m_cn.RecordCount(QStringLiteral("SELECT * FROM ") + routeTable() +
                            QStringLiteral(" WHERE 順序 < ") + literal(order));
}

QString Route::lastOrder()
{
    Recordset rs = m_cn.Query(QStringLiteral("SELECT 順序 FROM ") + routeTable() +
                              QStringLiteral(" ORDER BY 順序 DESC"));
    return rs.eof() ? QString() : rs.field(kOrder);
}

qint64 Route::insert(const Step& step)
{
    m_cn.Execute(QStringLiteral("INSERT INTO ") + routeTable() + QStringLiteral(" VALUES ( ") +
                 literal(step.order) + QLatin1Char(',') + literal(step.photo) + QLatin1Char(',') +
                 literal(step.direction) + QStringLiteral(" );"));
    Recordset rs = m_cn.Query(QStringLiteral("SELECT last_insert_rowid() AS 行"));
    return rs.eof() ? -1 : rs.field(kRow).toLongLong();
}

void Route::deleteRow(qint64 row)
{
    m_cn.Execute(QStringLiteral("DELETE FROM ") + routeTable() + QStringLiteral(" WHERE rowid = ") +
                 QString::number(row));
}

void Route::deleteNumbered(const QString& order)
{
    m_cn.Execute(QStringLiteral("DELETE FROM ") + routeTable() + QStringLiteral(" WHERE 順序 = ") +
                 literal(order));
}

QString Route::renumber(qint64 rowId, qsizetype routeSteps)
{
    struct Row
    {
        qint64 id;
        QString order; // as stored, blanks and all
    };
    QList<Row> rows;
    {
        // Read whole first: SQLite leaves a read undefined while the same table changes on the
        // same connection.
        Recordset rs = m_cn.Query(QStringLiteral("SELECT rowid AS 行, 順序 FROM ") + routeTable() +
                                  QStringLiteral(" ORDER BY 順序, rowid"));
        for (; !rs.eof(); rs.moveNext())
            rows.push_back(Row{rs.field(kRow).toLongLong(), rs.rawField(kOrder)});
    }
    if (rows.size() > kMaxSteps)
        throw tooManySteps(path(), routeSteps < 0 ? rows.size() : routeSteps);
    QString rowNumber;
    long long i = 0;
    for (const Row& row : rows) {
        const QString number = StepKey(++i);
        if (row.id == rowId)
            rowNumber = number;
        if (row.order == number)
            continue;
        m_cn.Execute(QStringLiteral("UPDATE ") + routeTable() + QStringLiteral(" SET 順序 = '") +
                     number + QStringLiteral("' WHERE rowid = ") + QString::number(row.id));
    }
    return rowNumber;
}

void Route::replaceAll(const QList<Step>& steps)
{
    m_cn.Execute(QStringLiteral("DELETE FROM ") + routeTable());
    const QString insert =
        QStringLiteral("INSERT INTO ") + routeTable() + QStringLiteral(" VALUES (?, ?, ?)");
    long long n = 0;
    for (const Step& step : steps)
        m_cn.Execute(insert, {StepKey(++n), step.photo, step.direction});
}

QString Route::otherStepWithPhoto(const QString& photo, qint64 exceptRow)
{
    Recordset rs = m_cn.Query(QStringLiteral("SELECT 順序 FROM ") + routeTable() +
                                  QStringLiteral(" WHERE 写真 = ? AND rowid <> ? ORDER BY 順序"),
                              {photo, exceptRow});
    return rs.eof() ? QString() : rs.field(kOrder);
}

bool Route::changePhoto(qint64 row, const QString& photo,
                        const std::optional<QString>& whileHolding)
{
    const QString update =
        QStringLiteral("UPDATE ") + routeTable() + QStringLiteral(" SET 写真 = ? WHERE rowid = ?");
    if (whileHolding)
        return m_cn.Execute(update + QStringLiteral(" AND 写真 = ?"), {photo, row, *whileHolding}) >
               0;
    return m_cn.Execute(update, {photo, row}) > 0;
}

} // namespace store
