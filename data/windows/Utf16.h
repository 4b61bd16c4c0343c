#pragma once
// The one place where the Windows programs turn the core's UTF-8 into the
// UTF-16 of the W functions and back.

#include <string>
#include <string_view>

namespace sci::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace sci::win32
