// FormatDateTime: the framework's date and time format letters, read left
// to right. Letters are matched ignoring case; a run of the same character
// counts its repetitions. "m" right after an hour token means minutes; an
// hour is shown on the 12-hour clock when an AM/PM token follows it.
#include "platform/core/format_settings.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/datetime_split.h"

namespace tabulon {

namespace {

bool StartsNoCase(std::string_view s, size_t pos, std::string_view word) {
  if (s.size() - pos < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char a = s[pos + i], b = word[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
    if (a != b) return false;
  }
  return true;
}

class TDateFormatter {
 public:
  explicit TDateFormatter(double value) {
    out_.reserve(40);  // one allocation for the common formats
    int64_t days = 0, ms = 0;
    if (detail::SplitDateTime(value, days, ms)) {
      DecodeDate(static_cast<double>(days), year_, month_, day_);
      double d = static_cast<double>(days);
      dow_ = DayOfWeek(d);
      hour_ = static_cast<int>(ms / 3600000);
      min_ = static_cast<int>(ms / 60000 % 60);
      sec_ = static_cast<int>(ms / 1000 % 60);
      msec_ = static_cast<int>(ms % 1000);
    }
  }

  void Append(std::string_view f, int level) {
    const TFormatSettings& fs = FormatSettings();
    char lastToken = ' ';
    size_t i = 0;
    while (i < f.size()) {
      char start = f[i++];
      char token = start;
      if (token >= 'a' && token <= 'z') token = static_cast<char>(token - 32);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      auto count = [&] {
        int n = 1;
        while (i < f.size() && f[i] == start) ++i, ++n;
        return n;
      };
      switch (token) {
        case 'Y': {
          int n = count();
          if (n <= 2)
            Number(year_ % 100, 2);
          else
            Number(year_, 4);
          break;
        }
        case 'E':  // year of the (Gregorian) era
          count();
          Number(year_, 1);
          break;
        case 'G':  // the Gregorian calendar has no era names to show
          count();
          break;
        case 'M': {
          int n = count();
          if (n <= 2)
            Number(month_, n);
          else if (month_ >= 1)
            out_ += n == 3 ? fs.ShortMonthNames[month_ - 1] : fs.LongMonthNames[month_ - 1];
          break;
        }
        case 'D': {
          int n = count();
          if (n <= 2)
            Number(day_, n);
          else if (n == 3)
            out_ += fs.ShortDayNames[dow_ - 1];
          else if (n == 4)
            out_ += fs.LongDayNames[dow_ - 1];
          else if (level < 2)
            Append(n == 5 ? fs.ShortDateFormat : fs.LongDateFormat, level + 1);
          break;
        }
        case 'H': {
          int n = count();
          int h = hour_;
          if (TwelveHourAhead(f, i)) h = h == 0 ? 12 : h > 12 ? h - 12 : h;
          Number(h, n > 2 ? 2 : n);
          break;
        }
        case 'N': {
          int n = count();
          Number(min_, n > 2 ? 2 : n);
          break;
        }
        case 'S': {
          int n = count();
          Number(sec_, n > 2 ? 2 : n);
          break;
        }
        case 'Z': {
          int n = count();
          Number(msec_, n > 3 ? 3 : n);
          break;
        }
        case 'T': {
          int n = count();
          if (level < 2) Append(n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, level + 1);
          break;
        }
        case 'A': {
          size_t p = i - 1;
          if (StartsNoCase(f, p, "AM/PM")) {
            out_.append(f.substr(hour_ >= 12 ? p + 3 : p, 2));
            i = p + 5;
          } else if (StartsNoCase(f, p, "A/P")) {
            out_.append(f.substr(hour_ >= 12 ? p + 2 : p, 1));
            i = p + 3;
          } else if (StartsNoCase(f, p, "AMPM")) {
            out_ += hour_ < 12 ? fs.TimeAMString : fs.TimePMString;
            i = p + 4;
          } else if (StartsNoCase(f, p, "AAAA")) {
            out_ += fs.LongDayNames[dow_ - 1];
            i = p + 4;
          } else if (StartsNoCase(f, p, "AAA")) {
            out_ += fs.ShortDayNames[dow_ - 1];
            i = p + 3;
          } else {
            out_ += start;
          }
          break;
        }
        case 'C': {
          count();
          if (level < 2) {
            Append(fs.ShortDateFormat, level + 1);
            if (hour_ != 0 || min_ != 0 || sec_ != 0) {
              out_ += ' ';
              Append(fs.LongTimeFormat, level + 1);
            }
          }
          break;
        }
        case '/':
          if (fs.DateSeparator != '\0') out_ += fs.DateSeparator;
          break;
        case ':':
          if (fs.TimeSeparator != '\0') out_ += fs.TimeSeparator;
          break;
        case '\'':
        case '"': {
          size_t end = f.find(start, i);
          if (end == std::string_view::npos) end = f.size();
          out_.append(f.substr(i, end - i));
          i = end < f.size() ? end + 1 : end;
          break;
        }
        default:
          out_ += start;
          break;
      }
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  // Whether an AM/PM token comes before the next hour token (quoted text skipped).
  static bool TwelveHourAhead(std::string_view f, size_t i) {
    bool quoted = false;
    for (; i < f.size(); ++i) {
      char c = f[i];
      if (c == '\'' || c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == 'A' || c == 'a')) {
        return StartsNoCase(f, i, "AM/PM") || StartsNoCase(f, i, "A/P") ||
               StartsNoCase(f, i, "AMPM");
      } else if (!quoted && (c == 'H' || c == 'h')) {
        return false;
      }
    }
    return false;
  }

  // Decimal digits of a non-negative value, zero-padded to `digits`.
  void Number(int value, int digits) {
    char buf[12];
    int n = 0;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
      buf[n++] = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v != 0);
    for (; n < digits && n < 11; ++n) buf[n] = '0';
    while (n > 0) out_ += buf[--n];
  }

  std::string out_;
  int year_ = 0, month_ = 0, day_ = 0, dow_ = 1;
  int hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
};

}  // namespace

std::string FormatDateTime(std::string_view format, double dateTime) {
  TDateFormatter f(dateTime);
  f.Append(format.empty() ? std::string_view("c") : format, 0);
  return f.Take();
}

std::string DateToStr(double date) { return FormatDateTime("ddddd", date); }

std::string TimeToStr(double time) { return FormatDateTime("tt", time); }

std::string DateTimeToStr(double dateTime) { return FormatDateTime("c", dateTime); }

}  // namespace tabulon
