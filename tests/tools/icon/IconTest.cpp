// The application icon: its look, the PNG and .ico writers read back by a
// decoder of their own, and the files this build ships, which must show one
// picture in every format and size and come out the same on every run.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/data/TempDir.h"
#include "tools/icon/IconFiles.h"
#include "tools/icon/IconPicture.h"

namespace sci::icon {
namespace {

namespace fs = std::filesystem;

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b.at(at)) << 24 | std::uint32_t(b.at(at + 1)) << 16 |
         std::uint32_t(b.at(at + 2)) << 8 | b.at(at + 3);
}
std::uint32_t le16(const Bytes& b, std::size_t at) {
  return b.at(at) | std::uint32_t(b.at(at + 1)) << 8;
}
std::uint32_t le32(const Bytes& b, std::size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }
Bytes slice(const Bytes& b, std::size_t at, std::size_t length) {
  if (at + length > b.size()) throw std::out_of_range("slice past the end");
  return Bytes(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + length));
}

const Bytes kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Reads the PNGs the writer makes (8-bit RGBA, unfiltered rows) and fails
// the test on any broken rule of the format it meets on the way.
Image decodePng(const Bytes& file) {
  EXPECT_EQ(slice(file, 0, 8), kPngSignature);
  Image image{0, {}};
  Bytes packed;
  std::vector<std::string> types;
  for (std::size_t at = 8; at < file.size();) {
    const std::uint32_t length = be32(file, at);
    const std::string type(file.begin() + std::ptrdiff_t(at + 4),
                           file.begin() + std::ptrdiff_t(at + 8));
    const Bytes data = slice(file, at + 8, length);
    const Bytes typeAndData = slice(file, at + 4, 4 + length);
    EXPECT_EQ(be32(file, at + 8 + length), crc32(0, typeAndData.data(), uInt(typeAndData.size())))
        << type << " CRC";
    types.push_back(type);
    if (type == "IHDR") {
      EXPECT_EQ(length, 13u);
      image.size = int(be32(data, 0));
      EXPECT_EQ(be32(data, 4), std::uint32_t(image.size)) << "square";
      EXPECT_EQ(slice(data, 8, 5), (Bytes{8, 6, 0, 0, 0})) << "8-bit RGBA, not interlaced";
    } else if (type == "IDAT") {
      packed.insert(packed.end(), data.begin(), data.end());
    }
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  const std::size_t stride = std::size_t(image.size) * 4 + 1;
  Bytes raw(stride * std::size_t(image.size));
  uLongf rawSize = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())), Z_OK);
  EXPECT_EQ(rawSize, raw.size());
  for (std::size_t row = 0; row < std::size_t(image.size); ++row) {
    EXPECT_EQ(raw[row * stride], 0) << "filter of row " << row;
    image.rgba.insert(image.rgba.end(), raw.begin() + std::ptrdiff_t(row * stride + 1),
                      raw.begin() + std::ptrdiff_t((row + 1) * stride));
  }
  return image;
}

// A 32-bit BITMAPINFOHEADER image of an icon: BGRA rows bottom-up, then the
// AND mask, which must mark exactly the fully transparent pixels.
Image decodeDib(const Bytes& dib, int size) {
  EXPECT_EQ(le32(dib, 0), 40u);
  EXPECT_EQ(le32(dib, 4), std::uint32_t(size));
  EXPECT_EQ(le32(dib, 8), std::uint32_t(size * 2)) << "colour and mask";
  EXPECT_EQ(le16(dib, 12), 1u);
  EXPECT_EQ(le16(dib, 14), 32u);
  EXPECT_EQ(le32(dib, 16), 0u) << "BI_RGB";
  const std::size_t pixels = 40, maskStride = std::size_t((size + 31) / 32) * 4;
  const std::size_t mask = pixels + std::size_t(size) * size * 4;
  EXPECT_EQ(dib.size(), mask + maskStride * std::size_t(size));
  Image image{size, Bytes(std::size_t(size) * size * 4)};
  for (int y = 0; y < size; ++y) {
    const std::size_t row = std::size_t(size - 1 - y);
    for (int x = 0; x < size; ++x) {
      const Bytes bgra = slice(dib, pixels + (row * size + x) * 4, 4);
      std::uint8_t* p = &image.rgba[(std::size_t(y) * size + x) * 4];
      p[0] = bgra[2], p[1] = bgra[1], p[2] = bgra[0], p[3] = bgra[3];
      const bool masked = dib.at(mask + row * maskStride + std::size_t(x / 8)) & (0x80 >> (x % 8));
      EXPECT_EQ(masked, p[3] == 0) << "mask at " << x << "," << y;
    }
  }
  return image;
}

