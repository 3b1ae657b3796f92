#include "disk/ModelChoicePanel.h"

#include <QVBoxLayout>

#include "disk/RotatingDiskScreen.h"
#include "widgets/Controls.h"
#include "widgets/Program.h"
#include "widgets/Twips.h"

namespace velarium {

ModelChoicePanel::ModelChoicePanel(Program& program, DiskShared& disk)
    : program_(program), disk_(disk) {
    STATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR VELOCITY"), this);
    STATHERIGON->setObjectName(QStringLiteral("STATHERIGON"));
    STATHERIGON->setChecked(true);
    MHSTATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR MOMENTUM"), this);
    MHSTATHERIGON->setObjectName(QStringLiteral("MHSTATHERIGON"));
    // The two options one under the other, each with the room its caption needs in the font at
    // hand, at every zoom and pixel ratio; the panel keeps at least its designed size.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, twips(480), twips(240), twips(240));
    column->setSpacing(twips(105));
    column->addWidget(STATHERIGON);
    column->addWidget(MHSTATHERIGON);
    column->addStretch();
    column->setSizeConstraint(QLayout::SetMinimumSize);
    resize(sizeHint().expandedTo(QSize(twips(3255), twips(1995))));
    onChosen(STATHERIGON, this, [this] { DIALEGO_STATHERIGON_Click(); });
    onChosen(MHSTATHERIGON, this, [this] { DIALEGO_MHSTATHERIGON_Click(); });
}

void ModelChoicePanel::DIALEGO_STATHERIGON_Click() {
    disk_.omegaVariable = 0;
    auto& disk = program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.Check6->hide();
    disk.updateDiskMessage();
}

void ModelChoicePanel::DIALEGO_MHSTATHERIGON_Click() {
    disk_.omegaVariable = 1;
    auto& disk = program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.Check6->setVisible(disk.Option1->isChecked());
    disk.updateDiskMessage();
}

}  // namespace velarium
