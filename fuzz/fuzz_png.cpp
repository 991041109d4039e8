// PNG input: arbitrary bytes either load as a bitmap or raise the framework's
// read error; nothing else may happen (no crash, no leak, no other exception).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/graphics/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  tabulon::TBitmap bmp;
  try {
    bmp.LoadFromPNG(bytes);
    // A loaded image must write back out.
    if (!bmp.GetEmpty()) (void)bmp.SaveToPNG();
  } catch (const tabulon::EReadError&) {
  }
  return 0;
}
