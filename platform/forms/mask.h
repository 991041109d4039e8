// The edit-mask language of masked edits and FormatMaskText.
//
// A mask has up to three sections separated by ';': the pattern, whether the
// literals are saved with the text ("0" means they are not; saved by
// default), and the blank character that marks an empty position ('_' by
// default). In the pattern, L l A a C c 0 9 # are editable positions
// (upper case required, lower case optional): letters, letters or digits,
// any character, digits, and '#' a digit or a sign. '>' converts what
// follows to upper case, '<' to lower case and "<>" stops converting; '\'
// makes the next character a literal; '!' keeps optional characters as
// leading rather than trailing blanks; ':' and '/' stand for the locale's
// time and date separators; every other character is a literal.
//
// A mask is parsed once into positions; the edit keeps its text with exactly
// one code point per position. Malformed masks never fail: a '\' at the end
// of the pattern is ignored and empty sections take their defaults.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/exceptions.h"

namespace tabulon {

/// Raised when a masked edit is left with a required position blank.
TBN_DECLARE_EXCEPTION(EDBEditError, Exception);

/// Case conversion of the characters typed at a position.
enum TMaskCase : uint8_t { mcaNone, mcaUpper, mcaLower };

/// One position of a parsed mask.
struct TMaskPos {
  char32_t Literal = 0;  // the literal shown here; 0 for an editable position
  char Kind = 0;         // L l A a C c 0 9 # for an editable position, 0 for a literal
  TMaskCase Case = mcaNone;
  bool IsLiteral() const { return Kind == 0; }
  /// Whether the position must be filled (L A C 0).
  bool IsRequired() const { return Kind == 'L' || Kind == 'A' || Kind == 'C' || Kind == '0'; }
};

/// A parsed edit mask.
struct TMaskInfo {
  std::vector<TMaskPos> Positions;
  bool SaveLiterals = true;  // literals are part of Text
  char32_t Blank = '_';      // shown at an empty editable position
  bool Reverse = false;      // '!': optional characters as leading blanks

  int Size() const { return static_cast<int>(Positions.size()); }
  bool Empty() const { return Positions.empty(); }
  bool IsEditable(int pos) const {
    return pos >= 0 && pos < Size() && !Positions[static_cast<size_t>(pos)].IsLiteral();
  }
  /// The first editable position at or after `pos`, or -1.
  int NextEditable(int pos) const;
  /// The last editable position before `pos`, or -1.
  int PrevEditable(int pos) const;
  /// `c` as it is stored at position `pos`, or 0 when `c` is not accepted
  /// there: case converted; letters are Unicode letters; C and c take any
  /// character, a space too; at the other optional positions a space leaves
  /// the position blank.
  char32_t Accept(int pos, char32_t c) const;

  /// Places `value` (without literals) into the mask: literals added, missing
  /// positions `blank`; left to right, or right to left with '!'.
  std::u32string Format(std::u32string_view value, char32_t blank) const;
  /// Places `value` (with or without literals) position by position: a value
  /// character equal to the literal of a literal position is taken as it;
  /// spaces and missing characters become `blank`.
  std::u32string PadLiterals(std::u32string_view value, char32_t blank) const;
  /// The edit text without literals, leading ('!') or trailing blanks
  /// dropped and the remaining blanks as spaces.
  std::u32string RemoveFormat(std::u32string_view editText) const;
  /// The text of a masked edit: the edit text with blanks as spaces when
  /// literals are saved, else RemoveFormat.
  std::u32string TextOf(std::u32string_view editText) const;
  /// The edit text that shows `text` (the inverse of TextOf).
  std::u32string EditTextOf(std::u32string_view text) const;
  /// The edit text of an empty value.
  std::u32string EmptyText() const { return Format(U"", Blank); }
  /// The first required position that is blank in `editText`, or -1.
  int FirstInvalid(std::u32string_view editText) const;
};

/// Parses `mask` with the current locale's separators.
TMaskInfo ParseEditMask(std::string_view mask);
/// Whether `mask` saves its literals with the text (its second section is not "0").
bool MaskGetMaskSave(std::string_view mask);
/// The blank character of `mask` ('_' by default).
char32_t MaskGetMaskBlank(std::string_view mask);
/// `value` formatted by `mask` with spaces for empty positions: with its
/// literals placed position by position when the mask saves them, else
/// placed into the mask as a value without literals.
std::string FormatMaskText(std::string_view mask, std::string_view value);

}  // namespace tabulon
