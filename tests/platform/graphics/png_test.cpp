// PNG output read back with libpng itself, and PNG input with its errors.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/graphics/canvas.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

struct Decoded {
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0;
  std::vector<std::vector<uint8_t>> rows;  // raw rows as stored
};

// Reads a PNG file with libpng's plain reading interface, without transformations.
Decoded ReadWithLibpng(const std::string& path) {
  Decoded d;
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  EXPECT_TRUE(f);
  if (!f) return d;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng could not read " << path;
    return Decoded{};
  }
  png_init_io(png, f.get());
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  d.width = png_get_image_width(png, info);
  d.height = png_get_image_height(png, info);
  d.bitDepth = png_get_bit_depth(png, info);
  d.colorType = png_get_color_type(png, info);
  png_bytepp rows = png_get_rows(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  for (png_uint_32 y = 0; y < d.height; ++y) d.rows.emplace_back(rows[y], rows[y] + rowBytes);
  png_destroy_read_struct(&png, &info, nullptr);
  return d;
}

class PngTest : public ::testing::Test {
 protected:
  std::string Temp(const std::string& name) {
    auto p = std::filesystem::temp_directory_path() /
             ("tabulon_png_" + std::to_string(::getpid()) + "_" + name);
    files.push_back(p.string());
    return p.string();
  }
  void TearDown() override {
    for (auto& f : files) std::filesystem::remove(f);
  }
  std::vector<std::string> files;
};

TEST_F(PngTest, ColourBitmapIsWrittenAsRgbAndReadsBackIdentically) {
  TBitmap b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, RGB(x * 50, y * 100, (x + y) * 20));
  b.SetPixel(4, 2, clBtnFace);  // system colours are stored resolved
  std::string path = Temp("rgb.png");
  b.SaveToPNGFile(path);
  Decoded d = ReadWithLibpng(path);
  EXPECT_EQ(d.width, 5u);
  EXPECT_EQ(d.height, 3u);
  EXPECT_EQ(d.bitDepth, 8);
  EXPECT_EQ(d.colorType, PNG_COLOR_TYPE_RGB);
  ASSERT_EQ(d.rows.size(), 3u);
  EXPECT_EQ(d.rows[1][3 * 2 + 0], 100);  // red of (2, 1)
  EXPECT_EQ(d.rows[1][3 * 2 + 1], 100);  // green
  EXPECT_EQ(d.rows[1][3 * 2 + 2], 60);   // blue
  EXPECT_EQ(d.rows[2][12], 0xC0);
  TBitmap back;
  back.LoadFromPNGFile(path);
  EXPECT_EQ(back.Pixels(), b.Pixels());
}

TEST_F(PngTest, MonochromeBitmapIsWrittenWithOneBitPerPixel) {
  TBitmap m(10, 2, true);
  m.Canvas().PatBlt(0, 0, 2, 2, BLACKNESS);
  m.Canvas().PatBlt(9, 1, 1, 1, BLACKNESS);
  std::string path = Temp("mono.png");
  m.SaveToPNGFile(path);
  Decoded d = ReadWithLibpng(path);
  EXPECT_EQ(d.bitDepth, 1);
  EXPECT_EQ(d.colorType, PNG_COLOR_TYPE_GRAY);
  ASSERT_EQ(d.rows.size(), 2u);
  // One bit per pixel, white = 1; bits past the width are padding.
  ASSERT_EQ(d.rows[0].size(), 2u);
  EXPECT_EQ(d.rows[0][0], 0x3F);
  EXPECT_EQ(d.rows[0][1] & 0xC0, 0xC0);
  EXPECT_EQ(d.rows[1][0], 0x3F);
  EXPECT_EQ(d.rows[1][1] & 0xC0, 0x80);
  TBitmap back;
  back.LoadFromPNGFile(path);
  EXPECT_EQ(back.GetPixel(1, 1), clBlack);
  EXPECT_EQ(back.GetPixel(8, 1), clWhite);
  EXPECT_EQ(back.GetPixel(9, 1), clBlack);
}

TEST_F(PngTest, BadInputAndUnwritableFilesRaiseClearErrors) {
  TBitmap b;
  ExpectThrow<EFOpenError>([&] { b.LoadFromPNGFile("/nonexistent/x.png"); },
                           "Cannot open file /nonexistent/x.png");
  ExpectThrow<EReadError>(
      [&] {
        b.LoadFromPNG({'n', 'o', 't', ' ', 'p', 'n', 'g', '!', 0});
      },
      "Invalid PNG image: not a PNG signature");
  // A valid image cut short: libpng's own complaint is passed on.
  TBitmap ok(4, 4);
  std::vector<uint8_t> bytes = ok.SaveToPNG();
  bytes.resize(bytes.size() / 2);
  try {
    b.LoadFromPNG(bytes);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message().rfind("Invalid PNG image: ", 0), 0u) << e.Message();
  }
  EXPECT_TRUE(b.GetEmpty());  // a failed read leaves the bitmap as it was
  ExpectThrow<EFCreateError>([&] { ok.SaveToPNGFile("/nonexistent/dir/out.png"); },
                             "Cannot create file /nonexistent/dir/out.png");
  EXPECT_THROW(TBitmap().SaveToPNG(), EInvalidOperation);
}

}  // namespace
}  // namespace tabulon
