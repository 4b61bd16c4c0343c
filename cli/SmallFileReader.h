#pragma once
// scitool's reads of the two small file formats: data's fixed-size reader,
// with every refusal and failure turned into the reason scitool prints.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/FixedSizeRead.h"

namespace sci {

struct SmallFile {
  std::string failure;              // the reason in the editor's words; empty when read
  std::vector<std::uint8_t> bytes;  // the whole file, only when read
};

SmallFile readSmallFile(const std::string& path, std::initializer_list<std::size_t> sizes,
                        const ReadCall& readCall = systemRead());

}  // namespace sci
