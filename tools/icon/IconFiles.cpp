#include "tools/icon/IconFiles.h"

#include <zlib.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace sci::icon {

namespace {

void put16(Bytes& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put32be(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void pngChunk(Bytes& out, const char* type, const Bytes& data) {
  put32be(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32be(out, std::uint32_t(crc32(0, &out[start], uInt(out.size() - start))));
}

// A BITMAPINFOHEADER image as icons store it: height doubled for the AND
// mask, rows bottom-up, BGRA, then the 1-bit mask.
Bytes dibImage(const Image& image) {
  const int size = image.size;
  const auto pixel = [&](int x, int y) { return &image.rgba[(std::size_t(y) * size + x) * 4]; };
  Bytes out;
  put32(out, 40);
  put32(out, std::uint32_t(size));
  put32(out, std::uint32_t(size * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  const std::size_t maskStride = std::size_t((size + 31) / 32) * 4;
  put32(out, std::uint32_t(std::size_t(size) * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = pixel(x, y);
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  // Systems that ignore the alpha channel take fully transparent pixels from
  // the mask.
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < size; ++x) {
      if (pixel(x, y)[3] == 0) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

Bytes pngFile(const Image& image) {
  const std::size_t stride = std::size_t(image.size) * 4;
  Bytes raw;
  for (std::size_t row = 0; row < std::size_t(image.size); ++row) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), image.rgba.begin() + std::ptrdiff_t(row * stride),
               image.rgba.begin() + std::ptrdiff_t((row + 1) * stride));
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  Bytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK) {
    throw std::runtime_error("cannot compress the " + std::to_string(image.size) + " px image");
  }
  packed.resize(packedSize);

  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  put32be(header, std::uint32_t(image.size));
  put32be(header, std::uint32_t(image.size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, not interlaced
  pngChunk(out, "IHDR", header);
  pngChunk(out, "IDAT", packed);
  pngChunk(out, "IEND", {});
  return out;
}

Bytes icoFile(const std::vector<Image>& images) {
  std::vector<Bytes> stored;
  for (const Image& image : images) {
    stored.push_back(image.size >= 256 ? pngFile(image) : dibImage(image));
  }
  Bytes out;
  put16(out, 0);
  put16(out, 1);  // icon, not cursor
  put16(out, unsigned(images.size()));
  auto offset = std::uint32_t(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = std::uint8_t(images[i].size >= 256 ? 0 : images[i].size);  // 0 is 256
    out.insert(out.end(), {side, side, 0, 0});                                   // no palette
    put16(out, 1);                                                               // planes
    put16(out, 32);                                                              // bits per pixel
    put32(out, std::uint32_t(stored[i].size()));
    put32(out, offset);
    offset += std::uint32_t(stored[i].size());
  }
  for (const Bytes& image : stored) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace sci::icon
