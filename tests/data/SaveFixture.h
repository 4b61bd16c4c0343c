#pragma once
// What the atomic-save tests of every system save: one list, written with
// a fixed random source so the expected file is known byte for byte.

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"
#include "tests/data/TempDir.h"

namespace sci::test {

inline const DeviceConfig& saveConfig() {
  static const DeviceConfig c = [] {
    DeviceConfig d;
    decodeDeviceConfig(encodeDeviceConfig("Save", 1, 2, 3), d);
    return d;
  }();
  return c;
}

inline unsigned fixedRandom() { return 77; }

inline ServerTable sampleTable() {
  ServerTable table = initialTable();
  storeFields(table.entries[0], "new.example", 443, "01 02 03", "u", "p");
  return table;
}

inline Bytes expectedImage() {
  const auto image = encodeServerList(sampleTable(), saveConfig(), fixedRandom);
  return Bytes(image.begin(), image.end());
}

inline FileResult save(const fs::path& path, const WriteOps& ops = WriteOps::system()) {
  return writeServerList(path, sampleTable(), saveConfig(), fixedRandom, ops);
}

}  // namespace sci::test
