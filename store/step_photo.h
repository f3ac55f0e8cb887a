#pragma once

#include <QString>
#include <QStringList>

namespace store {

class Connection;

// The number of a step of `table`, other than the one in row `exceptRow`, whose photo is `photo`;
// empty when no other step has it.
QString OtherStepWithPhoto(Connection& cn, const QString& table, const QString& photo,
                           qint64 exceptRow);

// The photo paths of every step of `table`, in step order, each trimmed.
QStringList RoutePhotos(Connection& cn, const QString& table);

// Gives the step in row `row` of `table` the photo `photo`; its number and direction stay.
void SetStepPhoto(Connection& cn, const QString& table, qint64 row, const QString& photo);

} // namespace store
