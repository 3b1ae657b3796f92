#include "widgets/ProjectorColours.h"

#include "draw/CanvasWidget.h"
#include "widgets/ScreenRegistry.h"
#include "widgets/Settings.h"

namespace velarium {

namespace {
const QString kKey = QStringLiteral("canvas/projectorColours");

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

void ProjectorColours::setZoom(double zoom) {
    zoom_ = zoom;
    apply();
}

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
