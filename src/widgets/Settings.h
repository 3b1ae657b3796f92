#pragma once

#include <QSettings>
#include <optional>

namespace velarium {

// The person's own settings file (projector colours, the program's zoom), whatever the
// application object is called. It is read and written only while it is a regular file or
// absent: anything else in its place (a FIFO that would hold the start for ever, a device, a
// folder) is left alone, and nothing is remembered.
std::optional<QSettings> openSettings();

}  // namespace velarium
