// Locale collation by Windows-style locale id: ICU collators opened once per
// (locale, strength) and kept for the life of the process, so comparing two
// texts never reopens a collator. The user default locale (1024) is the
// process's collation locale (LC_ALL, LC_COLLATE, LANG); "C" and "POSIX"
// select the language-neutral root collation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tabulon {

/// A Windows-style locale identifier.
using LCID = uint32_t;

inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 2048;
inline constexpr LCID LOCALE_USER_DEFAULT = 1024;
/// Flag of CompareStringA: compare ignoring case (secondary strength).
inline constexpr uint32_t NORM_IGNORECASE = 0x00000001;
/// CompareStringA results.
inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

/// The ICU locale name of a locale id ("en_US" for 1033, "" for unknown ids);
/// 1024 and 2048 give the process's locale ("" selects the root collation).
std::string LocaleNameOfId(LCID locale);
/// Whether `locale` is an id this system knows.
bool IsKnownLocaleId(LCID locale);

/// Compares two texts by the collation of `locale`: 1 less, 2 equal,
/// 3 greater; 0 when the call fails (unknown locale id, unsupported flags,
/// a length below -1). A length of -1 means the text runs to its first NUL.
/// Texts are UTF-8; ill-formed bytes compare as U+FFFD.
int CompareStringA(LCID locale, uint32_t flags, const char* s1, int len1, const char* s2,
                   int len2) noexcept;
/// Three-way comparison by the collation of `locale` (-1, 0, 1); -2 when
/// the locale id is unknown (which callers count as "less").
int CompareLocale(LCID locale, std::string_view a, std::string_view b, bool ignoreCase) noexcept;

}  // namespace tabulon
