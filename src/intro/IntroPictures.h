#pragma once

#include "draw/Palette.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// The turntable of the introduction: a disk of radius 50 turning clockwise about the origin, and
// a body lying on it at (0, 30).
inline constexpr double kTurntableRadius = 50;
inline constexpr Vec2 kIntroBody{0, 30};

inline constexpr Rgb kIntroVelocity = rgb(Colour::introVelocity);
inline constexpr Rgb kStudentsFriction = rgb(Colour::studentsFriction);

// The square user scale of both pictures: (−100, 100) at the top-left, (100, −100) at the
// bottom-right, y up.
void setTurntableScale(PlotCanvas& canvas);

// The misconception: at the body, its velocity along the rim (red), the friction that textbooks
// draw towards the centre (black) and the friction that students expect, opposite to the
// velocity (purple), with the axis, the clockwise sense of rotation and the angular velocity.
void drawIntroductionPicture(PlotCanvas& canvas);

// The first explanation: the body starts at (0, 30) with the speed of the disk point beneath it,
// 30 for a disk turning at 1 radian per time unit, and slides on a straight line. After one time
// unit it is at (30, 30), 30·√2 from the centre, while the disk point that started beneath it
// has turned by 1 radian. The disk point the body has reached moves at 30·√2, faster than the
// body: the body lags behind the disk.
void drawFirstExplanationPicture(PlotCanvas& canvas);

}  // namespace velarium
