#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "draw/RasterBatch.h"

namespace velarium {
namespace {

struct Image {
    Image(int w, int h) : pixels(static_cast<std::size_t>(w * h), 0xff808080u), w(w), h(h) {}
    PixelBuffer buffer() { return {pixels.data(), w, h, w}; }
    std::vector<std::uint32_t> pixels;
    int w, h;
};

// One piece of drawing, done either straight into a whole image or through a batch.
struct Work {
    enum Kind { Fill, Line, Circle, Dot, Keep, PutBack, Run, Foreign } kind;
    double a, b, c, d, width;
    std::uint32_t rgb;
    bool filled;
};

std::vector<Work> randomWork(unsigned seed, int width, int height) {
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> x(-40, width + 40), y(-40, height + 40), r(0.5, 70);
    std::vector<Work> work;
    for (int i = 0; i < 500; ++i) {
        const auto rgb = static_cast<std::uint32_t>(g() & 0xffffff);
        const double slot = g() % 2;
        switch (g() % 24) {
            case 0: work.push_back({Work::Fill, 0, 0, 0, 0, 0, rgb, false}); break;
            case 1:
            case 2: work.push_back({Work::Keep, slot, 0, 0, 0, 0, 0, false}); break;
            case 3:
            case 4: work.push_back({Work::PutBack, slot, 0, 0, 0, 0, 0, false}); break;
            case 5: work.push_back({Work::Run, 0, 0, 0, 0, 0, 0, false}); break;
            case 6: work.push_back({Work::Foreign, x(g), y(g), x(g), y(g), 3, rgb, false}); break;
            case 7:
            case 8:
                work.push_back(
                    {Work::Circle, x(g), y(g), r(g), 0, 1.0 + g() % 4, rgb, g() % 2 == 0});
                break;
            case 9: work.push_back({Work::Dot, x(g), y(g), 1.0 + g() % 5, 0, 0, rgb, false}); break;
            default: work.push_back({Work::Line, x(g), y(g), x(g), y(g), 0.5 + g() % 6, rgb, false});
        }
    }
    return work;
}

// Drawn band by band, with layers copied on write, a batch leaves the same pixels as each piece
// of work done over the whole image in turn with layers copied whole: through fills,
// primitives, layers kept and put back in two slots, batches run part way, and writes from
// outside the batch; on images of several heights (one band, many bands, a last band cut
// short). Each layer, put back at the end, shows what it kept.
TEST(RasterBatch, BandsAndLayersShowWhatTheWholeImageWould) {
    for (const auto& [width, height, seed] :
         {std::array{64, 40, 1}, std::array{300, 900, 2}, std::array{1500, 731, 3}}) {
        Image whole(width, height), banded(width, height);
        std::vector<Image> wholeLayers(2, Image(width, height)), bandedLayers(wholeLayers);
        std::vector<bool> kept(2, false);
        RasterBatch batch;
        for (const Work& w : randomWork(static_cast<unsigned>(seed), width, height)) {
            const PixelBuffer out = whole.buffer();
            const auto slot = static_cast<std::size_t>(w.a);
            switch (w.kind) {
                case Work::Fill:
                    std::fill(whole.pixels.begin(), whole.pixels.end(), 0xff000000u | w.rgb);
                    batch.fill(w.rgb);
                    break;
                case Work::Keep:
                    wholeLayers[slot].pixels = whole.pixels;
                    batch.keep(static_cast<int>(slot), bandedLayers[slot].buffer());
                    kept[slot] = true;
                    break;
                case Work::PutBack:
                    if (!kept[slot]) break;
                    whole.pixels = wholeLayers[slot].pixels;
                    batch.putBack(static_cast<int>(slot));
                    break;
                case Work::Run:
                    batch.run(banded.buffer());
                    break;
                case Work::Foreign: {
                    batch.run(banded.buffer());
                    batch.beforeWriting(banded.buffer(), static_cast<int>(std::min(w.a, w.c)) - 4,
                                        static_cast<int>(std::min(w.b, w.d)) - 4,
                                        static_cast<int>(std::max(w.a, w.c)) + 4,
                                        static_cast<int>(std::max(w.b, w.d)) + 4);
                    rasterLine(out, w.a, w.b, w.c, w.d, w.width, w.rgb);
                    rasterLine(banded.buffer(), w.a, w.b, w.c, w.d, w.width, w.rgb);
                    break;
                }
                case Work::Line:
                    rasterLine(out, w.a, w.b, w.c, w.d, w.width, w.rgb);
                    batch.line(w.a, w.b, w.c, w.d, w.width, w.rgb);
                    break;
                case Work::Circle:
                    if (w.c <= CircleStamp::kLargestRadius)
                        CircleStamp(w.c, w.width)
                            .draw(out, w.a, w.b, w.rgb, w.filled, ~w.rgb & 0xffffff);
                    else
                        rasterCircle(out, w.a, w.b, w.c, w.width, w.rgb, w.filled,
                                     ~w.rgb & 0xffffff);
                    batch.circle(w.a, w.b, w.c, w.width, w.rgb, w.filled, ~w.rgb & 0xffffff);
                    break;
                case Work::Dot:
                    rasterDot(out, w.a, w.b, w.c, w.rgb);
                    batch.dot(w.a, w.b, w.c, w.rgb);
                    break;
            }
        }
        batch.run(banded.buffer());
        EXPECT_TRUE(batch.empty());
        EXPECT_EQ(banded.pixels, whole.pixels) << width << "×" << height;
        for (int slot = 0; slot < 2; ++slot) {
            if (!kept[static_cast<std::size_t>(slot)]) continue;
            batch.putBack(slot);
            batch.run(banded.buffer());
            EXPECT_EQ(banded.pixels, wholeLayers[static_cast<std::size_t>(slot)].pixels)
                << width << "×" << height << " slot " << slot;
        }
    }
}

}  // namespace
}  // namespace velarium
