#pragma once

#include <cmath>

#include "draw/Vec2.h"

namespace velarium {

// The map between a canvas's user coordinates and its pixels. The scale names the user
// coordinates of the top-left corner and the width and height of the view (negative where the
// axis runs against the pixels', as a y that grows upwards does); the pixel size is the surface's.
// Fractions run from 0 at the left and top edges to 1 at the right and bottom ones.
class ViewTransform {
public:
    ViewTransform() = default;
    ViewTransform(double left, double top, double width, double height, double pixelWidth,
                  double pixelHeight)
        : left_(left),
          top_(top),
          width_(width),
          height_(height),
          pw_(pixelWidth),
          ph_(pixelHeight) {}

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    double right() const { return left_ + width_; }
    double bottom() const { return top_ + height_; }
    double pixelWidth() const { return pw_; }
    double pixelHeight() const { return ph_; }
    bool yUp() const { return height_ < 0; }

    double fractionX(double x) const { return (x - left_) / width_; }
    double fractionY(double y) const { return (y - top_) / height_; }
    double toPixelX(double x) const { return fractionX(x) * pw_; }
    double toPixelY(double y) const { return fractionY(y) * ph_; }
    Vec2 toPixel(Vec2 p) const { return {toPixelX(p.x), toPixelY(p.y)}; }
    double toUserX(double px) const { return left_ + px / pw_ * width_; }
    double toUserY(double py) const { return top_ + py / ph_ * height_; }
    Vec2 toUser(Vec2 px) const { return {toUserX(px.x), toUserY(px.y)}; }
    Vec2 atFraction(double fx, double fy) const {
        return {left_ + fx * width_, top_ + fy * height_};
    }

    // Lengths, unsigned, from user units to pixels and back. A radius is measured along x.
    double pixelsAlongX(double length) const { return std::abs(length / width_) * pw_; }
    double pixelsAlongY(double length) const { return std::abs(length / height_) * ph_; }
    double userAlongX(double pixels) const { return pixels / pw_ * std::abs(width_); }
    double userAlongY(double pixels) const { return pixels / ph_ * std::abs(height_); }
    // A direction in user units as it points on the screen, in pixels (y down).
    Vec2 pixelDirection(Vec2 d) const { return {d.x / width_ * pw_, d.y / height_ * ph_}; }

private:
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    double pw_ = 1, ph_ = 1;
};

}  // namespace velarium
