#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "curve/LabAnimation.h"
#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
constexpr Rgb kRed{255, 0, 0};

RecordingCanvas labCanvas() {
    RecordingCanvas c(305, 257);
    c.setScale(0, 10, 20, -10);
    return c;
}

bool hasText(const RecordingCanvas& c, const std::string& t) {
    const auto texts = c.texts();
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

bool anyTextHas(const RecordingCanvas& c, const std::string& part) {
    for (const auto& t : c.texts())
        if (t.find(part) != std::string::npos) return true;
    return false;
}

TEST(LabTimerStep, TheBodyRunsTheDistanceAlongThePath) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({});
    for (int n = 1; n <= 40; ++n) {
        ASSERT_FALSE(labTimerStep(canvas, lab, s, 1));
        const double t = 0.05 * n;
        EXPECT_DOUBLE_EQ(lab.labTimeTable[n], t);
        // s(x) = v₀·t + ½·at·t² to the inverse's tolerance.
        EXPECT_NEAR(pathLength(s, lab.labTrailX[n]), 3 * t + t * t, 1e-6) << n;
        EXPECT_NEAR(lab.labTrailY[n], 2 * std::sin(s.omega * lab.labTrailX[n]), 1e-12);
    }
    EXPECT_EQ(lab.labTick, 40);
    EXPECT_TRUE(hasText(canvas, "β = 0.26"));
    EXPECT_EQ(canvas.refusedCount(), 0);
}

TEST(LabTimerStep, ArrowsOfAnEventAndTheirErasure) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({});
    labTimerStep(canvas, lab, s, 1);
    const LabPrevArrows p = lab.labPrevArrows;
    // v = v₀ + at·t along the tangent; both acceleration parts at half value.
    EXPECT_NEAR(std::hypot(p.vx, p.vy), 3 + 2 * 0.05, 1e-12);
    EXPECT_NEAR(std::hypot(p.tx, p.ty), 1, 1e-12);
    canvas.forget();
    labTimerStep(canvas, lab, s, 1);
    const auto lines = canvas.recordsOf(Kind::Line);
    ASSERT_GE(lines.size(), 12u);
    // The previous velocity and total acceleration again, white and three pixels wide.
    EXPECT_EQ(lines[0].colour, kWhite);
    EXPECT_EQ(lines[0].width, 3);
    EXPECT_NEAR(lines[0].x1, p.x, 1e-12);
    EXPECT_NEAR(lines[0].x2, p.x + p.vx, 1e-12);
    EXPECT_NEAR(lines[3].y2, p.y + p.ty + p.cy, 1e-12);
    EXPECT_EQ(lines[6].colour, kRed);
    EXPECT_EQ(lines[6].width, 1);
    EXPECT_EQ(lines[9].colour, (Rgb{0, 25, 155}));
}

TEST(LabTimerStep, MarksAndReadoutsEverySixtyEvents) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({20, 1, 1, 0});  // slow enough to stay on the canvas
    for (int n = 0; n < 120; ++n) labTimerStep(canvas, lab, s, 1);
    EXPECT_TRUE(hasText(canvas, "Ds =3.00 t =3.00"));
    EXPECT_TRUE(hasText(canvas, "Ds = 1.00 X3.00 t = 6.00"));
    // Red marks three pixels wide at events 0, 60 and 120.
    int marks = 0;
    for (const auto& p : canvas.recordsOf(Kind::Point))
        if (p.colour == kRed && p.width == 3) ++marks;
    EXPECT_GE(marks, 1);
    canvas.clear();
    lab.canvasChanged();
    labTimerStep(canvas, lab, s, 1);
    marks = 0;
    for (const auto& p : canvas.recordsOf(Kind::Point))
        if (p.colour == kRed && p.width == 3) ++marks;
    EXPECT_EQ(marks, 3);
}

