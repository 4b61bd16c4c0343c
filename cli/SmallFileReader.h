#pragma once
// scitool's reads of the two small file formats: data's fixed-size reader,
// with every refusal and failure turned into the reason scitool prints.
// "-" reads standard input.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "data/FixedSizeRead.h"

namespace sci {

struct SmallFile {
  std::string failure;                 // the reason in the editor's words; empty when read
  std::vector<std::uint8_t> bytes;     // the whole file when read; what standard input held
  bool wrongLength = false;            // failure is a "Length Error!"
  std::optional<std::uintmax_t> size;  // the length found, where there is one
};

// A length error says the length found and the lengths expected after the
// editor's "Length Error!".
SmallFile readSmallFile(const std::string& path, std::initializer_list<std::size_t> sizes,
                        const ReadCall& readCall = systemRead());

// For a file of the wrong length that is plainly another kind (a device
// configuration where a server list was wanted, a server list, JSON), the
// command that reads it, as ": ..." to follow the reason; otherwise "".
std::string otherKindHint(const std::string& path, const SmallFile& file, std::size_t expectedSize);

}  // namespace sci
