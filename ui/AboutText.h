#pragma once
// What the About box says, for both front ends; the Windows template takes
// the same texts from DialogResources.h.

#include "ui/DialogResources.h"

namespace sci {

inline constexpr const char* kAboutCaption = SCIEDIT_ABOUT_CAPTION;
inline constexpr const char* kAboutMenuText = SCIEDIT_ABOUT_MENU_TEXT;
inline constexpr const char* kAboutVersionText = SCIEDIT_ABOUT_VERSION_TEXT;
inline constexpr const char* kAboutNotice = SCIEDIT_ABOUT_NOTICE_TEXT;

}  // namespace sci