// At the default sliders the first read-out falls near the right edge, where the path climbs.
// The first read-out gives the distance s = v₀·t + ½·at·t² covered in the first interval; each
// later one the distance of its own interval in units of the first. Marks past the canvas's right
// edge get no read-out.
TEST(LabTimerStep, ReadoutsMeasureEachIntervalAgainstTheFirst) {
    struct Case {
        std::array<int, 4> sliders;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {{20, 15, 3, 20}, {"Ds =18.00 t =3.00"}},
        {{20, 1, 1, 2},
         {"Ds =3.90 t =3.00", "Ds = 1.46 X3.90 t = 6.00", "Ds = 1.92 X3.90 t = 9.00"}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas = labCanvas();
        LabAnimation lab;
        const auto [a, f, v, t] = c.sliders;
        const CurveSettings s = curveSettings({a, f, v, t});
        for (int n = 0; n < 600 && !labTimerStep(canvas, lab, s, 1); ++n) {
        }
        std::vector<std::string> readouts;
        for (const std::string& text : canvas.texts())
            if (text.rfind("Ds =", 0) == 0) readouts.push_back(text);
        EXPECT_EQ(readouts, c.texts);
    }
}

TEST(LabTimerStep, ReadoutIsWholeAndClearOfTheTrail) {
    for (int slider : {15, 1}) {
        RecordingCanvas canvas = labCanvas();
        LabAnimation lab;
        const CurveSettings s = curveSettings({20, slider, 3, 20});
        for (int n = 0; n < 61; ++n) labTimerStep(canvas, lab, s, 1);
        const auto& texts = canvas.printedTexts();
        const auto readout = std::find_if(texts.begin(), texts.end(), [](const PrintedText& t) {
            return t.text.rfind("Ds =", 0) == 0;
        });
        ASSERT_NE(readout, texts.end()) << slider;
        EXPECT_EQ(readout->text, "Ds =" + formatFixed(lab.labDistTable[60], 2) + " t =3.00");
        EXPECT_TRUE(readout->left >= 0 && readout->right <= 1 && readout->top >= 0 &&
                    readout->bottom <= 1)
            << readout->text;
        // No point of the path under the text.
        for (int k = 0; k <= 2000; ++k) {
            const double x = 0.01 * k, y = s.amplitude * std::sin(s.omega * x);
            const double fx = x / 20, fy = (10 - y) / 20;
            EXPECT_FALSE(fx > readout->left && fx < readout->right && fy > readout->top &&
                         fy < readout->bottom)
                << "path at x " << x;
        }
    }
}

TEST(LabTimerStep, ReadoutsNeverMeetAtAnySliderSetting) {
    int runs = 0;
    for (int amplitude : {1, 35})
        for (int frequency : {1, 30, 60})
            for (int speed : {0, 1, 5})
                for (int tangential : {0, 8, 35}) {
                    // The lab's canvas on the screen, to the last event that draws.
                    RecordingCanvas canvas(640, 640);
                    canvas.setScale(0, 10, 20, -10);
                    LabAnimation lab;
                    const CurveSettings s =
                        curveSettings({amplitude, frequency, speed, tangential});
                    for (int n = 0;
                         n < LabAnimation::kLastDrawnEvent && !labTimerStep(canvas, lab, s, 1);
                         ++n) {
                    }
                    std::vector<PrintedText> readouts;
                    for (const PrintedText& t : canvas.printedTexts())
                        if (t.text != "β = " + formatFixed(s.omega, 2)) readouts.push_back(t);
                    for (std::size_t i = 0; i < readouts.size(); ++i) {
                        const PrintedText& a = readouts[i];
                        // A quarter of a line clear of the edges, which the focus ring covers.
                        const double my = 0.2 * (a.bottom - a.top), mx = my;  // a square canvas
                        EXPECT_TRUE(a.left >= mx && a.right <= 1 - mx && a.top >= my &&
                                    a.bottom <= 1 - my)
                            << a.text;
                        for (std::size_t j = i + 1; j < readouts.size(); ++j) {
                            const PrintedText& b = readouts[j];
                            EXPECT_TRUE(a.right <= b.left || b.right <= a.left ||
                                        a.bottom <= b.top || b.bottom <= a.top)
                                << a.text << " meets " << b.text << " at A " << amplitude
                                << " frequency " << frequency << " speed " << speed << " at "
                                << tangential;
                        }
                    }
                    ++runs;
                }
    EXPECT_EQ(runs, 54);
}

// The texts and places a run keeps for its read-outs are the ones formed and found from scratch,
// also after the scale, the path, an earlier mark or its figures changed between two events.
TEST(LabTimerStep, KeptReadoutPlacesAreTheOnesFoundAfresh) {
    using Change = std::function<void(RecordingCanvas&, LabAnimation&, CurveSettings&)>;
    const std::pair<const char*, Change> changes[] = {
        {"nothing", [](RecordingCanvas&, LabAnimation&, CurveSettings&) {}},
        {"scale",
         [](RecordingCanvas& c, LabAnimation&, CurveSettings&) { c.setScale(0, 8, 16, -8); }},
        {"path", [](RecordingCanvas&, LabAnimation&, CurveSettings& s) { s.amplitude = 1.2; }},
        {"earlier mark",
         [](RecordingCanvas&, LabAnimation& lab, CurveSettings&) { lab.labTrailY[120] += 2.5; }},
        {"earlier figure",
         [](RecordingCanvas&, LabAnimation& lab, CurveSettings&) { lab.labDistTable[120] += 5; }},
    };
    for (const auto& [what, change] : changes) {
        RecordingCanvas kept = labCanvas(), fresh = labCanvas();
        LabAnimation lab;
        CurveSettings s = curveSettings({20, 1, 1, 0});  // slow: the read-outs crowd
        for (int n = 0; n < 400; ++n) labTimerStep(kept, lab, s, 1);
        ASSERT_EQ(lab.readoutPlaces.marks.size(), 6u);
        change(kept, lab, s);
        change(fresh, lab, s);
        LabAnimation anew = lab;
        anew.readoutTexts.clear();
        anew.readoutPlaces = {};
        kept.clear();
        lab.canvasChanged();
        anew.canvasChanged();
        labTimerStep(kept, lab, s, 1);
        labTimerStep(fresh, anew, s, 1);
        const auto& a = kept.printedTexts();
        const auto& b = fresh.printedTexts();
        ASSERT_EQ(a.size(), b.size()) << what;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].text, b[i].text) << what;
            EXPECT_EQ(a[i].x, b[i].x) << what << " " << a[i].text;
            EXPECT_EQ(a[i].y, b[i].y) << what << " " << a[i].text;
        }
    }
}

