#pragma once

#include <QImage>

namespace sci {

// The application icon, a small rack of servers, drawn for size x size pixels.
QImage paintAppIcon(int size);

}  // namespace sci
