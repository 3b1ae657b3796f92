#include "intro/IntroductionScreen.h"

#include <QFontMetrics>
#include <algorithm>

#include "intro/IntroPictures.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"

namespace velarium {

namespace {
// The three texts: the textbook's answer, the difficulty with it, and the circular argument.
const char* const kIntroTexts[3] = {
    "Teachers often encounter difficulties explaining the motion in a rotating frame. One of these "
    "difficulties deals with the subject of centripetal force.   Teachers need to address the "
    "question:  «What is the force that acts as a centripetal force for a body lying on a "
    "turntable?» Usually teachers and textbooks offer the following suggestion: The friction "
    "between the body and the turntable acts as the centripetal force :",
    " There are some difficculties with this 'explanation'. If  the body at (0,A) starts a sliding "
    "motion, the initial speed v=Aω will be perpendicular to the radius (0,A). Why friciton is not "
    "directed to -v?",
    "Some teachers offer this 'cyclical argument': if the friction does not follow this direction "
    "then there will be no cyclical motion",
};
const char* const kIntroTextNames[3] = {"What textbooks say", "The difficulty",
                                        "The cyclical argument"};
constexpr double kIntroTextSizes[3] = {12, 14, 12};
}  // namespace

IntroductionScreen::IntroductionScreen(Program& program, IntroductionWays ways)
    : ways_(std::move(ways)) {
    buildControls();
    setGeometry(Program::display());
    layoutControls();
    load();
    canvasActions = new CanvasActions(program, *this, {Picture1});
    canvasActions->setData(
        {}, {},
        QStringLiteral("The introduction shows a picture only: it computes no run to export."));
}

void IntroductionScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
    drawPicture();
}

void IntroductionScreen::buildControls() {
    for (int i = 0; i < 3; ++i) {
        Text1[i] = named(new QPlainTextEdit(this), "Text1", kIntroTextNames[i]);
        Text1[i]->setProperty("index", i);
        Text1[i]->setReadOnly(true);
    }
    Picture1 = named(new CanvasWidget(this), "Picture1", "Turntable picture");
    Picture1->setBackColor(kWhite);

    Command1 = named(
        new QPushButton(QStringLiteral("PRESS THE BUTTON TO SEE THE NEXT EXPLANATION "), this),
        "Command1");
    Command1->setFont(QFont(QStringLiteral("Arial")));
    Command2 = named(new QPushButton(QStringLiteral("SIMULATION"), this), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("ROTATING FRAME"), this), "Command3");

    connect(Command1, &QPushButton::clicked, this, [this] { EISAGOGIKI_Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { EISAGOGIKI_Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { EISAGOGIKI_Command3_Click(); });
}

// The whole window, which opens over the whole display: the square picture on the left, the
// texts in reading order on the right with the buttons under them.
void IntroductionScreen::layoutControls() {
    const QRect d = rect();
    const int gap = 12;
    int widest = 0;
    for (QPushButton* b : {Command1, Command3, Command2})
        widest = std::max(widest, b->sizeHint().width());
    // The picture leaves the column at least the width of the widest button's caption.
    const int side = std::max(
        std::min({d.height() - 2 * gap, d.width() / 2 - gap, d.width() - 3 * gap - widest}), 120);
    Picture1->setGeometry(gap, gap, side, side);

    const int x = 2 * gap + side;
    const int width = std::max(d.width() - x - gap, 120);
    int buttons = 0;
    for (QPushButton* b : {Command1, Command3, Command2})
        buttons += std::max(b->sizeHint().height(), 32) + gap / 2;
    int heights[3];
    int texts = 0;
    for (int i = 0; i < 3; ++i) {
        Text1[i]->setFont(timesGreek(kIntroTextSizes[i] * zoomOf(*this)));
        // Tall enough for the whole text at this width, with the box's frame and margins.
        const QFontMetrics fm(Text1[i]->font());
        const int inner = width - 2 * Text1[i]->frameWidth() - 12;
        heights[i] = fm.boundingRect(QRect(0, 0, inner, 100000), Qt::TextWordWrap,
                                     QString::fromUtf8(kIntroTexts[i]))
                         .height() +
                     2 * Text1[i]->frameWidth() + 16;
        texts += heights[i];
    }
    // Where the whole texts and the buttons would run below the window (a large zoom on a small
    // display), the boxes share the room left above the buttons and scroll.
    const int room = d.height() - 4 * gap - buttons;
    const double share = texts > room ? std::max(room, 3 * gap) / static_cast<double>(texts) : 1.0;
    int y = gap;
    for (int i = 0; i < 3; ++i) {
        const int height = std::max(static_cast<int>(heights[i] * share), gap);
        Text1[i]->setGeometry(x, y, width, height);
        y += height + gap;
    }
    for (QPushButton* b : {Command1, Command3, Command2}) {
        const int height = std::max(b->sizeHint().height(), 32);
        b->setGeometry(x, y, width, height);
        y += height + gap / 2;
    }
}

void IntroductionScreen::load() {
    for (int i = 0; i < 3; ++i) Text1[i]->setPlainText(QString::fromUtf8(kIntroTexts[i]));
    drawPicture();
}

void IntroductionScreen::drawPicture() {
    // The picture's texts grow with it, so that they keep their places beside the arrows.
    QFont font = timesGreek(8.25);
    font.setPixelSize(std::max(11, Picture1->width() / 42));
    Picture1->setFont(font);
    setTurntableScale(*Picture1);
    Picture1->setPersistent(true);
    // Arrows a class can see from the back of the room.
    Picture1->setDrawWidth(2);
    Picture1->clear();
    drawIntroductionPicture(*Picture1);
}

void IntroductionScreen::EISAGOGIKI_Command1_Click() { ways_.firstExplanation(); }

void IntroductionScreen::EISAGOGIKI_Command2_Click() { ways_.simulation(); }

void IntroductionScreen::EISAGOGIKI_Command3_Click() { ways_.rotatingDisk(); }

}  // namespace velarium
