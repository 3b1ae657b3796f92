#include "app/FactorRows.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/FirstStepScreen.h"

namespace velarium {

namespace {

struct FactorRow {
    QScrollBar* bar;
    QLabel* readOut;
    double barWidth;
    double barHeight;
};

std::array<FactorRow, 4> factorRows(const FirstStepScreen& s) {
    return {{{s.syxnotikamp, s.Label2, 975, 375},
             {s.epitaxyno, s.Label3, 975, 375},
             {s.platosvalue, s.Label1, 255, 735},
             {s.arxikives, s.Label4, 255, 735}}};
}

constexpr double kBarsWidth = 975;  // the widest bar; the read-outs line up after it
constexpr double kBeside = 90;      // between a bar and its read-out
constexpr double kBetween = 60;     // between rows

// The height in twips of a read-out's text at the width, in its present font: the screen's
// layout factor turns pixels into twips.
double textHeight(const FirstStepScreen& s, const QLabel& readOut, double width) {
    const double factor = s.scaler->factor();
    const int pixels = static_cast<int>(std::floor(width / 15.0 * factor));
    const QRect r = QFontMetrics(readOut.font())
                        .boundingRect(QRect(0, 0, std::max(pixels, 1), 100000),
                                      Qt::TextWordWrap | Qt::TextWrapAnywhere,
                                      readOut.text() + QStringLiteral("88"));
    return (r.height() + 1) / factor * 15.0;
}

double rowHeight(const FirstStepScreen& s, const FactorRow& row, double readOutWidth) {
    return std::max(row.barHeight, textHeight(s, *row.readOut, readOutWidth));
}

}  // namespace

double factorRowsHeight(const FirstStepScreen& screen, double readOutWidth) {
    double height = 0;
    for (const FactorRow& row : factorRows(screen))
        height += rowHeight(screen, row, readOutWidth) + kBetween;
    return height - kBetween;
}

void placeFactorRows(FirstStepScreen& screen, double left, double top, double readOutWidth) {
    for (const FactorRow& row : factorRows(screen)) {
        const double high = rowHeight(screen, row, readOutWidth);
        placeTwips(*row.bar, left, top, row.barWidth, row.barHeight);
        placeTwips(*row.readOut, left + kBarsWidth + kBeside, top, readOutWidth, high);
        top += high + kBetween;
    }
}

}  // namespace velarium
