#pragma once

#include <functional>

namespace share {

// Told how far long work has come (`done` of `total`); answers false to stop it.
using Progress = std::function<bool(int done, int total)>;

// Calls `progress` if there is one; throws platform::Failure (Cancelled) when it answers false.
void report(const Progress& progress, int done, int total);

} // namespace share
