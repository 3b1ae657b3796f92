#include "draw/PlotCanvas.h"

#include <algorithm>
#include <cmath>

namespace velarium {

namespace {
bool finite(double a) { return std::isfinite(a); }
template <class... T>
bool allFinite(T... v) {
    return (finite(v) && ...);
}
}  // namespace

bool PlotCanvas::refuse() {
    ++refused_;
    return false;
}

void PlotCanvas::setScale(double left, double top, double right, double bottom) {
    const double w = right - left;
    const double h = bottom - top;
    if (!allFinite(left, top, right, bottom, w, h) || w == 0 || h == 0) {
        refuse();
        return;
    }
    left_ = left;
    top_ = top;
    width_ = w;
    height_ = h;
    scaleChanged();
}

void PlotCanvas::clear() {
    record_.clear(back_);
    renderClear(back_);
    curX_ = 0;
    curY_ = 0;
    printedTextsReset();
}

void PlotCanvas::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, fore_); }

void PlotCanvas::line(double x1, double y1, double x2, double y2, Rgb colour) {
    if (!allFinite(x1, y1, x2, y2)) {
        refuse();
        return;
    }
    noteInk(colour);
    renderLine(x1, y1, x2, y2, colour);
    record_.draw(DrawRecord::Kind::Line, scale(), currentPen(), colour, x1, y1, x2, y2);
    const ViewTransform v = view();
    ink().segment(v.fractionX(x1), v.fractionY(y1), v.fractionX(x2), v.fractionY(y2),
                  width_px_ / 2.0);
    curX_ = x2;
    curY_ = y2;
}

void PlotCanvas::circle(double cx, double cy, double radius) { circle(cx, cy, radius, fore_); }

void PlotCanvas::circle(double cx, double cy, double radius, Rgb colour) {
    if (!allFinite(cx, cy, radius)) {
        refuse();
        return;
    }
    noteInk(colour);
    if (fill_ == kFillSolid) noteInk(fillColour_);
    renderCircle(cx, cy, std::abs(radius), colour);
    record_.draw(DrawRecord::Kind::Circle, scale(), currentPen(), colour, cx, cy, std::abs(radius));
    const ViewTransform v = view();
    ink().circle(v.fractionX(cx), v.fractionY(cy), v.pixelsAlongX(radius), fill_ == kFillSolid,
                 width_px_ / 2.0);
    curX_ = cx;
    curY_ = cy;
}

void PlotCanvas::arc(double cx, double cy, double radius, double start, double end, Rgb colour) {
    if (!allFinite(cx, cy, radius, start, end)) {
        refuse();
        return;
    }
    noteInk(colour);
    renderArc(cx, cy, std::abs(radius), start, end, colour);
    record_.draw(DrawRecord::Kind::Arc, scale(), currentPen(), colour, cx, cy, std::abs(radius),
                 start, end);
    const ViewTransform v = view();
    ink().arc(v.fractionX(cx), v.fractionY(cy), v.pixelsAlongX(radius), start, end, v.yUp(),
              width_px_ / 2.0);
    curX_ = cx;
    curY_ = cy;
}

void PlotCanvas::point(double x, double y) { point(x, y, fore_); }

void PlotCanvas::point(double x, double y, Rgb colour) {
    if (!allFinite(x, y)) {
        refuse();
        return;
    }
    noteInk(colour);
    renderPoint(x, y, colour);
    record_.draw(DrawRecord::Kind::Point, scale(), currentPen(), colour, x, y);
    const ViewTransform v = view();
    ink().dot(v.fractionX(x), v.fractionY(y), width_px_ / 2.0);
    curX_ = x;
    curY_ = y;
}

void PlotCanvas::print(std::string_view text) {
    if (!allFinite(curX_, curY_)) {
        refuse();
        return;
    }
    const TextExtent extent = measureText(text);
    PrintedText kept{std::string(text), curX_, curY_, 0, 0, 0, 0, fore_, bold_};
    const ViewTransform v = view();
    kept.left = v.fractionX(curX_);
    kept.top = v.fractionY(curY_);
    kept.right = kept.left + extent.width / std::abs(width_);
    kept.bottom = kept.top + extent.height / std::abs(height_);
    const auto& printed = record_.printed();
    const bool reprint = std::any_of(printed.begin(), printed.end(), [&](const PrintedText& p) {
        return p.text == kept.text && p.colour == kept.colour && p.bold == kept.bold &&
               std::abs(p.left - kept.left) < 1e-9 && std::abs(p.top - kept.top) < 1e-9;
    });
    if (!reprint) {
        noteInk(fore_);
        renderText(curX_, curY_, text, fore_);
        record_.print(scale(), currentPen(), std::move(kept));
    }
    // Next line: back to the left edge, one text height further down the screen.
    const double lineHeight = measureText("Ag").height;
    curX_ = left_;
    curY_ += height_ > 0 ? lineHeight : -lineHeight;
}

TextExtent PlotCanvas::textExtent(std::string_view text) const { return measureText(text); }

void PlotCanvas::setCurrentPosition(double x, double y) {
    if (!allFinite(x, y)) {
        refuse();
        return;
    }
    curX_ = x;
    curY_ = y;
}

void PlotCanvas::setDrawWidth(int pixels) { width_px_ = std::clamp(pixels, 1, 32767); }

void PlotCanvas::setDrawStyle(int style) { style_ = std::clamp(style, 0, 6); }

void PlotCanvas::setFillStyle(int style) { fill_ = std::clamp(style, 0, 7); }

void PlotCanvas::saveLayer(int slot) {
    keepLayer(slot);
    record_.saveLayer(slot);
}

void PlotCanvas::restoreLayer(int slot) {
    if (!record_.hasLayer(slot) || !layerAvailable(slot)) return;
    record_.restoreLayer(slot);
    putBackLayer(slot);
    printedTextsReset();
}

void PlotCanvas::setProfile(ColourProfile profile) {
    if (profile == profile_) return;
    profile_ = profile;
    profileChanged();
}

void PlotCanvas::noteInk(Rgb colour) {
    // Components as the canvas shows them, within 0..255.
    const auto part = [](int c) { return static_cast<std::uint32_t>(std::clamp(c, 0, 255)); };
    const std::uint32_t key = part(colour.red) << 16 | part(colour.green) << 8 | part(colour.blue);
    std::uint32_t& recent = recentInks_[(key * 0x9E3779B1u) >> (32 - kRecentInkBits)];
    if (recent == key) return;
    recent = key;
    inks_.insert(key);
}

std::vector<Rgb> PlotCanvas::inks() const {
    std::vector<Rgb> out;
    out.reserve(inks_.size());
    for (std::uint32_t k : inks_)
        out.push_back({static_cast<int>(k >> 16), static_cast<int>(k >> 8 & 0xff),
                       static_cast<int>(k & 0xff)});
    return out;
}

InkGrid& PlotCanvas::ink() {
    InkGrid& grid = record_.ink();
    if (grid.empty()) grid.reset(pixelWidth(), pixelHeight());
    return grid;
}

}  // namespace velarium
