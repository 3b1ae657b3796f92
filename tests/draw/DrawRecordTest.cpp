#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "draw/DrawRecord.h"
#include "draw/RecordingCanvas.h"
#include "draw/ViewTransform.h"

using namespace velarium;

namespace {
// The record replayed as one line of text per command.
class Log : public RecordReplay {
public:
    std::vector<std::string> lines;
    void clear(Rgb c) override { add() << "clear " << c.red; }
    void scale(const Scale& s) override {
        add() << "scale " << s.left << ' ' << s.top << ' ' << s.width << ' ' << s.height;
    }
    void pen(const Pen& p) override {
        add() << "pen " << p.width << ' ' << p.style << ' ' << p.bold;
    }
    void line(double x1, double y1, double x2, double y2, Rgb) override {
        add() << "line " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2;
    }
    void circle(double cx, double cy, double r, Rgb) override {
        add() << "circle " << cx << ' ' << cy << ' ' << r;
    }
    void arc(double, double, double r, double a, double b, Rgb) override {
        add() << "arc " << r << ' ' << a << ' ' << b;
    }
    void point(double x, double y, Rgb) override { add() << "point " << x << ' ' << y; }
    void text(const PrintedText& t) override { add() << "text " << t.text << ' ' << t.bold; }

private:
    struct Line {
        std::vector<std::string>& to;
        std::ostringstream out;
        ~Line() { to.push_back(out.str()); }
        template <class T>
        Line& operator<<(const T& v) {
            out << v;
            return *this;
        }
    };
    Line add() { return Line{lines, {}}; }
};

std::vector<std::string> replayed(const PlotCanvas& canvas) {
    Log log;
    canvas.record().replay(log);
    return log.lines;
}
}  // namespace

// The record keeps each scale and pen once, where it changes, before the first primitive drawn
// under it; a refused primitive and a reprinted text leave no trace.
TEST(DrawRecord, KeepsCommandsWithTheStateTheyWereDrawnIn) {
    RecordingCanvas c(200, 100);
    c.setBackColor(Rgb{7, 0, 0});
    c.clear();
    c.setScale(0, 10, 20, 0);
    c.line(1, 2, 3, 4);
    c.point(5, 6);
    c.setDrawWidth(3);
    c.circle(1, 1, -2);
    c.line(0, 0, std::nan(""), 1);
    c.setScale(0, 0, 10, 10);
    c.setBold(true);
    c.setCurrentPosition(1, 1);
    c.print("F");
    c.setCurrentPosition(1, 1);
    c.print("F");
    c.arc(0, 0, 1, 0, 2, kBlack);
    const std::vector<std::string> expected{
        "clear 7",      "scale 0 10 20 -10", "pen 1 0 0", "line 1 2 3 4", "point 5 6", "pen 3 0 0",
        "circle 1 1 2", "scale 0 0 10 10",   "pen 3 0 1", "text F 1",     "arc 1 0 2"};
    EXPECT_EQ(replayed(c), expected);
    EXPECT_EQ(c.records().size(), 5u);
    EXPECT_EQ(c.records()[3].width, 3);
    EXPECT_TRUE(c.records()[3].bold);
}

// A layer holds the whole picture: commands, kept texts and ink, each put back together; what
// was drawn after it is gone from all three.
TEST(DrawRecord, LayersPutBackCommandsTextsAndInkTogether) {
    RecordingCanvas c(100, 100);
    c.setScale(0, 0, 100, 100);
    c.clear();
    c.line(0, 10, 100, 10);
    c.setCurrentPosition(5, 50);
    c.print("kept");
    c.saveLayer(1);
    c.line(0, 90, 100, 90);
    c.setCurrentPosition(5, 70);
    c.print("later");
    ASSERT_GT(c.inkIn(0, 0.85, 1, 0.95), 0);
    c.restoreLayer(1);
    EXPECT_EQ(c.texts(), std::vector<std::string>{"kept"});
    ASSERT_EQ(c.printedTexts().size(), 1u);
    EXPECT_EQ(c.printedTexts()[0].text, "kept");
    EXPECT_EQ(c.inkIn(0, 0.85, 1, 0.95), 0);
    EXPECT_GT(c.inkIn(0, 0.05, 1, 0.15), 0);
    EXPECT_EQ(c.records().size(), 2u);
    c.restoreLayer(2);  // an empty slot changes nothing
    EXPECT_EQ(c.records().size(), 2u);
}

// A picture of more commands than are kept gives up its commands but keeps its texts, says so
// until the next clear, and a layer saved then is known to be incomplete.
TEST(DrawRecord, APictureTooLargeToKeepIsMarkedIncomplete) {
    RecordingCanvas c;
    c.clear();
    c.setCurrentPosition(0, 0);
    c.print("read-out");
    for (std::size_t i = 0; i <= DrawRecord::kMostKept; ++i) c.point(0.5, 0.5);
    EXPECT_FALSE(c.record().complete());
    EXPECT_TRUE(c.record().commands().empty());
    EXPECT_EQ(c.printedTexts().size(), 1u);
    c.saveLayer(3);
    EXPECT_FALSE(c.record().layerComplete(3));
    c.clear();
    EXPECT_TRUE(c.record().complete());
    c.point(0.5, 0.5);
    EXPECT_EQ(c.records().size(), 1u);
}

// User points map to pixels and back on every orientation of the axes, and lengths in user
// units to pixels and back along either axis.
TEST(ViewTransform, MapsBothWaysOnEveryOrientation) {
    struct Case {
        double left, top, right, bottom;
        Vec2 user, pixel;
    };
    const Case cases[] = {
        {0, 10, 20, -10, {5, 5}, {100, 25}},   // y up
        {0, 0, 20, 20, {5, 5}, {100, 25}},     // y down
        {20, -10, 0, 10, {15, 0}, {100, 50}},  // x reversed
        {-3, 3, 3, -3, {-3, -3}, {0, 100}},    // a corner
    };
    for (const Case& k : cases) {
        const ViewTransform v(k.left, k.top, k.right - k.left, k.bottom - k.top, 400, 100);
        const Vec2 p = v.toPixel(k.user);
        EXPECT_NEAR(p.x, k.pixel.x, 1e-12);
        EXPECT_NEAR(p.y, k.pixel.y, 1e-12);
        const Vec2 back = v.toUser(p);
        EXPECT_NEAR(back.x, k.user.x, 1e-12);
        EXPECT_NEAR(back.y, k.user.y, 1e-12);
        EXPECT_NEAR(v.userAlongX(v.pixelsAlongX(1.5)), 1.5, 1e-12);
        EXPECT_NEAR(v.userAlongY(v.pixelsAlongY(1.5)), 1.5, 1e-12);
        EXPECT_EQ(v.yUp(), k.bottom < k.top);
    }
}
