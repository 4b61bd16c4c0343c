#pragma once
// Fuzz inputs of a server list's size get a correct checksum, so that the
// fuzzer explores what lies behind the check instead of being stopped by it.

#include <cstdint>
#include <span>

#include "data/ByteOrder.h"
#include "data/ServerListFile.h"

namespace sci::fuzz {

inline void patchChecksum(std::span<std::uint8_t, kServerListSize> file) {
  writeLe(file, kChecksumOffset, BodyChecksum(file.subspan(kHeaderSize, kBodySize)), 4);
}

}  // namespace sci::fuzz
