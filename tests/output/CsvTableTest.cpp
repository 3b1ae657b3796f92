#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "curve/CurveStations.h"
#include "disk/DiskRunTable.h"
#include "energy/BothFramesTable.h"
#include "output/CsvTable.h"
#include "translating/RelativeRunTable.h"

using namespace velarium;

namespace {
using Records = std::vector<std::vector<std::string>>;

// Reads comma-separated values as a spreadsheet does: quoted fields may hold commas, doubled
// quotes and line breaks; records end with CR LF.
Records parseCsv(const std::string& text) {
    Records out(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = out.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            out.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            out.emplace_back(1);
        } else {
            field += c;
        }
    }
    if (out.back() == std::vector<std::string>(1)) out.pop_back();
    return out;
}

double number(const std::string& field) {
    double v = std::numeric_limits<double>::quiet_NaN();
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), v);
    EXPECT_TRUE(error == std::errc() && end == field.data() + field.size()) << field;
    return v;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The table written and read back: the header as given, and every number the same double.
Records roundTrip(const CsvTable& table) {
    const Records read = parseCsv(toCsv(table));
    EXPECT_EQ(read.size(), table.rows.size() + 1);
    if (read.empty()) return read;
    EXPECT_EQ(read[0], table.header);
    for (std::size_t r = 0; r + 1 < read.size() && r < table.rows.size(); ++r) {
        EXPECT_EQ(read[r + 1].size(), table.header.size());
        for (std::size_t k = 0; k < read[r + 1].size(); ++k) {
            if (!std::isfinite(table.rows[r][k])) continue;
            EXPECT_TRUE(sameBits(number(read[r + 1][k]), table.rows[r][k])) << r << "," << k;
        }
    }
    return read;
}
}  // namespace

// Fields are quoted only where a comma, a quote or a line break would break the record, and
// quotes inside are doubled; the text is otherwise written as it is, Greek letters included.
TEST(CsvTable, QuotesFieldsAsSpreadsheetsRead) {
    const std::pair<std::string, std::string> cases[] = {
        {"x (R)", "x (R)"},
        {"ω (rad/time unit)", "ω (rad/time unit)"},
        {"W friction, inertial", "\"W friction, inertial\""},
        {"say \"v\"", "\"say \"\"v\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(csvField(text), field);
        const Records read = parseCsv(toCsv({{text, "b"}, {{1, 2}}}));
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0][0], text);
    }
}

