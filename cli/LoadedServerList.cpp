#include "cli/LoadedServerList.h"

#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"
#include "data/ServerListFile.h"

namespace sci {
namespace {

std::uint32_t readLe(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return value;
}

}  // namespace

LoadedServerList loadServerList(const std::string& path) {
  const SmallFile file = readFileOfSize(path, {kServerListSize});
  if (file.status != SmallFile::Status::Read) {
    LoadedServerList list;
    list.failure = smallFileFailureText(file);
    return list;
  }
  return decodeLoadedServerList(file.bytes);
}

LoadedServerList decodeLoadedServerList(std::span<const std::uint8_t> bytes) {
  LoadedServerList list;
  list.failure = serverListResultText(decodeServerList(bytes, list.table));
  if (!list.failure.empty()) return list;
  list.header.deviceValue32 = readLe(bytes, 0, 4);
  list.header.bodyLength = readLe(bytes, 4, 4);
  list.header.checksum = readLe(bytes, 8, 4);
  list.header.deviceValue8 = static_cast<std::uint16_t>(readLe(bytes, 14, 2));
  list.header.deviceValue16 = static_cast<std::uint16_t>(readLe(bytes, 16, 2));
  return list;
}

}  // namespace sci