TEST(LabTimerStep, AtRestNoRatioIsPrinted) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({20, 15, 0, 0});
    for (int n = 0; n < 200; ++n) EXPECT_FALSE(labTimerStep(canvas, lab, s, 1));
    EXPECT_NEAR(lab.labTrailX[200], 0, 1e-9);
    EXPECT_TRUE(hasText(canvas, "Ds =0.00 t =3.00"));
    EXPECT_TRUE(hasText(canvas, " t = 6.00"));
    EXPECT_FALSE(anyTextHas(canvas, "inf"));
    EXPECT_FALSE(anyTextHas(canvas, "nan"));
    // A zero velocity draws no arrow.
    for (const auto& l : canvas.recordsOf(Kind::Line)) EXPECT_NE(l.colour, kRed);
    EXPECT_EQ(canvas.refusedCount(), 0);
}

TEST(LabTimerStep, StopsOncePastThirty) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({});
    int events = 0;
    while (!labTimerStep(canvas, lab, s, 1)) ASSERT_LT(++events, 2500);
    EXPECT_GT(lab.labTrailX[lab.labTick], 30);
    EXPECT_LE(lab.labTrailX[lab.labTick - 1], 30);
}

TEST(LabTimerStep, LateEventsDrawNothingAndTheTablesHoldTheirEnds) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({20, 15, 0, 0});
    for (int n = 0; n < 2500; ++n) labTimerStep(canvas, lab, s, 1);
    for (int n = 2500; n < 3100; ++n) {
        canvas.forget();
        labTimerStep(canvas, lab, s, 1);
        // Only the β read-out, which comes before the event's own work; the canvas keeps it
        // from its first printing, so the reprint adds nothing.
        ASSERT_TRUE(canvas.records().empty()) << lab.labTick;
    }
    EXPECT_EQ(std::count_if(canvas.printedTexts().begin(), canvas.printedTexts().end(),
                            [](const PrintedText& t) { return t.text == "β = 0.26"; }),
              1);
    EXPECT_EQ(lab.labTick, 3100);
    EXPECT_DOUBLE_EQ(lab.labTimeTable[3000], 150.0);
}

TEST(LabTimerStep, RestartKeepsTheOldTrailAndErasesTheLastArrows) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({});
    for (int n = 0; n < 30; ++n) labTimerStep(canvas, lab, s, 1);
    const LabPrevArrows last = lab.labPrevArrows;
    lab.restart();
    canvas.forget();
    labTimerStep(canvas, lab, s, 1);
    EXPECT_EQ(lab.labTick, 1);
    const auto lines = canvas.recordsOf(Kind::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].colour, kWhite);
    EXPECT_NEAR(lines[0].x1, last.x, 1e-12);
    EXPECT_EQ(canvas.clearCount(), 0);
}

