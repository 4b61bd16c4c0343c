#pragma once
// The application icon, a blue tile with a small rack of servers, drawn
// without any toolkit so that one build tool can write it for every
// platform from the same pixels.

#include <cstdint>
#include <vector>

namespace sci::icon {

// size x size pixels as straight (not premultiplied) 8-bit RGBA, top row
// first.
std::vector<std::uint8_t> paintAppIcon(int size);

}  // namespace sci::icon
