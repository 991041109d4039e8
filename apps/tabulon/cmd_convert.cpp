// tabulon convert IN [OUT]: converts a form file between the text and the
// binary format, the direction taken from the content. Without OUT the text
// form goes to standard output (a text input comes out normalised).
#include <ostream>

#include "apps/tabulon/command.h"
#include "platform/core/exceptions.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/streams.h"

namespace tabulon::app {
namespace {

int Run(CommandContext& ctx) {
  if (ctx.Args.empty() || ctx.Args.size() > 2) {
    ctx.Err << "usage: tabulon convert IN [OUT]\n";
    return 2;
  }
  const std::string& in = ctx.Args[0];
  try {
    TMemoryStream source;
    source.LoadFromFile(in);
    TStreamOriginalFormat format = TestStreamFormat(&source);
    if (format == sofUnknown) {
      ctx.Err << "tabulon convert: " << in
              << ": not a form file (neither the TPF0 signature nor object, inherited or inline)\n";
      return 1;
    }
    // Convert in memory first, so that a bad input leaves no half-written output.
    TMemoryStream binary;
    if (format == sofText)
      ObjectTextToBinary(&source, &binary);
    else
      binary.LoadFromStream(&source);
    binary.SetPosition(0);
    TStringStream text;
    if (ctx.Args.size() == 1 || format == sofBinary) ObjectBinaryToText(&binary, &text);
    if (ctx.Args.size() == 1) {
      ctx.Out << text.DataString();
      return 0;
    }
    TFileStream out(ctx.Args[1], fmCreate);
    if (format == sofBinary)
      out.WriteBuffer(text.DataString().data(), static_cast<int64_t>(text.DataString().size()));
    else
      binary.SaveToStream(&out);
    return 0;
  } catch (const Exception& e) {
    ctx.Err << "tabulon convert: " << in << ": " << e.Message() << "\n";
    return 1;
  }
}

}  // namespace

TBN_COMMAND("convert", "IN [OUT]",
            "converts a form file between text and binary (direction from the content); without "
            "OUT prints the text form",
            Run);

}  // namespace tabulon::app
