#pragma once

#include <QString>

namespace sci {

// The running executable's file name without folder and extension; the
// caption of every message box that names no other.
QString applicationName();

}  // namespace sci
