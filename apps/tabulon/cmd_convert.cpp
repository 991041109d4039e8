// tabulon convert IN [OUT]: converts a form file between the text and the
// binary format, the direction taken from the content. Without OUT the text
// form goes to standard output (a text input comes out normalised); OUT "-"
// writes the converted form to standard output. The input is never
// overwritten, and a bad input leaves no half-written output.
#include <filesystem>
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/form_input.h"
#include "platform/core/exceptions.h"
#include "platform/streaming/streams.h"

namespace tabulon::app {
namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

int Run(CommandContext& ctx) {
  if (ctx.Args.empty() || ctx.Args.size() > 2) throw EUsageError("give IN and at most one OUT");
  const std::string& in = ctx.Args[0];
  const std::string out = ctx.Args.size() == 2 ? ctx.Args[1] : std::string();
  if (!out.empty() && out != "-" && SameFile(in, out))
    throw EUsageError("will not overwrite the input file " + in);
  TFormInput form = ReadFormInput(in);
  // Converted in memory first: a bad input leaves no half-written output.
  std::string result = out.empty() || !form.WasText ? FormToText(in, form) : form.Binary;
  if (out.empty() || out == "-") {
    ctx.Out << result;
    return 0;
  }
  TFileStream file(out, fmCreate);
  file.WriteBuffer(result.data(), static_cast<int64_t>(result.size()));
  return 0;
}

}  // namespace

TBN_COMMAND("convert", "IN [OUT | -]",
            "converts a form file between text and binary (direction from the content); without "
            "OUT prints the text form, with - prints the converted form",
            Run);

}  // namespace tabulon::app
