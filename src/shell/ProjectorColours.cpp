#include "shell/ProjectorColours.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <optional>

#include "draw/CanvasWidget.h"
#include "shell/ScreenRegistry.h"

namespace velarium {

namespace {
const QString kKey = QStringLiteral("canvas/projectorColours");

// The program's own settings file, whatever the application object is called. It is read and
// written only while it is a regular file (or absent): anything else in its place (a FIFO that
// would hold the start for ever, a device, a folder) is left alone.
std::optional<QSettings> openSettings() {
    const QString path =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/velarium/velarium.conf");
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) return std::nullopt;
    return std::optional<QSettings>(std::in_place, path, QSettings::IniFormat);
}

void showProfileIn(QWidget& screen, ColourProfile profile) {
    for (CanvasWidget* c : screen.findChildren<CanvasWidget*>()) c->setProfile(profile);
}
}  // namespace

ProjectorColours::ProjectorColours(ScreenRegistry& screens)
    : screens_(screens), action_(new QAction(QStringLiteral("Projector Colours"), this)) {
    action_->setObjectName(QStringLiteral("projectorColours"));
    action_->setCheckable(true);
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(action_, &QAction::toggled, this, [this] { apply(); });
    // Only a person's choice through the action is remembered, not a start with --projector.
    connect(action_, &QAction::triggered, this,
            [](bool checked) {
                if (auto settings = openSettings()) settings->setValue(kKey, checked);
            });
}

void ProjectorColours::setOn(bool on) { action_->setChecked(on); }

void ProjectorColours::adopt(QWidget& screen) const {
    screen.addAction(action_);
    showProfileIn(screen, profile());
}

void ProjectorColours::apply() const {
    for (const ScreenInfo& info : allScreens())
        if (screens_.exists(info.id)) showProfileIn(screens_.get(info.id), profile());
}

bool ProjectorColours::remembered() {
    const auto settings = openSettings();
    return settings && settings->value(kKey).toBool();
}

}  // namespace velarium
