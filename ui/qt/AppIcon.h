#pragma once

#include <QIcon>

namespace sci {

// The application icon in 16 x 16 and 32 x 32, drawn at build time.
QIcon appIcon();

}  // namespace sci
