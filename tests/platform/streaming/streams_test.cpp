// Streams and the extended-float conversion.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include "platform/core/exceptions.h"
#include "platform/streaming/extended.h"
#include "platform/streaming/streams.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

std::string TempName(const char* tag) {
  return "/tmp/tabulon_streams_" + std::to_string(::getpid()) + "_" + tag;
}

TEST(Streams, MemoryStringAndResourceStreamsAgreeOnReadWriteSeek) {
  TMemoryStream mem;
  TStringStream str;
  for (TStream* s : std::initializer_list<TStream*>{&mem, &str}) {
    s->WriteBuffer("hello world", 11);
    EXPECT_EQ(s->GetSize(), 11);
    s->SetPosition(6);
    s->WriteBuffer("there", 5);
    s->Seek(-5, soEnd);
    char buf[8] = {};
    EXPECT_EQ(s->Read(buf, 8), 5);  // a short read reports what it got
    EXPECT_STREQ(buf, "there");
    s->SetPosition(0);
    char all[11];
    s->ReadBuffer(all, 11);
    EXPECT_EQ(std::string(all, 11), "hello there");
    ExpectThrow<EReadError>([&] { s->ReadBuffer(all, 1); }, "Stream read error");
    s->SetSize(5);
    EXPECT_EQ(s->GetPosition(), 5);
    EXPECT_EQ(s->GetSize(), 5);
  }
  EXPECT_EQ(str.DataString(), "hello");
  EXPECT_EQ(std::string(mem.Memory(), 5), "hello");
  // Copying everything from another stream rewinds the source first.
  TStringStream copy;
  EXPECT_EQ(copy.CopyFrom(&mem, 0), 5);
  EXPECT_EQ(copy.DataString(), "hello");
  ExpectThrow<EReadError>([] { TResourceStream r("no/such.dfm"); },
                          "Resource no/such.dfm not found");
  TResourceStream table("strings/streaming.txt");
  EXPECT_GT(table.GetSize(), 0);
  EXPECT_EQ(table.Write("x", 1), 0);  // resources are read-only
  ExpectThrow<EWriteError>([&] { table.WriteBuffer("x", 1); }, "Stream write error");
}

TEST(Streams, FileStreamCreatesOpensAndReportsTheFileName) {
  std::string name = TempName("file");
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abcdef", 6);
  }
  {
    TFileStream f(name, fmCreate);  // create mode replaces the contents
    f.WriteBuffer("xy", 2);
  }
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(std::string(m.Memory(), static_cast<size_t>(m.GetSize())), "xy");
  {
    // A reader denying write keeps a writer that asks for exclusive access out.
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    ExpectThrow<EFOpenError>([&] { TFileStream w(name, fmOpenWrite | fmShareExclusive); },
                             "Cannot open file \"" + name + "\". Resource temporarily unavailable");
    char c;
    reader.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'x');
  }
  ::unlink(name.c_str());
  ExpectThrow<EFOpenError>([&] { TFileStream f(name, fmOpenRead); },
                           "Cannot open file \"" + name + "\". No such file or directory");
  ExpectThrow<EFCreateError>(
      [] { TFileStream f("/nonexistent-dir/x.dfm", fmCreate); },
      "Cannot create file \"/nonexistent-dir/x.dfm\". No such file or directory");
  ExpectThrow<EFOpenError>([] { TFileStream f("/tmp", fmOpenRead); },
                           "Cannot open file \"/tmp\". Is a directory");
}

// The x87 extended layout, checked against the host's own 80-bit long double
// where the host has one, and against known encodings everywhere.
TEST(Extended, EncodingMatchesTheX87LayoutAndRoundTrips) {
  struct Known {
    long double value;
    uint8_t bytes[10];
  };
  const Known known[] = {
      {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {0.5L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}},
      {HUGE_VALL, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
  };
  for (const Known& k : known) {
    uint8_t out[10];
    ExtendedToBytes(k.value, out);
    EXPECT_EQ(std::memcmp(out, k.bytes, 10), 0) << static_cast<double>(k.value);
    long double back = BytesToExtended(k.bytes);
    EXPECT_EQ(back, k.value);
    EXPECT_EQ(std::signbit(back), std::signbit(k.value));
  }
  uint8_t nan[10];
  ExtendedToBytes(NAN, nan);
  EXPECT_TRUE(std::isnan(BytesToExtended(nan)));

  std::mt19937_64 rng(42);
  std::vector<long double> values = {0.1L,
                                     LDBL_MIN,
                                     LDBL_MAX,
                                     LDBL_TRUE_MIN,
                                     LDBL_MIN / 3,
                                     1e-4940L,
                                     3.14159265358979323846L,
                                     -123456789.125L};
  for (int i = 0; i < 2000; ++i) {
    int e = static_cast<int>(rng() % 32000) - 16000;
    long double m = static_cast<long double>(rng()) / 18446744073709551616.0L;
    values.push_back(std::ldexp(rng() & 1 ? -m : m, e));
  }
  for (long double v : values) {
    uint8_t out[10];
    ExtendedToBytes(v, out);
    EXPECT_EQ(BytesToExtended(out), v);
    if constexpr (LDBL_MANT_DIG == 64) {
      uint8_t host[sizeof(long double)] = {};
      std::memcpy(host, &v, sizeof v);
      EXPECT_EQ(std::memcmp(out, host, 10), 0) << static_cast<double>(v);
    }
  }
  // Encodings the host would not produce still decode: a pseudo-denormal
  // (exponent 0 with the integer bit set) equals the smallest normal.
  uint8_t pseudo[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
  EXPECT_EQ(BytesToExtended(pseudo), LDBL_MIN);
}

}  // namespace
}  // namespace tabulon