// The images of an .ico by size, after checking its directory.
std::map<int, Image> decodeIco(const Bytes& file) {
  EXPECT_EQ(le16(file, 0), 0u);
  EXPECT_EQ(le16(file, 2), 1u) << "an icon";
  const std::size_t count = le16(file, 4);
  std::size_t next = 6 + 16 * count;
  std::map<int, Image> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int size = file.at(entry) == 0 ? 256 : file.at(entry);
    EXPECT_EQ(file.at(entry + 1), file.at(entry)) << "square";
    EXPECT_EQ(le16(file, entry + 4), 1u) << "planes";
    EXPECT_EQ(le16(file, entry + 6), 32u) << "bits per pixel";
    const std::size_t length = le32(file, entry + 8), offset = le32(file, entry + 12);
    EXPECT_EQ(offset, next) << "images one after the other";
    next = offset + length;
    const Bytes data = slice(file, offset, length);
    // Windows takes PNG only at 256 px; smaller ones must be DIBs.
    const bool png = slice(data, 0, 8) == kPngSignature;
    EXPECT_EQ(png, size == 256) << size;
    images[size] = png ? decodePng(data) : decodeDib(data, size);
    EXPECT_EQ(images[size].size, size);
  }
  EXPECT_EQ(next, file.size()) << "nothing after the last image";
  return images;
}

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every byte different from its neighbours, and some pixels fully
// transparent, so a swapped channel, a flipped row or a wrong mask shows.
Image pattern(int size) {
  Image image{size, Bytes(std::size_t(size) * size * 4)};
  for (std::size_t i = 0; i < image.rgba.size(); ++i) image.rgba[i] = std::uint8_t(i * 7 + i / 251);
  for (std::size_t i = 3; i < image.rgba.size(); i += 4 * 5) image.rgba[i] = 0;
  return image;
}

TEST(IconFiles, PngReadsBackAsTheSamePixels) {
  for (int size : {1, 3, 16, 33, 256}) {
    SCOPED_TRACE(size);
    const Image image = pattern(size);
    const Image back = decodePng(pngFile(image));
    EXPECT_EQ(back.size, size);
    EXPECT_EQ(back.rgba, image.rgba);
  }
}

TEST(IconFiles, IcoKeepsItsImagesInOrderAndReadsBackAsTheSamePixels) {
  const std::vector<Image> images = {pattern(16), pattern(33), pattern(256)};
  const Bytes file = icoFile(images);
  EXPECT_EQ(le16(file, 4), 3u);
  EXPECT_EQ(file.at(6), 16);
  EXPECT_EQ(file.at(6 + 16), 33);
  EXPECT_EQ(file.at(6 + 32), 0) << "256 is written as 0";
  const auto back = decodeIco(file);
  for (const Image& image : images) {
    ASSERT_TRUE(back.contains(image.size)) << image.size;
    EXPECT_EQ(back.at(image.size).rgba, image.rgba) << image.size;
  }
}

