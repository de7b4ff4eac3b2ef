// Reading the window's entries: the study's strict number reader after trimming blanks, and the
// reason an entry is refused, which the window shows next to it while Run stays disabled.
#pragma once

#include <QString>
#include <cstdint>

namespace kemi::lab {

// x1: a finite number other than x0, where the steps start. Returns the reason it is refused,
// or an empty string.
QString checkX1(const QString& text, double x0, double& x1);
// N: a whole number from 1 to `largest`.
QString checkN(const QString& text, std::int64_t largest, std::int64_t& n);

}  // namespace kemi::lab
