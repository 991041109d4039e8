// Collation by locale id. Collators are opened on first use of a (locale
// id, ignore-case) pair and kept in a registry that lives until the process
// ends (never destroyed, so comparisons made while other static objects are
// torn down stay valid). Each thread remembers the collator it used last, so
// the common case takes neither the registry lock nor a map lookup.
#include "platform/sysutils/locale_compare.h"

#include <unicode/ucol.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "platform/core/strings.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

namespace {

struct TLocaleEntry {
  LCID Id;
  const char* Name;
};

// Windows locale ids and their ICU locales.
constexpr TLocaleEntry kLocales[] = {
    {127, ""},
    {1025, "ar_SA"},
    {1026, "bg_BG"},
    {1027, "ca_ES"},
    {1028, "zh_TW"},
    {1029, "cs_CZ"},
    {1030, "da_DK"},
    {1031, "de_DE"},
    {1032, "el_GR"},
    {1033, "en_US"},
    {1034, "es_ES@collation=traditional"},
    {1035, "fi_FI"},
    {1036, "fr_FR"},
    {1037, "he_IL"},
    {1038, "hu_HU"},
    {1039, "is_IS"},
    {1040, "it_IT"},
    {1041, "ja_JP"},
    {1042, "ko_KR"},
    {1043, "nl_NL"},
    {1044, "nb_NO"},
    {1045, "pl_PL"},
    {1046, "pt_BR"},
    {1048, "ro_RO"},
    {1049, "ru_RU"},
    {1050, "hr_HR"},
    {1051, "sk_SK"},
    {1052, "sq_AL"},
    {1053, "sv_SE"},
    {1054, "th_TH"},
    {1055, "tr_TR"},
    {1057, "id_ID"},
    {1058, "uk_UA"},
    {1059, "be_BY"},
    {1060, "sl_SI"},
    {1061, "et_EE"},
    {1062, "lv_LV"},
    {1063, "lt_LT"},
    {1066, "vi_VN"},
    {1081, "hi_IN"},
    {2052, "zh_CN"},
    {2055, "de_CH"},
    {2057, "en_GB"},
    {2058, "es_MX"},
    {2060, "fr_BE"},
    {2064, "it_CH"},
    {2067, "nl_BE"},
    {2068, "nn_NO"},
    {2070, "pt_PT"},
    {3079, "de_AT"},
    {3081, "en_AU"},
    {3082, "es_ES"},
    {3084, "fr_CA"},
    {4103, "de_LU"},
    {4105, "en_CA"},
    {4108, "fr_CH"},
    {5129, "en_NZ"},
    {6153, "en_IE"},
    {7177, "en_ZA"},
};

// The process's collation locale from the environment, as ICU names it:
// "de_DE.UTF-8@euro" gives "de_DE"; "C", "POSIX" and nothing give "" (root).
std::string ProcessLocaleName() {
  const char* vars[] = {"LC_ALL", "LC_COLLATE", "LANG"};
  for (const char* var : vars) {
    const char* v = std::getenv(var);
    if (!v || !*v) continue;
    std::string name(v);
    size_t cut = name.find_first_of(".@");
    if (cut != std::string::npos) name.resize(cut);
    if (name == "C" || name == "POSIX") return {};
    return name;
  }
  return {};
}

struct TRegistry {
  std::mutex Lock;
  std::map<std::pair<LCID, bool>, UCollator*> Collators;  // null: the locale failed to open
};

TRegistry& Registry() {
  static TRegistry* registry = new TRegistry;  // intentionally never destroyed
  return *registry;
}

UCollator* OpenCollator(LCID locale, bool ignoreCase) {
  if (!IsKnownLocaleId(locale)) return nullptr;
  std::string name = LocaleNameOfId(locale);
  UErrorCode status = U_ZERO_ERROR;
  UCollator* c = ucol_open(name.c_str(), &status);
  if (U_FAILURE(status)) return nullptr;
  ucol_setStrength(c, ignoreCase ? UCOL_SECONDARY : UCOL_TERTIARY);
  return c;
}

UCollator* CollatorFor(LCID locale, bool ignoreCase) {
  struct TLast {
    LCID Id = 0;
    bool IgnoreCase = false;
    bool Valid = false;
    UCollator* Collator = nullptr;
  };
  thread_local TLast last;
  if (last.Valid && last.Id == locale && last.IgnoreCase == ignoreCase) return last.Collator;
  TRegistry& r = Registry();
  UCollator* c;
  {
    std::lock_guard<std::mutex> guard(r.Lock);
    auto key = std::make_pair(locale, ignoreCase);
    auto it = r.Collators.find(key);
    if (it == r.Collators.end())
      it = r.Collators.emplace(key, OpenCollator(locale, ignoreCase)).first;
    c = it->second;
  }
  last = TLast{locale, ignoreCase, true, c};
  return c;
}

// String lists sort and search by the user default collation.
int StringListCompare(const std::string& a, const std::string& b, bool caseSensitive) {
  return caseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

[[maybe_unused]] const bool kListCompareInstalled =
    (SetStringListCompare(&StringListCompare), true);

}  // namespace

bool IsKnownLocaleId(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT) return true;
  for (const TLocaleEntry& e : kLocales)
    if (e.Id == locale) return true;
  return false;
}

std::string LocaleNameOfId(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT) {
    static const std::string process = ProcessLocaleName();
    return process;
  }
  for (const TLocaleEntry& e : kLocales)
    if (e.Id == locale) return e.Name;
  return {};
}

int CompareLocale(LCID locale, std::string_view a, std::string_view b, bool ignoreCase) noexcept {
  UCollator* c = CollatorFor(locale, ignoreCase);
  if (!c) return -2;
  if (a.size() > INT32_MAX || b.size() > INT32_MAX) return -2;
  UErrorCode status = U_ZERO_ERROR;
  UCollationResult r = ucol_strcollUTF8(c, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                        static_cast<int32_t>(b.size()), &status);
  if (U_FAILURE(status)) return -2;
  return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

int CompareStringA(LCID locale, uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2) noexcept {
  if ((flags & ~NORM_IGNORECASE) != 0) return 0;
  if (!s1 || !s2 || len1 < -1 || len2 < -1) return 0;
  size_t n1 = len1 == -1 ? std::strlen(s1) : static_cast<size_t>(len1);
  size_t n2 = len2 == -1 ? std::strlen(s2) : static_cast<size_t>(len2);
  int r = CompareLocale(locale, std::string_view(s1, n1), std::string_view(s2, n2),
                        (flags & NORM_IGNORECASE) != 0);
  return r == -2 ? 0 : r + 2;
}

}  // namespace tabulon
