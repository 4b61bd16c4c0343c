// scitool.exe carries what Explorer's Details tab and the loader read: a
// version from project(VERSION), and a manifest that lets it use paths
// past 260 characters and keeps it out of compatibility modes.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace sci::test {
namespace {

// The program as data, never started.
class ProgramResources {
 public:
  explicit ProgramResources(const std::filesystem::path& program)
      : module_(::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramResources() {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;

  bool loaded() const { return module_ != nullptr; }

  std::vector<BYTE> bytes(LPCWSTR type, LPCWSTR name) const {
    const HRSRC found = ::FindResourceW(module_, name, type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module_, found)));
    return std::vector<BYTE>(data, data + ::SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

TEST(ScitoolResources, VersionIsTheProjectsVersion) {
  ProgramResources program(SCITOOL_PATH);
  ASSERT_TRUE(program.loaded()) << ::GetLastError();
  std::vector<BYTE> block =
      program.bytes(MAKEINTRESOURCEW(16) /* RT_VERSION */, MAKEINTRESOURCEW(VS_VERSION_INFO));
  ASSERT_FALSE(block.empty());
  block.resize(block.size() * 2);  // VerQueryValue wants room to work in

  unsigned parts[4] = {};
  std::istringstream version(SCIEDIT_PROJECT_VERSION);
  char dot = 0;
  version >> parts[0] >> dot >> parts[1] >> dot >> parts[2] >> dot >> parts[3];
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, parts[0] << 16 | parts[1]);
  EXPECT_EQ(fixed->dwFileVersionLS, parts[2] << 16 | parts[3]);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

  const std::wstring expected(std::begin(SCIEDIT_PROJECT_VERSION),
                              std::end(SCIEDIT_PROJECT_VERSION) - 1);
  const struct {
    const wchar_t* key;
    std::wstring value;
  } strings[] = {
      {L"\\StringFileInfo\\040904B0\\FileVersion", expected},
      {L"\\StringFileInfo\\040904B0\\ProductVersion", expected},
      {L"\\StringFileInfo\\040904B0\\OriginalFilename", L"scitool.exe"},
      {L"\\StringFileInfo\\040904B0\\ProductName", L"sciedit"},
  };
  for (const auto& s : strings) {
    wchar_t* value = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), s.key, reinterpret_cast<void**>(&value), &length))
        << std::filesystem::path(s.key).string();
    EXPECT_EQ(std::wstring(value), s.value) << std::filesystem::path(s.key).string();
  }
}

TEST(ScitoolResources, ManifestAsksForLongPathsAndNoElevation) {
  ProgramResources program(SCITOOL_PATH);
  ASSERT_TRUE(program.loaded()) << ::GetLastError();
  // 1: CREATEPROCESS_MANIFEST_RESOURCE_ID, the manifest Windows reads at start.
  const std::vector<BYTE> bytes =
      program.bytes(MAKEINTRESOURCEW(24) /* RT_MANIFEST */, MAKEINTRESOURCEW(1));
  const std::string manifest(bytes.begin(), bytes.end());
  ASSERT_FALSE(manifest.empty());
  const char* wanted[] = {
      ">true</longPathAware>",
      "level=\"asInvoker\"",
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
  };
  for (const char* text : wanted) EXPECT_NE(manifest.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace sci::test
