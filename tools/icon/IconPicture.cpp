#include "tools/icon/IconPicture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace sci::icon {

namespace {

struct Colour {
  double r, g, b;
};

Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// Premultiplied RGBA in doubles, so that shapes blend without rounding until
// the end.
class Canvas {
 public:
  explicit Canvas(int size) : size_(size), pixels_(std::size_t(size) * size * 4, 0.0) {}

  // Blends colour over every pixel by the share of its samples inside the
  // shape: 8 x 8 samples a pixel give the soft edges of an antialiased
  // painter.
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
        p[0] = c.r * a + p[0] * (1 - a);
        p[1] = c.g * a + p[1] * (1 - a);
        p[2] = c.b * a + p[2] * (1 - a);
        p[3] = a + p[3] * (1 - a);
      }
    }
  }

  std::vector<std::uint8_t> rgba() const {
    std::vector<std::uint8_t> out(pixels_.size());
    for (std::size_t i = 0; i < out.size(); i += 4) {
      const double a = pixels_[i + 3];
      for (std::size_t k = 0; k < 3; ++k) {
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

// Inside test of a rectangle with corners rounded by radius.
auto roundedRect(double left, double top, double width, double height, double radius) {
  return [=](double x, double y) {
    if (x < left || y < top || x > left + width || y > top + height) return false;
    const double cx = std::clamp(x, left + radius, left + width - radius);
    const double cy = std::clamp(y, top + radius, top + height - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

}  // namespace

std::vector<std::uint8_t> paintAppIcon(int size) {
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
    // The top unit's light is green, the others' amber.
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

}  // namespace sci::icon
