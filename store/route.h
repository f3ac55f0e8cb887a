#pragma once

#include "store/connection.h"
#include "store/step.h"

#include <QList>
#include <QString>
#include <optional>

namespace store {

// The route table's name, "プログラム". Nothing else in the program spells it.
QString routeTable();

// The route file, and the one way into its table: every window, feature and tool reads and
// changes the route through this class, and no SQL lives outside this folder.
//
// One object is one connection, open from construction until close() or destruction; a handler
// opens one and lets it go before it returns, so nothing is held between handlers. Every failure
// is thrown as a platform::Failure naming the file and the cause.
//
// Values read are trimmed of leading and trailing blanks. The statements of the step list, the
// learning window and the editor's register, delete and renumber keep their written shapes, with
// every value between single quotes and its apostrophes doubled (VB4_FUNC::SQL_QUOTE); the
// statements only this program issues (replacing the whole route, mending a photo's path) bind
// their values instead and address a chosen row by its row id.
class Route
{
public:
    // Opens the route file at `path`, creating a missing one empty (or failing, as `missing`
    // says), and checks that it is a route file. A statement waits up to `timeoutSeconds` for
    // another program that holds the file.
    explicit Route(const QString& path, int timeoutSeconds = 10,
                   IfMissing missing = IfMissing::Create);
    Route(const Route&) = delete;
    Route& operator=(const Route&) = delete;

    const QString& path() const { return m_cn.path(); }
    void close() { m_cn.Close(); }
    // The connection, for the tables kept beside the route table (the voices).
    Connection& connection() { return m_cn; }

    // Begins a change made of several statements: rolled back when the returned object goes
    // without commit(), so that a failure half-way leaves the route as it was.
    Transaction change() { return Transaction(m_cn); }

    // ---- Reading
    // The first row numbered `order` (photo and direction), or none.
    std::optional<Step> stepNumbered(const QString& order);
    // Every step in the route's order, each with its row id.
    QList<Step> steps();
    // The same with every value exactly as stored, blanks and all.
    QList<Step> storedSteps();
    // The rows numbered `order` (row id and photo), in the order they were stored.
    QList<Step> rowsNumbered(const QString& order);
    // The rows holding `photo` (row id and number), in the order they were stored.
    QList<Step> rowsWithPhoto(const QString& photo);
    // How many steps the route has; how many are numbered below `order` (text order).
    int count();
    int countBefore(const QString& order);
    // The highest number in the route, as stored; empty for an empty route.
    QString lastOrder();
    // The number of a step other than the one in row `exceptRow` whose photo is `photo`; empty
    // when no other step has it.
    QString otherStepWithPhoto(const QString& photo, qint64 exceptRow);

    // ---- Changing (inside a change())
    // Adds a row with `step`'s number, photo and direction; returns its row id.
    qint64 insert(const Step& step);
    void deleteRow(qint64 row);
    // Deletes every row numbered `order`.
    void deleteNumbered(const QString& order);
    // Gives every step its number "001", "002", ... in the route's order (rows with the same
    // number keep the order in which they were stored). Returns the number the row `rowId` got
    // (empty when there is no such row). Only rows whose number changes are written, each
    // addressed by its row id, so that rows a hand-edited file gives the same number or photo
    // are never merged. The rows are read whole before the first update.
    //
    // A route of more than kMaxSteps rows (made outside the program) can't be numbered: rather
    // than write a number outside "001"-"999" or give two rows one number, nothing is written
    // and a platform::Failure of kind TooManySteps says so, giving `routeSteps` as the route's size
    // when it is known (the size before a deletion), else the rows found.
    QString renumber(qint64 rowId = -1, qsizetype routeSteps = -1);
    // Replaces every step by `steps`, numbered "001", "002", ... in their order (their `order`
    // and `row` are not used).
    void replaceAll(const QList<Step>& steps);
    // Gives the step in row `row` the photo `photo` (its number and direction stay); with
    // `whileHolding`, only while the row still holds that photo. False when no row changed.
    bool changePhoto(qint64 row, const QString& photo,
                     const std::optional<QString>& whileHolding = std::nullopt);

private:
    Connection m_cn;
};

} // namespace store
