#pragma once
// The list positions as the user counts them: one per entry, from 1.

#include "data/ServerEntry.h"

namespace sci {

inline constexpr int kFirstPosition = 1;
inline constexpr int kLastPosition = kFirstPosition + static_cast<int>(kEntryCount) - 1;  // 20

}  // namespace sci
