#include <windows.h>

#include <type_traits>

#include "data/SystemFile.h"

namespace sci {

static_assert(std::is_same_v<NativeFile, HANDLE>);

bool closeNativeFile(NativeFile file, int& error) {
  if (::CloseHandle(file)) return true;
  error = static_cast<int>(::GetLastError());
  return false;
}

}  // namespace sci
