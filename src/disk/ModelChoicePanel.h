#pragma once

#include <QRadioButton>
#include <QWidget>

namespace velarium {

class Program;
struct DiskShared;

// The panel "DIALEGO" beside the rotating-disk screen: the disk keeps its angular velocity, or it
// turns freely so that disk and body keep their angular momentum. Sets omegaVariable.
class ModelChoicePanel : public QWidget {
    Q_OBJECT
public:
    // The choice is kept in disk, where the disk and energy screens read it.
    ModelChoicePanel(Program& program, DiskShared& disk);

    QRadioButton* STATHERIGON;
    QRadioButton* MHSTATHERIGON;

private:
    void DIALEGO_STATHERIGON_Click();
    void DIALEGO_MHSTATHERIGON_Click();

    Program& program_;
    DiskShared& disk_;
};

}  // namespace velarium
