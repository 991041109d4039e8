// Fuzzes the client dataset's data file readers (the layer's own format and
// CSV): any input must load or raise EDatabaseError, never crash or leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "platform/core/exceptions.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  tabulon::TClientDataSet d(nullptr);
  try {
    d.LoadFromString(text);
    for (d.First(); !d.GetEof(); d.Next())
      for (int i = 0; i < d.GetFieldCount(); ++i) (void)d.Fields(i)->GetDisplayText();
    (void)d.SaveToString();
  } catch (const tabulon::Exception&) {
  }
  // The CSV reader through a file.
  static const std::string path = "/tmp/tabulon_fuzz_db_" + std::to_string(::getpid()) + ".csv";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    tabulon::TClientDataSet c(nullptr);
    try {
      c.LoadFromFile(path);
      for (c.First(); !c.GetEof(); c.Next()) (void)c.Fields(0)->GetAsString();
    } catch (const tabulon::Exception&) {
    }
  }
  return 0;
}
