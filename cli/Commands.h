#pragma once
// The subcommands of scitool. Each prints its result on stdout, reports a
// failure as "scitool: <file>: <reason>" on stderr and returns the exit code.

#include <string>
#include <vector>

#include "data/DeviceConfig.h"

namespace sci {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // a bad file or a refused input
inline constexpr int kExitUsage = 2;

struct ShowOptions {
  std::string path;
  bool json = false;
  bool showPasswords = false;
};

struct CheckOptions {
  std::vector<std::string> paths;  // checked first, in order
  std::string filesFrom;           // a list of names, "-" for standard input; "" for none
  bool nulSeparated = false;       // names in filesFrom end in NUL instead of newline
};

struct ImportOptions {
  std::string input;  // "-" reads standard input
  std::string configPath = kDeviceConfigFileName;
  std::string output;
};

struct ConfigCreateOptions {
  std::string title;
  std::string value16;
  std::string value32;
  std::string value8;
  std::string output;
};

int runShow(const ShowOptions& options);
int runCheck(const CheckOptions& options);
int runExport(const std::string& path, const std::string& output);  // "" or "-": stdout
int runImport(const ImportOptions& options);
int runConfigShow(const std::string& path, bool json);
int runConfigCreate(const ConfigCreateOptions& options);

void reportFailure(const std::string& file, const std::string& reason);

}  // namespace sci
