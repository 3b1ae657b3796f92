#pragma once

#include <array>
#include <string>
#include <vector>

#include "curve/CurvePath.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// The previous event's position and arrows, drawn again in white to erase them.
struct LabPrevArrows {
    double x = 0, y = 0;    // position
    double vx = 0, vy = 0;  // velocity
    double tx = 0, ty = 0;  // half the tangential acceleration
    double cx = 0, cy = 0;  // half the centripetal acceleration
};

// Where the read-outs of the marks were placed, and all that their places follow from: the
// scale, the path, the β text's box and, mark by mark, the read-out's extent and the mark's
// position. A read-out's place depends only on these and on the read-outs before it, so the
// places stay valid up to the first mark whose inputs differ.
struct LabReadoutPlaces {
    struct Mark {
        TextExtent extent;
        double x = 0, y = 0;  // the mark
        Vec2 corner;          // the read-out's top-left corner
    };
    std::array<double, 4> scale{};  // left, top, width, height
    double amplitude = 0, omega = 0;
    std::array<double, 4> beta{};  // the β text's box
    std::vector<Mark> marks;
};

// The state of the body's run along the path, kept between timer events.
struct LabAnimation {
    static constexpr int kLastCountedEvent = 3000;  // events after it only count
    static constexpr int kLastDrawnEvent = 2500;    // events after it compute but draw nothing
    static constexpr int kMarkEvery = 60;           // a red mark and a read-out every 60 events

    int labTick = 0;
    double labTime = 0;
    std::array<double, kLastCountedEvent + 1> labTimeTable{};
    std::array<double, kLastCountedEvent + 1> labTrailX{};
    std::array<double, kLastCountedEvent + 1> labTrailY{};
    std::array<double, kLastDrawnEvent + 1> labDistTable{};  // distance from the start
    LabPrevArrows labPrevArrows;
    double labFirstDist = 0;
    // The arrows of every drawn event, so that any earlier event can be shown again; [0] holds
    // those that stood on the canvas at START, which event 1 erases.
    std::array<LabPrevArrows, kLastDrawnEvent + 1> labArrows{};
    // The latest event the run has kept: the end of its time line. labTick is the event shown,
    // which is earlier while the person looks back; going on from there discards the later ones.
    int labKept = 0;

    // The trail elements 0..trailIntact stand on the canvas as they were last drawn; the others
    // must be drawn again. Anything drawn on the canvas outside the run resets it.
    int trailIntact = -1;

    // The read-outs' texts as the latest event formed them, each with the figures it was formed
    // from (its distance and time, the first distance, the distance 61 events before), and their
    // places.
    struct ReadoutText {
        std::array<double, 4> figures{};
        std::string text;
    };
    std::vector<ReadoutText> readoutTexts;
    LabReadoutPlaces readoutPlaces;

    // Back to event 0 (START, or entering a mode); the canvas is left as it is.
    void restart() {
        labTick = 0;
        labTime = 0;
        labKept = 0;
        labArrows[0] = labPrevArrows;
        trailIntact = -1;
    }
    // The run has stopped at the event it shows, its last: the body has passed x = 30.
    bool ended() const {
        return labTick > 0 && labTick == labKept && labTick <= kLastDrawnEvent &&
               labTrailX[static_cast<std::size_t>(labTick)] > 30;
    }
    // Something else drew on the canvas: the next event draws the whole trail again.
    void canvasChanged() { trailIntact = -1; }
};

// One timer event of the run: advances the simulated time by interval/20, places the body at
// the distance v₀·t + ½·at·t² along the path, erases the previous arrows, draws the velocity and
// the total acceleration (both parts at half their value) and the trail with its marks and
// read-outs over everything. Returns true when the body has passed x = 30 and the run must stop.
//
// The trail is drawn over the whole picture on every event. Elements that nothing has covered
// since they were drawn stand unchanged on the canvas, so only the elements under this event's
// drawing (the β text, the body, the erased and the new arrows) and the new ones are drawn again.
bool labTimerStep(PlotCanvas& canvas, LabAnimation& lab, const CurveSettings& c, int interval);

// The last event the run's time line reaches: events after the last drawn one show as it.
int labLastShownEvent(const LabAnimation& lab);

// Shows event k of the run again, k within 0..labLastShownEvent, on a canvas that stands as START
// left it: the run goes back to that event and draws it whole, the body and its arrows over the
// erased arrows of the event before, β, and the trail to k with its marks and read-outs. Event k
// is found from the same figures as when it was first run, so it is the very same event; the
// later events stay kept until the run goes on from k.
void labShowEvent(PlotCanvas& canvas, LabAnimation& lab, const CurveSettings& c, int interval,
                  int k);

}  // namespace velarium