struct Rgba {
  int r, g, b, a;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "rgba(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}
Rgba at(const Bytes& rgba, int size, int x, int y) {
  const std::uint8_t* p = &rgba[(std::size_t(y) * size + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

// The look: a rounded blue tile with transparent corners and a rack of light
// grey units, two on the smallest icon so they stay readable, three above,
// each with a light at its right end: green on the top unit, amber below.
TEST(IconPicture, BlueTileWithARackOfUnits) {
  const Rgba tile{0x1f, 0x4e, 0x8c, 255}, unit{0xe8, 0xee, 0xf6, 255};
  // The small lights are all soft edge, so they are told by their hue.
  const auto green = [](Rgba c) { return c.g > c.r + 0x20 && c.g > c.b + 0x20; };
  const auto amber = [](Rgba c) { return c.r > c.g + 0x10 && c.g > c.b + 0x20; };
  const struct { int size, units; } cases[] = {{16, 2}, {32, 3}, {48, 3}, {256, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const Bytes rgba = paintAppIcon(c.size);
    ASSERT_EQ(rgba.size(), std::size_t(c.size) * c.size * 4);
    const auto pixel = [&](int x, int y) { return at(rgba, c.size, x, y); };
    // Rounded corners: at most a trace of the tile's edge in the corner pixels.
    for (const auto& [x, y] :
         {std::pair{0, 0}, {c.size - 1, 0}, {0, c.size - 1}, {c.size - 1, c.size - 1}}) {
      EXPECT_LT(pixel(x, y).a, 0x20) << x << "," << y;
    }
    EXPECT_EQ(pixel(c.size / 2, c.size / 10), tile);
    // The units as runs of their colour down a column between the bars and
    // the lights.
    const int column = c.size * 3 / 5;
    std::vector<std::pair<int, int>> units;
    for (int y = 0; y < c.size; ++y) {
      if (!(pixel(column, y) == unit)) continue;
      if (units.empty() || units.back().second != y - 1) units.push_back({y, y});
      units.back().second = y;
    }
    ASSERT_EQ(int(units.size()), c.units);
    for (int i = 0; i < c.units; ++i) {
      int lights = 0, wrongLights = 0;
      for (int y = units[i].first; y <= units[i].second; ++y) {
        for (int x = column; x < c.size; ++x) {
          lights += (i == 0 ? green : amber)(pixel(x, y));
          wrongLights += (i == 0 ? amber : green)(pixel(x, y));
        }
      }
      EXPECT_GT(lights, 0) << "unit " << i;
      EXPECT_EQ(wrongLights, 0) << "unit " << i;
    }
  }
}

// What this build installs and embeds: the theme PNGs, of which the Qt window
// takes 16 and 32, and the .ico of the Windows resource and installer.
TEST(MadeIcon, EveryFileShowsTheSamePictureAsTheIco) {
  const fs::path dir = SCIEDIT_ICON_DIR;
  const auto ico = decodeIco(readFile(dir / "sciedit.ico"));
  std::vector<int> icoSizes;
  for (const auto& [size, image] : ico) icoSizes.push_back(size);
  EXPECT_EQ(icoSizes, (std::vector<int>{16, 32, 48, 256}));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const Image png = decodePng(readFile(dir / ("sciedit-" + std::to_string(size) + ".png")));
    EXPECT_EQ(png.size, size);
    EXPECT_EQ(png.rgba, paintAppIcon(size));
    if (ico.contains(size)) {
      EXPECT_EQ(ico.at(size).rgba, png.rgba);
    }
  }
}

// No time stamp or other varying byte: a second run writes the same files.
TEST(MadeIcon, SecondRunWritesTheSameBytes) {
  test::TempDir temp;
  const std::string command =
      std::string("\"") + SCIEDIT_MAKE_ICON + "\" \"" + temp.path().string() + "\" 16 256";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const fs::path dir = SCIEDIT_ICON_DIR;
  for (const char* name : {"sciedit-16.png", "sciedit-256.png", "sciedit.ico"}) {
    EXPECT_EQ(readFile(temp.path() / name), readFile(dir / name)) << name;
  }
  EXPECT_FALSE(fs::exists(temp.path() / "sciedit-32.png")) << "only the sizes asked for";
}

}  // namespace
}  // namespace sci::icon
