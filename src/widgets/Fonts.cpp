#include "widgets/Fonts.h"

namespace velarium {

void installFontSubstitutions() {
    for (const char* family : {"Times New Roman Greek", "times new roman greek", "Times New Roman"})
        QFont::insertSubstitution(QString::fromLatin1(family), QString::fromLatin1(kSerifFace));
}

QFont timesGreek(double pointSize) {
    QFont f(QStringLiteral("Times New Roman Greek"));
    f.setPointSizeF(pointSize);
    return f;
}

}  // namespace velarium
