#include "disk/ModelChoicePanel.h"

#include <algorithm>

#include "disk/RotatingDiskScreen.h"
#include "shell/Program.h"
#include "shell/Twips.h"

namespace velarium {

ModelChoicePanel::ModelChoicePanel(Program& program) : program_(program) {
    STATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR VELOCITY"), this);
    STATHERIGON->setObjectName(QStringLiteral("STATHERIGON"));
    placeTwips(*STATHERIGON, 0, 480, 2775, 495);
    STATHERIGON->setChecked(true);
    MHSTATHERIGON = new QRadioButton(QStringLiteral("CONSTANT ANGULAR MOMENTUM"), this);
    MHSTATHERIGON->setObjectName(QStringLiteral("MHSTATHERIGON"));
    placeTwips(*MHSTATHERIGON, 0, 1080, 3015, 615);
    // The captions need the room of their text in the font at hand.
    for (QRadioButton* b : {STATHERIGON, MHSTATHERIGON})
        b->resize(std::max(b->width(), b->sizeHint().width()), b->height());
    resize(std::max(twips(3255), MHSTATHERIGON->width() + twips(240)), twips(1995));
    connect(STATHERIGON, &QRadioButton::clicked, this, [this] { DIALEGO_STATHERIGON_Click(); });
    connect(MHSTATHERIGON, &QRadioButton::clicked, this,
            [this] { DIALEGO_MHSTATHERIGON_Click(); });
}

void ModelChoicePanel::DIALEGO_STATHERIGON_Click() {
    program_.disk().params.omegaVariable = 0;
    program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2).Check6->hide();
}

void ModelChoicePanel::DIALEGO_MHSTATHERIGON_Click() {
    program_.disk().params.omegaVariable = 1;
    auto& disk = program_.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.Check6->setVisible(disk.Option1->isChecked());
}

}  // namespace velarium
