#include "widgets/Settings.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace velarium {

std::optional<QSettings> openSettings() {
    const QString path =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/velarium/velarium.conf");
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) return std::nullopt;
    return std::optional<QSettings>(std::in_place, path, QSettings::IniFormat);
}

}  // namespace velarium
