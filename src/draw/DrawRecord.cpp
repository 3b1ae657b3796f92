#include "draw/DrawRecord.h"

#include <utility>

namespace velarium {

void DrawRecord::clear(Rgb background) {
    now_.commands.clear();
    now_.scales.clear();
    now_.pens.clear();
    now_.printed.clear();
    now_.ink.forget();
    now_.complete = true;
    now_.commands.push_back({Kind::Clear, background});
    ++changes_;
}

bool DrawRecord::track(const Scale& scale, const Pen& pen) {
    if (!now_.complete) return false;
    if (now_.commands.size() >= kMostKept) {
        now_.complete = false;
        std::vector<Command>().swap(now_.commands);
        now_.scales.clear();
        now_.pens.clear();
        return false;
    }
    const auto next = [](const auto& list) { return static_cast<std::uint32_t>(list.size()); };
    if (now_.scales.empty() || now_.scales.back() != scale) {
        now_.commands.push_back({Kind::Scale, {}, 0, 0, 0, 0, 0, next(now_.scales)});
        now_.scales.push_back(scale);
    }
    if (now_.pens.empty() || now_.pens.back() != pen) {
        now_.commands.push_back({Kind::Pen, {}, 0, 0, 0, 0, 0, next(now_.pens)});
        now_.pens.push_back(pen);
    }
    return true;
}

void DrawRecord::draw(Kind kind, const Scale& scale, const Pen& pen, Rgb colour, double a, double b,
                      double c, double d, double e) {
    ++changes_;
    if (track(scale, pen)) now_.commands.push_back({kind, colour, a, b, c, d, e});
}

void DrawRecord::print(const Scale& scale, const Pen& pen, PrintedText text) {
    ++changes_;
    if (track(scale, pen))
        now_.commands.push_back({Kind::Text, text.colour, 0, 0, 0, 0, 0,
                                 static_cast<std::uint32_t>(now_.printed.size())});
    now_.printed.push_back(std::move(text));
}

void DrawRecord::forgetCommands() {
    now_.commands.clear();
    now_.scales.clear();
    now_.pens.clear();
    ++changes_;
}

void DrawRecord::saveLayer(int slot) {
    // A layer is put back again and again: its ink is marked once, not at every putting back.
    now_.ink.settle();
    layers_[slot] = now_;
}

bool DrawRecord::restoreLayer(int slot) {
    const auto it = layers_.find(slot);
    if (it == layers_.end()) return false;
    now_ = it->second;
    ++changes_;
    return true;
}

bool DrawRecord::layerComplete(int slot) const {
    const auto it = layers_.find(slot);
    return it != layers_.end() && it->second.complete;
}

void DrawRecord::replay(RecordReplay& to) const {
    for (const Command& c : now_.commands) {
        switch (c.kind) {
            case Kind::Clear: to.clear(c.colour); break;
            case Kind::Scale: to.scale(now_.scales[c.index]); break;
            case Kind::Pen: to.pen(now_.pens[c.index]); break;
            case Kind::Line: to.line(c.a, c.b, c.c, c.d, c.colour); break;
            case Kind::Circle: to.circle(c.a, c.b, c.c, c.colour); break;
            case Kind::Arc: to.arc(c.a, c.b, c.c, c.d, c.e, c.colour); break;
            case Kind::Point: to.point(c.a, c.b, c.colour); break;
            case Kind::Text: to.text(now_.printed[c.index]); break;
        }
    }
}

}  // namespace velarium
