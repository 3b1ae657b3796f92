#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "draw/DrawTypes.h"
#include "draw/InkGrid.h"

namespace velarium {

// What a replay of a record is handed, in drawing order: the background of a clear, each change
// of scale or pen, and the primitives and texts drawn under them. The raster image, the redraw
// after a resize, the recording canvas of the tests and the saved pictures are all replays.
class RecordReplay {
public:
    virtual ~RecordReplay() = default;
    virtual void clear(Rgb background) = 0;
    virtual void scale(const Scale& scale) = 0;
    virtual void pen(const Pen& pen) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void circle(double cx, double cy, double radius, Rgb colour) = 0;
    virtual void arc(double cx, double cy, double radius, double start, double end, Rgb colour) = 0;
    virtual void point(double x, double y, Rgb colour) = 0;
    virtual void text(const PrintedText& text) = 0;
};

// Everything a canvas has drawn since its last clear: the commands with the scales and pens they
// were drawn in, the kept texts, and the map of the ink. Layers keep the whole of it in a slot.
//
// A picture of more commands than kMostKept is not kept: its commands are dropped, and the
// record says it is incomplete until the next clear. Its texts and ink stay.
class DrawRecord {
public:
    static constexpr std::size_t kMostKept = 200000;

    enum class Kind : std::uint8_t { Clear, Scale, Pen, Line, Circle, Arc, Point, Text };
    struct Command {
        Kind kind = Kind::Clear;
        Rgb colour;
        double a = 0, b = 0, c = 0, d = 0, e = 0;  // coordinates, radius and angles by kind
        std::uint32_t index = 0;                   // the scale, pen or kept text it names
    };

    // Starts a new picture on the given background.
    void clear(Rgb background);
    // A primitive drawn under the given scale and pen. Line: a..d the ends; Circle: a, b the
    // centre and c the radius; Arc: as a circle, with d and e its angles; Point: a, b.
    void draw(Kind kind, const Scale& scale, const Pen& pen, Rgb colour, double a, double b,
              double c = 0, double d = 0, double e = 0);
    void print(const Scale& scale, const Pen& pen, PrintedText text);
    // Drops the commands drawn so far and keeps the rest, so that what comes next stands alone.
    void forgetCommands();

    void saveLayer(int slot);
    // Puts the slot's picture back; false, changing nothing, when the slot is empty.
    bool restoreLayer(int slot);
    // Whether the slot holds a picture, and whether its commands are all kept.
    bool hasLayer(int slot) const { return layers_.count(slot) > 0; }
    bool layerComplete(int slot) const;

    void replay(RecordReplay& to) const;

    const std::vector<Command>& commands() const { return now_.commands; }
    const std::vector<PrintedText>& printed() const { return now_.printed; }
    bool complete() const { return now_.complete; }
    InkGrid& ink() { return now_.ink; }
    const InkGrid& ink() const { return now_.ink; }
    // Grows with every change, so a view of the record knows when to look again.
    std::uint64_t changes() const { return changes_; }

private:
    struct Contents {
        std::vector<Command> commands;
        std::vector<Scale> scales;
        std::vector<Pen> pens;
        std::vector<PrintedText> printed;
        InkGrid ink;
        bool complete = true;
    };
    // Records the scale and the pen where they differ from the last ones recorded.
    bool track(const Scale& scale, const Pen& pen);

    Contents now_;
    std::map<int, Contents> layers_;
    std::uint64_t changes_ = 0;
};

}  // namespace velarium
