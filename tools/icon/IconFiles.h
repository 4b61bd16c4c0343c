#pragma once
// The file formats the icon ships in: PNG for desktop themes and the Qt
// window, .ico for the Windows resource and installer. Both carry nothing
// but the pixels, so two builds write the same bytes.

#include <cstdint>
#include <vector>

namespace sci::icon {

using Bytes = std::vector<std::uint8_t>;

// size x size pixels as straight 8-bit RGBA, top row first.
struct Image {
  int size;
  Bytes rgba;
};

// An 8-bit RGBA PNG of IHDR, one IDAT and IEND. Throws std::runtime_error
// if the pixels cannot be compressed.
Bytes pngFile(const Image& image);

// An icon with the images in the order given: 32-bit DIBs below 256 px,
// which every Windows draws, and PNG at 256 px, as Windows expects there.
Bytes icoFile(const std::vector<Image>& images);

}  // namespace sci::icon
