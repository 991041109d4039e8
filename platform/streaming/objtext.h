// Conversion between the binary component stream and the text form syntax
// that people read, diff and edit:
//
//   object Form1: TForm1
//     Caption = 'Find'#13#10'now'
//     Font.Style = [fsBold]
//     Items.Strings = (
//       'one'
//       'two')
//     Fields = <
//       item
//         FieldName = 'CITY'
//       end>
//     Data = {
//       0A0B0C}
//     OnClick = Form1Click
//     object bbOk: TButton
//     end
//   end
//
// Text written by ObjectBinaryToText converts back to a binary that gives
// the identical text (and the identical bytes, for a binary in the
// writer's own encoding).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tabulon {

class TStream;

/// What a stream holds.
enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText };

/// Positions in a binary stream paired with the text line they came from.
using TTextLineMap = std::vector<std::pair<int64_t, int>>;

/// Converts a text form (from the position of `input`) to a binary
/// component stream appended to `output`. Malformed text raises
/// EParserError "... on line N". When `lines` is given, it receives the
/// binary position of every object and property with its line.
void ObjectTextToBinary(TStream* input, TStream* output, TTextLineMap* lines = nullptr);
/// Converts a binary component stream to its text form. Malformed data, and
/// names the text syntax cannot hold, raise EReadError; `errorPosition`
/// then receives the stream offset where the object or property being
/// converted began (-1 when the root had not begun), the offset a reader
/// of the same stream reports as its ErrorPosition.
void ObjectBinaryToText(TStream* input, TStream* output, int64_t* errorPosition = nullptr);
/// Looks at the start of `stream` (without moving it): "TPF0" is binary;
/// text starts, after blanks and a byte order mark, with object, inherited or inline.
TStreamOriginalFormat TestStreamFormat(TStream* stream);
/// The text line of binary position `position` in a line map (0 when unknown).
int LineOfPosition(const TTextLineMap& lines, int64_t position);

}  // namespace tabulon
