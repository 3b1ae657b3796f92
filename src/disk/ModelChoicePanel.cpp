#include "disk/ModelChoicePanel.h"

#include <algorithm>

#include "disk/RotatingDiskScreen.h"
#include "shell/Controls.h"
#include "shell/Program.h"
#include "shell/Twips.h"

namespace velarium {

ModelChoicePanel::ModelChoicePanel(Program& program) : program_(program) {
    setFont(font());
    STATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR VELOCITY"), this);
    STATHERIGON->setObjectName(QStringLiteral("STATHERIGON"));
    STATHERIGON->setChecked(true);
    MHSTATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR MOMENTUM"), this);
    MHSTATHERIGON->setObjectName(QStringLiteral("MHSTATHERIGON"));
    // The captions need the room of their text in the font at hand.
    auto wide = [](QRadioButton* b, double designed) {
        return std::max(designed, 15.0 * b->sizeHint().width());
    };
    const double width1 = wide(STATHERIGON, 2775);
    const double width2 = wide(MHSTATHERIGON, 3015);
    placeTwips(*STATHERIGON, 0, 480, width1, 495);
    placeTwips(*MHSTATHERIGON, 0, 1080, width2, 615);
    const double designedWidth = std::max(3255.0, width2 + 240);
    new TwipScaler(*this, designedWidth, 1995);
    resize(twips(designedWidth), twips(1995));
    onChosen(STATHERIGON, this, [this] { DIALEGO_STATHERIGON_Click(); });
    onChosen(MHSTATHERIGON, this, [this] { DIALEGO_MHSTATHERIGON_Click(); });
}

void ModelChoicePanel::DIALEGO_STATHERIGON_Click() {
    program_.disk().params.omegaVariable = 0;
    auto& disk = program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.Check6->hide();
    disk.updateDiskMessage();
}

void ModelChoicePanel::DIALEGO_MHSTATHERIGON_Click() {
    program_.disk().params.omegaVariable = 1;
    auto& disk = program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.Check6->setVisible(disk.Option1->isChecked());
    disk.updateDiskMessage();
}

}  // namespace velarium
