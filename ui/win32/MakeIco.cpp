// Build step, run on the build machine: draws the application icon without any
// toolkit and writes it as one .ico with 16, 32, 48 and 256 px images for the
// resource compiler. The picture follows ui/IconPainter.cpp (a blue tile with
// a small rack of servers); shapes are sampled 8 x 8 times per pixel, which
// gives the same soft edges as an antialiased painter.
//
// The three small images are 32-bit DIBs, which every Windows draws; the
// 256 px one is PNG, as Windows expects for that size.

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Colour {
  double r, g, b;
};

class Canvas {
 public:
  explicit Canvas(int size) : size_(size), pixels_(std::size_t(size) * size * 4, 0.0) {}

  int size() const { return size_; }

  // Blends colour over every pixel by the share of its samples inside the shape.
  template <typename Inside>
  void fill(const Colour& c, Inside inside) {
    constexpr int kSamples = 8;
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy) {
          for (int sx = 0; sx < kSamples; ++sx) {
            if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
          }
        }
        if (hits == 0) continue;
        const double a = double(hits) / (kSamples * kSamples);
        double* p = &pixels_[(std::size_t(y) * size_ + x) * 4];
        // Premultiplied "source over".
        p[0] = c.r * a + p[0] * (1 - a);
        p[1] = c.g * a + p[1] * (1 - a);
        p[2] = c.b * a + p[2] * (1 - a);
        p[3] = a + p[3] * (1 - a);
      }
    }
  }

  // Straight (not premultiplied) 8-bit RGBA, top row first.
  std::vector<std::uint8_t> rgba() const {
    std::vector<std::uint8_t> out(std::size_t(size_) * size_ * 4);
    for (std::size_t i = 0; i < out.size(); i += 4) {
      const double a = pixels_[i + 3];
      for (int k = 0; k < 3; ++k) {
        const double v = a > 0 ? pixels_[i + k] / a : 0;
        out[i + k] = std::uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255));
      }
      out[i + 3] = std::uint8_t(std::lround(std::clamp(a, 0.0, 1.0) * 255));
    }
    return out;
  }

 private:
  int size_;
  std::vector<double> pixels_;
};

Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// Inside test of a rectangle with corners rounded by radius.
auto roundedRect(double left, double top, double width, double height, double radius) {
  return [=](double x, double y) {
    if (x < left || y < top || x > left + width || y > top + height) return false;
    const double cx = std::clamp(x, left + radius, left + width - radius);
    const double cy = std::clamp(y, top + radius, top + height - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

std::vector<std::uint8_t> paintIcon(int size) {
  Canvas canvas(size);
  const double s = size;
  const double corner = s / 6;
  // The tile with a one-pixel darker outline centred on its edge.
  canvas.fill(rgb(0x0e, 0x2a, 0x52), roundedRect(0, 0, s, s, corner + 0.5));
  canvas.fill(rgb(0x1f, 0x4e, 0x8c), roundedRect(1, 1, s - 2, s - 2, corner - 0.5));

  // Fewer units on the small icon keep them readable.
  const int units = size >= 24 ? 3 : 2;
  const double margin = s * 0.18;
  const double gap = s * 0.07;
  const double height = (s - 2 * margin - (units - 1) * gap) / units;
  for (int i = 0; i < units; ++i) {
    const double top = margin + i * (height + gap);
    const double width = s - 2 * margin;
    canvas.fill(rgb(0xe8, 0xee, 0xf6), roundedRect(margin, top, width, height, s / 20));
    const double led = std::max(2.0, height * 0.4);
    const double ledX = margin + width - led;
    const double centreY = top + height / 2;
    canvas.fill(i == 0 ? rgb(0x2e, 0xcc, 0x40) : rgb(0xff, 0xb0, 0x20), [=](double x, double y) {
      return (x - ledX) * (x - ledX) + (y - centreY) * (y - centreY) <= led * led / 4;
    });
    canvas.fill(rgb(0x7a, 0x8a, 0xa0),
                roundedRect(margin + led / 2, centreY - led / 4, width * 0.5, led / 2, 0));
  }
  return canvas.rgba();
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

// A BITMAPINFOHEADER image as icons store it: height doubled for the AND
// mask, rows bottom-up, BGRA, then a 1-bit mask that 32-bit images leave clear.
std::vector<std::uint8_t> dibImage(int size, const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> out;
  put32(out, 40);
  put32(out, std::uint32_t(size));
  put32(out, std::uint32_t(size * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  const std::size_t maskStride = ((size + 31) / 32) * 4;
  put32(out, std::uint32_t(size * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = &rgba[(std::size_t(y) * size + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  // Pixels that are fully transparent are marked in the mask for old systems.
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x) {
      if (rgba[(std::size_t(y) * size + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void pngChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  put32be(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, &out[start], uInt(out.size() - start));
  put32be(out, std::uint32_t(crc));
}

std::vector<std::uint8_t> pngImage(int size, const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), rgba.begin() + std::ptrdiff_t(y) * size * 4,
               rgba.begin() + std::ptrdiff_t(y + 1) * size * 4);
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK) return {};
  packed.resize(packedSize);

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put32be(header, std::uint32_t(size));
  put32be(header, std::uint32_t(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  pngChunk(out, "IHDR", header);
  pngChunk(out, "IDAT", packed);
  pngChunk(out, "IEND", {});
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  constexpr std::array kSizes = {16, 32, 48, 256};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : kSizes) {
    const auto rgba = paintIcon(size);
    images.push_back(size >= 256 ? pngImage(size, rgba) : dibImage(size, rgba));
    if (images.back().empty()) {
      std::fprintf(stderr, "cannot compress the %d px image\n", size);
      return 1;
    }
  }
  std::vector<std::uint8_t> ico;
  put16(ico, 0);
  put16(ico, 1);  // icon
  put16(ico, unsigned(kSizes.size()));
  std::uint32_t offset = std::uint32_t(6 + 16 * kSizes.size());
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    const int size = kSizes[i];
    ico.push_back(std::uint8_t(size >= 256 ? 0 : size));  // 0 means 256
    ico.push_back(std::uint8_t(size >= 256 ? 0 : size));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    put16(ico, 1);   // planes
    put16(ico, 32);  // bits per pixel
    put32(ico, std::uint32_t(images[i].size()));
    put32(ico, offset);
    offset += std::uint32_t(images[i].size());
  }
  for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());

  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(ico.data(), 1, ico.size(), file) == ico.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
