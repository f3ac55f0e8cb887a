#pragma once

#include "print/booklet_painter.h"

namespace booklet {

// Every step of the route in `table` of the store named by `connectString`, in the route's
// order, numbered from 1. Throws store::StoreError when the route can't be read.
QList<Step> ReadSteps(const QString& connectString, const QString& table);

} // namespace booklet
