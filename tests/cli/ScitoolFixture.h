#pragma once
// Runs the real scitool executable in a temporary working directory and
// makes the files it works on through the data layer.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"

namespace sci::test {

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Values of the configuration every fixture starts with.
inline constexpr std::uint16_t kValue16 = 0x1234;
inline constexpr std::uint32_t kValue32 = 0xA1B2C3D4;
inline constexpr std::uint8_t kValue8 = 0x7E;

class ScitoolTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Arguments after the program name; stdinText is fed to standard input.
  RunResult run(const std::vector<std::string>& args, const std::string& stdinText = "") const;

  // Where the next runs send standard output instead of a file the test
  // reads back (RunResult::out then stays empty), e.g. "/dev/full".
  std::string stdoutTarget;

  std::filesystem::path path(const std::string& name) const { return dir_ / name; }
  void writeBytes(const std::string& name, std::span<const std::uint8_t> bytes) const;
  void writeText(const std::string& name, const std::string& text) const;
  std::vector<std::uint8_t> readBytes(const std::string& name) const;
  std::string readText(const std::string& name) const;

  // The device configuration, by default under its usual name in the working
  // directory, with the values above.
  void writeConfig(const std::string& name = kDeviceConfigFileName) const;
  DeviceConfig config() const;
  // A server list file as the editor writes it (fixed preamble bytes 24..25).
  void writeList(const std::string& name, const ServerTable& table) const;
  // Decodes a server list file the tool wrote; fails the test if it is bad.
  ServerTable readList(const std::string& name) const;

 private:
  std::filesystem::path dir_;
};

// A table with a few typical entries (positions 1, 3 and 20 used).
ServerTable sampleTable();

// An entry stored as the editor stores a form, starting from an empty slot.
ServerEntry editorStored(std::string_view server, std::uint32_t port, std::string_view keyText,
                         std::string_view userName, std::string_view password);

std::string hex(std::span<const std::uint8_t> bytes);
std::span<const std::uint8_t> entryBytes(const ServerEntry& entry);

}  // namespace sci::test
