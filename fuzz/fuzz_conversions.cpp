// Fuzz target of the text conversions: every number, date and time parser
// and the variant casts from text, under several locale settings chosen by
// the first input byte. Each call must convert or raise its documented
// exception (EConvertError for the parsers, EVariantError for casts);
// anything else, a crash or a sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "platform/variants/variant.h"

using namespace tabulon;

namespace {

template <class F>
void ExpectOnly(F&& f, bool variant) {
  try {
    f();
  } catch (const EConvertError&) {
    if (variant) __builtin_trap();
  } catch (const EVariantError&) {
    if (!variant) __builtin_trap();
  }
}

void Configure(uint8_t selector) {
  TFormatSettings& fs = FormatSettings();
  fs = TFormatSettings();
  if (selector & 1) {
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.DecimalSeparator = ',';
  }
  if (selector & 2) {
    fs.ShortDateFormat = "yyyy-mm-dd ddd";
    fs.DateSeparator = '-';
    fs.TimeSeparator = '.';
  }
  if (selector & 4) fs.ShortDateFormat = "gg yyyy/mm/dd";
  if (selector & 8) fs.ShortTimeFormat = "9:mm";
  if (selector & 16) {
    fs.TimeAMString = "";
    fs.TimePMString = "\xE5\x8D\x88\xE5\xBE\x8C";
  }
  fs.TwoDigitYearCenturyWindow = (selector & 32) ? 50 : 0;
  SysLocale().FarEast = (selector & 64) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static TFixedClockScope clock(2026, 6, 15);
  Configure(data[0]);
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  ExpectOnly([&] { StrToInt(text); }, false);
  ExpectOnly([&] { StrToInt64(text); }, false);
  ExpectOnly([&] { StrToFloat(text); }, false);
  ExpectOnly([&] { StrToCurr(text); }, false);
  ExpectOnly([&] { StrToDate(text); }, false);
  ExpectOnly([&] { StrToTime(text); }, false);
  ExpectOnly([&] { StrToDateTime(text); }, false);
  size_t pos = 0;
  double d = 0;
  if (ScanDate(text, pos, d) && pos > text.size()) __builtin_trap();
  pos = 0;
  if (ScanTime(text, pos, d) && pos > text.size()) __builtin_trap();

  Variant v(text);
  for (TVarType t : {varSmallint, varInteger, varByte, varInt64, varSingle, varDouble, varCurrency,
                     varDate, varBoolean, varString}) {
    ExpectOnly(
        [&] {
          Variant r = VarAsType(v, t);
          VarToStr(r);
          VarCompare(r, v);
        },
        true);
  }
  // Formatting with the input as the format must never fail.
  FormatDateTime(text.substr(0, 64), 45000.5);
  AnsiUpperCase(text);
  CompareStringA(1031, NORM_IGNORECASE, text.data(), static_cast<int>(text.size()), "abc", -1);
  return 0;
}
