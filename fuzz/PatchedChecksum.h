#pragma once
// Fuzz inputs of a server list's size get a correct checksum, so that the
// fuzzer explores what lies behind the check instead of being stopped by it.

#include <cstdint>
#include <span>

#include "data/ServerListFile.h"

namespace sci::fuzz {

inline void patchChecksum(std::span<std::uint8_t, kServerListSize> file) {
  const std::uint32_t sum = BodyChecksum(file.subspan(kHeaderSize, kBodySize));
  for (int i = 0; i < 4; ++i) file[8 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
}

}  // namespace sci::fuzz
