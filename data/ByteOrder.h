#pragma once
// Both file formats store their numbers little-endian whatever the machine's
// own order; every read and write of such a number goes through here.

#include <cstddef>
#include <cstdint>
#include <span>

namespace sci {

// The size-byte number at offset (size at most 4).
inline std::uint32_t readLe(std::span<const std::uint8_t> in, std::size_t offset,
                            std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{in[offset + i]} << (8 * i);
  return value;
}

// Stores the low size bytes of value at offset (size at most 4).
inline void writeLe(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value,
                    std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint16_t readLe16(std::span<const std::uint8_t> in, std::size_t offset) {
  return static_cast<std::uint16_t>(readLe(in, offset, 2));
}

inline std::uint32_t readLe32(std::span<const std::uint8_t> in, std::size_t offset) {
  return readLe(in, offset, 4);
}

}  // namespace sci
