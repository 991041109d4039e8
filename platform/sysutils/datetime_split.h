// Splitting a date-time number into its day and its milliseconds, shared by
// the decoding routines and FormatDateTime so that both agree on rounding.
#pragma once

#include <cstdint>

namespace tabulon::detail {

/// Whole days (the integer part, toward zero) and milliseconds of the day
/// (the magnitude of the fraction, rounded); a fraction that rounds up to a
/// full day carries into the next day. False for values that are not finite
/// or far outside the calendar.
bool SplitDateTime(double value, int64_t& days, int64_t& msecs) noexcept;

}  // namespace tabulon::detail
