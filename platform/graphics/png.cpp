// Reading and writing bitmaps as PNG images with libpng. Errors inside
// libpng leave through its longjmp; they are turned into exceptions after
// the jump, outside libpng's frames.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/graphics/bitmap.h"

namespace tabulon {
namespace {

struct ErrorSink {
  char message[256] = "";
};

void OnError(png_structp png, png_const_charp msg) {
  auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
  std::snprintf(sink->message, sizeof sink->message, "%s", msg);
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

struct WriteBuffer {
  std::vector<uint8_t> bytes;
};
void WriteData(png_structp png, png_bytep data, png_size_t len) {
  auto* out = static_cast<WriteBuffer*>(png_get_io_ptr(png));
  out->bytes.insert(out->bytes.end(), data, data + len);
}
void FlushData(png_structp) {}

struct ReadBuffer {
  const std::vector<uint8_t>* bytes;
  size_t pos = 0;
};
void ReadData(png_structp png, png_bytep data, png_size_t len) {
  auto* in = static_cast<ReadBuffer*>(png_get_io_ptr(png));
  if (in->pos + len > in->bytes->size()) png_error(png, "unexpected end of data");
  std::memcpy(data, in->bytes->data() + in->pos, len);
  in->pos += len;
}

// Encodes rows prepared beforehand; returns false with the sink's message on failure.
bool Encode(int w, int h, bool mono, const std::vector<std::vector<uint8_t>>& rows,
            WriteBuffer& out, ErrorSink& sink) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnError, OnWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &out, WriteData, FlushData);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), mono ? 1 : 8,
               mono ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (const auto& row : rows) png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<uint8_t> TBitmap::SaveToPNG() const {
  if (GetEmpty()) throw EInvalidOperation("Cannot write an empty bitmap as PNG");
  std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    auto& row = rows[static_cast<size_t>(y)];
    if (mono_) {
      row.assign(static_cast<size_t>((width_ + 7) / 8), 0);
      for (int x = 0; x < width_; ++x)
        if (GetRaw(x, y) & 0xFFFFFF)
          row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    } else {
      row.resize(static_cast<size_t>(width_) * 3);
      for (int x = 0; x < width_; ++x) {
        uint32_t p = GetRaw(x, y);
        row[static_cast<size_t>(x * 3)] = static_cast<uint8_t>(p & 0xFF);
        row[static_cast<size_t>(x * 3 + 1)] = static_cast<uint8_t>((p >> 8) & 0xFF);
        row[static_cast<size_t>(x * 3 + 2)] = static_cast<uint8_t>((p >> 16) & 0xFF);
      }
    }
  }
  WriteBuffer out;
  ErrorSink sink;
  if (!Encode(width_, height_, mono_, rows, out, sink))
    throw EInvalidOperation(std::string("Cannot encode PNG image: ") + sink.message);
  return std::move(out.bytes);
}

void TBitmap::SaveToPNGFile(const std::string& path) const {
  std::vector<uint8_t> bytes = SaveToPNG();
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!f) throw EFCreateError(Format(ResStr("SImageCreateError"), {path}));
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size() ||
      std::fflush(f.get()) != 0)
    throw EFCreateError(Format(ResStr("SImageCreateError"), {path}));
}

void TBitmap::LoadFromPNGFile(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) throw EFOpenError(Format(ResStr("SImageOpenError"), {path}));
  std::vector<uint8_t> bytes;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.insert(bytes.end(), buf, buf + n);
  LoadFromPNG(bytes);
}

void TBitmap::LoadFromPNG(const std::vector<uint8_t>& bytes) {
  auto bad = [](const std::string& why) {
    return EReadError(Format(ResStr("SInvalidPNG"), {why}));
  };
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) throw bad("not a PNG signature");
  ErrorSink sink;
  ReadBuffer in{&bytes, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, OnError, OnWarning);
  if (!png) throw bad("out of memory");
  png_infop info = png_create_info_struct(png);
  std::vector<uint32_t> pixels;
  png_uint_32 w = 0, h = 0;
  std::vector<uint8_t> image;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    throw bad(sink.message[0] ? sink.message : "out of memory");
  }
  png_set_read_fn(png, &in, ReadData);
  png_set_user_limits(png, 16384, 16384);
  png_read_info(png, info);
  w = png_get_image_width(png, info);
  h = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_strip_alpha(png);
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 3)
    png_error(png, "unsupported pixel layout");
  pixels.assign(static_cast<size_t>(w) * h, 0);
  image.assign(static_cast<size_t>(w) * 3 * h, 0);
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < h; ++y) {
      uint8_t* r = image.data() + static_cast<size_t>(y) * w * 3;
      png_read_row(png, r, nullptr);
    }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] =
        image[i * 3] | (image[i * 3 + 1] << 8) | (static_cast<uint32_t>(image[i * 3 + 2]) << 16);
  mono_ = false;
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  pixels_ = std::move(pixels);
  Changed();
}

}  // namespace tabulon