// Every double, tiny, huge, negative or with all seventeen digits, reads back bit for bit,
// written with "." whatever the locale; a value that is not finite is an empty cell.
TEST(CsvTable, NumbersReadBackAsTheSameDouble) {
    std::vector<double> values{
        0.1, 1.0 / 3, -2.5e-300, 1e300, 5e-324, -0.0, std::nextafter(1.0, 2.0), 123456789.12345678};
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> any(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) values.push_back(any(random));
    for (double v : values) {
        const std::string text = csvNumber(v);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_TRUE(sameBits(number(text), v)) << text;
    }
    EXPECT_EQ(csvNumber(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(csvNumber(std::nan("")), "");
}

// The both-frames run's table holds, row for row, the orbit and work tables the run wrote, and
// no row beyond them, also when it is written over the table of an earlier run.
TEST(CsvTable, BothFramesRunParsesBackRowForRow) {
    DiskShared disk;
    BothFramesSettings settings;
    settings.xronosolikos = 2;
    settings.dialogi = true;
    // Written over the table of a longer run, as the screen keeps one: no row of that run stays.
    CsvTable kept;
    BothFramesSettings longer = settings;
    longer.xronosolikos = 5;
    bothFramesTable(disk.tables, runBothFrames(disk, longer), kept);
    const BothFramesRun run = runBothFrames(disk, settings);
    ASSERT_GT(run.rows, 10);
    bothFramesTable(disk.tables, run, kept);
    EXPECT_EQ(toCsv(kept), toCsv(bothFramesTable(disk.tables, run)));
    const Records read = roundTrip(kept);
    ASSERT_EQ(read.size(), static_cast<std::size_t>(run.rows) + 1);
    const OrbitTables& t = disk.tables;
    const std::vector<const std::vector<double>*> columns{&t.tabX,
                                                          &t.tabY,
                                                          &t.tabVx,
                                                          &t.tabVy,
                                                          &t.tabXRot,
                                                          &t.tabYRot,
                                                          &t.tabVxRot,
                                                          &t.tabVyRot,
                                                          &t.tabOmega,
                                                          &t.tabTheta,
                                                          &t.tabEnergy,
                                                          &t.tabKeRot,
                                                          &t.tabWorkFrictionInertial,
                                                          &t.tabWorkFrictionRotating,
                                                          &t.tabWorkCentrifugal,
                                                          &t.tabWorkBaseForce,
                                                          &t.tabWorkTotalRotating,
                                                          &t.tabWorkDrag};
    for (std::size_t k = 0; k < static_cast<std::size_t>(run.rows); ++k) {
        EXPECT_DOUBLE_EQ(number(read[k + 1][0]), run.plan.dt * static_cast<double>(k + 1));
        for (std::size_t c = 0; c < columns.size(); ++c)
            EXPECT_TRUE(sameBits(number(read[k + 1][c + 1]), (*columns[c])[k])) << k << "," << c;
    }
}

// The relative-motion run's rows: the laboratory values as stored, and in the moving frame the
// velocity that the frame's V(t) = V0 + A·t leaves, at each row's instant (n + 1)·Δt.
TEST(CsvTable, RelativeRunParsesBackInBothFrames) {
    RelativeSettings s;
    s.taxythtax = 3;
    s.epitaxynshy = 2;
    s.trivistoepipedo = 20;
    RelativeRun run;
    const double dt = 1.0 / 15;
    for (int n = 0; n < 40; ++n) {
        advanceRelativeModel(run, s, dt);
        ++run.relativeStepIndex;
    }
    const Records read = roundTrip(relativeRunTable(run, s, dt));
    ASSERT_EQ(read.size(), 41u);
    for (std::size_t n = 0; n < 40; ++n) {
        const double t = (static_cast<double>(n) + 1) * dt;
        const auto& row = read[n + 1];
        EXPECT_NEAR(number(row[0]), t, 1e-15);
        EXPECT_TRUE(sameBits(number(row[1]), run.labX[n]));
        EXPECT_TRUE(sameBits(number(row[4]), run.labVy[n]));
        EXPECT_TRUE(sameBits(number(row[5]), run.relX[n]));
        EXPECT_NEAR(number(row[7]), run.labVx[n] - 3, 1e-12);
        EXPECT_NEAR(number(row[8]), run.labVy[n] - 2 * t, 1e-12);
    }
}

// The disk run's rows in the rotating frame: the velocity the table gives there is the rate of
// change of the rotating-frame position, checked by central differences along a free flight.
TEST(CsvTable, DiskRunRotatingVelocityIsTheRateOfItsPosition) {
    DiskShared disk;
    DiskRun run;
    run.stepDuration = 0.01;
    run.bodyVx = 0.7;
    run.bodyVy = -0.2;
    run.pathY[0] = 1;
    run.pathYRot[0] = 1;
    run.keepMotion(0);
    for (int k = 1; k <= 60; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        ASSERT_TRUE(advanceStep(disk.params, run, {}));
    }
    const Records read = roundTrip(diskRunTable(run, disk.params));
    ASSERT_EQ(read.size(), 62u);
    for (std::size_t k = 2; k < 60; ++k) {
        const double h = run.stepDuration;
        const auto& row = read[k + 1];
        EXPECT_NEAR(number(row[7]), (run.pathXRot[k + 1] - run.pathXRot[k - 1]) / (2 * h), 1e-3);
        EXPECT_NEAR(number(row[8]), (run.pathYRot[k + 1] - run.pathYRot[k - 1]) / (2 * h), 1e-3);
        EXPECT_NEAR(number(row[11]), 0.5 * (0.7 * 0.7 + 0.2 * 0.2), 1e-12);
    }
}

// The curve lab's stations: at a crest of y = A·sin(ω·x) the radius of curvature is 1/(A·ω²) and
// the centripetal acceleration v²/R; at x = 0 the path is straight and the radius has no value.
TEST(CsvTable, CurveStationsAgreeWithTheCurvatureOfTheSine) {
    CurveSettings c;
    c.amplitude = 2;
    c.omega = 3.14159265358979323846 / 2 / 1.4;  // station 1, x = 1.4, is the first crest
    c.v0 = 3;
    c.at = 0.5;
    const CsvTable table = curveStationsTable(c);
    const Records read = roundTrip(table);
    ASSERT_EQ(read.size(), 16u);
    EXPECT_EQ(read[1][3], "");
    const double radius = 1 / (c.amplitude * c.omega * c.omega);
    EXPECT_NEAR(number(read[2][0]), 1.4, 1e-12);
    EXPECT_NEAR(number(read[2][1]), c.amplitude, 1e-12);
    EXPECT_NEAR(number(read[2][3]), radius, 1e-9);
    const double v = number(read[2][2]);
    EXPECT_NEAR(number(read[2][5]), v * v / radius, 1e-9);
    for (std::size_t j = 1; j <= 15; ++j) EXPECT_EQ(number(read[j][4]), c.at);
}
