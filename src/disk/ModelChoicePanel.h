#pragma once

#include <QRadioButton>
#include <QWidget>

namespace velarium {

class Program;

// The panel "DIALEGO" beside the rotating-disk screen: the disk keeps its angular velocity, or it
// turns freely so that disk and body keep their angular momentum. Sets omegaVariable.
class ModelChoicePanel : public QWidget {
    Q_OBJECT
public:
    explicit ModelChoicePanel(Program& program);

    QRadioButton* STATHERIGON;
    QRadioButton* MHSTATHERIGON;

private:
    void DIALEGO_STATHERIGON_Click();
    void DIALEGO_MHSTATHERIGON_Click();

    Program& program_;
};

}  // namespace velarium
