#pragma once
// How much the user may type into each field, and how short a field may be
// before the editor refuses to store the entry. The editor, the dialog,
// scitool's import and the test views all take their limits from here.

#include <cstddef>

#include "data/ServerEntry.h"

namespace sci {

// Typing limits of the edit fields. The server's equals its storage; the
// user name's and password's are tighter than theirs.
inline constexpr std::size_t kServerMaxLength = kServerCapacity - 1;  // 31
inline constexpr std::size_t kKeyTextMaxLength = kKeyTextLength;      // 41
inline constexpr std::size_t kUserNameMaxLength = 12;
inline constexpr std::size_t kPasswordMaxLength = 11;

// A port field is read from its first characters only.
inline constexpr std::size_t kPortTextReadLength = 31;

// The editor's validation: shorter fields are not stored.
inline constexpr std::size_t kServerMinLength = 8;
inline constexpr std::size_t kUserNameMinLength = 1;
inline constexpr std::size_t kPasswordMinLength = 4;

static_assert(kUserNameMaxLength < kUserNameCapacity);
static_assert(kPasswordMaxLength < kPasswordCapacity);

}  // namespace sci
