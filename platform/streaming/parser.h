// TParser: the tokenizer of text form files. It splits the text into
// symbols, strings ('quoted' with '' and #nnn parts), integers (decimal or
// $hex), floats (with an optional s, c or d suffix for single, currency and
// date) and single characters, counting lines for its error messages. The
// text must be well-formed UTF-8; a character beyond the basic plane may be
// written as two #nnn escapes of its UTF-16 surrogate pair.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/currency.h"
#include "platform/core/object.h"

namespace tabulon {

class TStream;

/// Token kinds; any other token is the character itself.
inline constexpr char toEOF = 0;
inline constexpr char toSymbol = 1;
inline constexpr char toString = 2;
inline constexpr char toInteger = 3;
inline constexpr char toFloat = 4;

/// Tokenizer of the text form syntax.
class TParser : public TObject {
  TBN_CLASS(TParser, TObject)
 public:
  /// Reads the rest of `stream` and positions on the first token; text that
  /// is not well-formed UTF-8 raises EParserError "Invalid UTF-8 in column C
  /// on line L".
  explicit TParser(TStream* stream);
  /// Parses `text` directly.
  explicit TParser(std::string text);

  /// The current token kind (or character).
  char Token() const { return token_; }
  /// Moves to the next token and returns its kind.
  char NextToken();
  /// The current token's text; for strings the decoded value.
  const std::string& TokenString() const { return tokenText_; }
  /// An integer token's value; EParserError "Invalid numeric value" when out of range.
  int64_t TokenInt() const;
  /// A float token's value.
  long double TokenFloat() const;
  /// A float token's value as the single it names (suffix s).
  float TokenSingle() const;
  /// A float token's value as a date number (suffix d).
  double TokenDate() const;
  /// A float token's value as currency, exact for up to four decimals.
  Currency TokenCurrency() const;
  /// The suffix of a float token ('s', 'c', 'd') or 0.
  char FloatType() const { return floatType_; }
  /// The line of the current token (1-based).
  int SourceLine() const { return tokenLine_; }
  /// Raises EParserError "'%s' expected" (or "Identifier/String/Number expected").
  void CheckToken(char token) const;
  /// Raises EParserError "'%s' expected" unless the token is that symbol.
  void CheckTokenSymbol(const std::string& symbol) const;
  /// Whether the token is the symbol `symbol` (ignoring case).
  bool TokenSymbolIs(const std::string& symbol) const;
  /// Reads hexadecimal digit pairs (spaces and line breaks between them
  /// allowed) from after a '{' token up to the '}', which becomes the token.
  std::string HexToBinary();
  /// Raises EParserError "%s on line %d".
  [[noreturn]] void Error(const std::string& message) const;

 private:
  void CheckUtf8();
  void SkipBlanks();
  uint32_t ReadCharCode();
  void ReadStringToken();
  void ReadNumberToken();

  std::string text_;
  size_t pos_ = 0;
  int line_ = 1;
  char token_ = toEOF;
  std::string tokenText_;
  int tokenLine_ = 1;
  char floatType_ = 0;
};

}  // namespace tabulon