// The trail lies over everything an event draws: every trail point under this event's arrows is
// drawn again after them, the rest stands as it was.
TEST(LabTimerStep, TrailIsDrawnAgainWhereTheEventCoveredIt) {
    RecordingCanvas canvas = labCanvas();
    LabAnimation lab;
    const CurveSettings s = curveSettings({20, 1, 1, 0});
    for (int n = 0; n < 150; ++n) labTimerStep(canvas, lab, s, 1);
    canvas.forget();
    labTimerStep(canvas, lab, s, 1);
    auto redrawnAfterArrows = [&](int j) {
        const auto& recs = canvas.records();
        size_t lastArrow = 0;
        for (size_t i = 0; i < recs.size(); ++i)
            if (recs[i].kind == Kind::Line) lastArrow = i;
        for (size_t i = lastArrow + 1; i < recs.size(); ++i)
            if (recs[i].kind == Kind::Point && recs[i].x1 == lab.labTrailX[j] &&
                recs[i].y1 == lab.labTrailY[j])
                return true;
        return false;
    };
    int near = 0;
    for (int j = 0; j <= lab.labTick; ++j) {
        const LabPrevArrows& p = lab.labPrevArrows;
        const double dx = lab.labTrailX[j] - p.x, dy = lab.labTrailY[j] - p.y;
        if (std::hypot(dx, dy) < 0.3) {
            ++near;
            EXPECT_TRUE(redrawnAfterArrows(j)) << j;
        }
    }
    EXPECT_GT(near, 1);
    EXPECT_TRUE(redrawnAfterArrows(lab.labTick));
    EXPECT_LT(canvas.recordsOf(Kind::Point).size(), 140u);

    // After something else drew on the canvas, the whole trail comes back.
    canvas.clear();
    lab.canvasChanged();
    labTimerStep(canvas, lab, s, 1);
    for (int j = 0; j <= lab.labTick; ++j) EXPECT_TRUE(redrawnAfterArrows(j)) << j;
}

}  // namespace
}  // namespace velarium

namespace velarium {
namespace {

std::vector<std::string> printed(const RecordingCanvas& c) {
    std::vector<std::string> texts;
    for (const PrintedText& t : c.printedTexts())
        texts.push_back(t.text + " @" + std::to_string(t.x) + "," + std::to_string(t.y));
    return texts;
}

// Any event of a run shown again is that event: what the run had printed by then, at the same
// places, the same body and arrows, and the same picture whether the run went on past it or not.
// Going on from there makes the very run that never looked back.
TEST(LabShowEvent, AnEarlierEventIsShownExactlyAndTheRunGoesOnFromIt) {
    struct Case {
        std::array<int, 4> sliders;
        int run, shown;
    };
    const Case cases[] = {
        {{20, 1, 1, 0}, 300, 0},     {{20, 1, 1, 0}, 300, 1},      {{20, 1, 1, 0}, 300, 59},
        {{20, 1, 1, 0}, 300, 60},    {{20, 1, 1, 0}, 300, 181},    {{20, 1, 1, 0}, 300, 300},
        {{20, 15, 3, 20}, 2000, 61}, {{20, 15, 0, 0}, 2700, 2500},
    };
    for (const Case& c : cases) {
        const auto [a, f, v, t] = c.sliders;
        const CurveSettings s = curveSettings({a, f, v, t});
        RecordingCanvas longRun = labCanvas(), toShown = labCanvas();
        LabAnimation lab, upTo, straight;
        for (int n = 0; n < c.run && !labTimerStep(longRun, lab, s, 1); ++n) {
        }
        for (int n = 0; n < c.shown; ++n) labTimerStep(toShown, upTo, s, 1);
        const int kept = lab.labKept;
        ASSERT_GE(kept, c.shown);

        RecordingCanvas back = labCanvas(), fresh = labCanvas();
        labShowEvent(back, lab, s, 1, c.shown);
        labShowEvent(fresh, upTo, s, 1, c.shown);
        EXPECT_EQ(lab.labTick, c.shown);
        EXPECT_EQ(lab.labKept, kept) << "the later events stay kept";
        EXPECT_DOUBLE_EQ(lab.labTime, 0.05 * c.shown);
        EXPECT_EQ(printed(back), printed(toShown)) << c.shown;
        EXPECT_EQ(printed(back), printed(fresh));
        const auto& r = back.records();
        ASSERT_EQ(r.size(), fresh.records().size()) << c.shown;
        for (std::size_t i = 0; i < r.size(); ++i) {
            const Primitive& p = r[i];
            const Primitive& q = fresh.records()[i];
            ASSERT_TRUE(p.kind == q.kind && p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 &&
                        p.y2 == q.y2 && p.colour == q.colour && p.width == q.width)
                << c.shown << " primitive " << i;
        }
        // Going on from the event shown makes the run that never looked back, to the bit.
        for (int n = c.shown; n < c.run && !labTimerStep(back, lab, s, 1); ++n) {
        }
        for (int n = 0; n < c.run && !labTimerStep(fresh, straight, s, 1); ++n) {
        }
        EXPECT_EQ(lab.labTick, straight.labTick);
        EXPECT_EQ(std::memcmp(&lab.labTrailX, &straight.labTrailX, sizeof lab.labTrailX), 0);
        EXPECT_EQ(std::memcmp(&lab.labArrows, &straight.labArrows, sizeof lab.labArrows), 0);
        EXPECT_EQ(lab.ended(), lab.labTrailX[std::min(kept, 2500)] > 30);
    }
}

}  // namespace
}  // namespace velarium
