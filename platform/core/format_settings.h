// The locale settings that every text conversion reads: separators, currency
// and date/time formats. One process-wide instance, as the framework keeps
// them in globals; tests switch them with TFormatSettingsScope.
#pragma once

#include <string>

namespace tabulon {

/// Locale settings of the process; defaults are those of an English (US) desktop.
struct TFormatSettings {
  char DecimalSeparator = '.';       // separator of the integral and fractional part
  char ThousandSeparator = ',';      // digit group separator of %n and %m
  std::string CurrencyString = "$";  // currency symbol of %m
  int CurrencyFormat = 0;            // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int NegCurrFormat = 0;             // 0..15, the framework's negative currency patterns
  int CurrencyDecimals = 2;          // decimals of %m
  char DateSeparator = '/';          // the "/" of date formats
  char TimeSeparator = ':';          // the ":" of time formats
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM dd, yyyy";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonthNames[12] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};
  std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
  int TwoDigitYearCenturyWindow = 0;  // 0: two-digit years go into the current century
};

/// The process-wide locale settings.
TFormatSettings& FormatSettings();

/// Replaces the locale settings for its lifetime and restores them afterwards.
class TFormatSettingsScope {
 public:
  TFormatSettingsScope() : saved_(FormatSettings()) {}
  explicit TFormatSettingsScope(const TFormatSettings& s) : saved_(FormatSettings()) {
    FormatSettings() = s;
  }
  ~TFormatSettingsScope() { FormatSettings() = saved_; }
  TFormatSettingsScope(const TFormatSettingsScope&) = delete;
  TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

 private:
  TFormatSettings saved_;
};

}  // namespace tabulon
