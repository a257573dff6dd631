// Key points of tricky curves read through the real evaluator: each row
// lists every point the search must report and nothing else, with the true
// x and how close the search must come. Poles and jumps must never show as
// zeros, touching zeros and zeros closer than the scan must not be missed.

#include "analysis/key_points.h"
#include "analysis/tracer.h"
#include "analysis/value_table.h"

#include <calculator/Calculator.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace plotdesk;
using namespace plotdesk::analysis;

namespace {

Evaluator realEvaluator() {
    return [](const std::string& text) {
        std::string x = text;
        return ombra::Calculator().Calculate(x);
    };
}

constexpr double kPi = std::numbers::pi;
// A simple zero is found to the evaluator's last digit, a flat point (touching
// zero, extremum) to seven significant digits at least.
constexpr double kSharp = 1e-14;
constexpr double kFlat = 1e-7;

struct Expected {
    KeyPointKind kind;
    int curve;
    double x;
    double tolerance;  // relative to max(1, |x|)
    std::string exactForm = {};
};

struct Row {
    const char* name;
    std::vector<const char*> functions;
    double from;
    double to;
    std::vector<Expected> points;
    int poles = 0;
    int jumps = 0;
};

using K = KeyPointKind;

const std::vector<Row> kRows = {
    {"double zero", {"(x-1)^2"}, -3, 4, {{K::Zero, 0, 1, kFlat}, {K::Minimum, 0, 1, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"double zero, expanded",
     {"x^2-2*x+1"},
     -3,
     4,
     {{K::Zero, 0, 1, kFlat}, {K::Minimum, 0, 1, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"double zero on a scan sample",
     {"x^2-2*x+1"},
     -3,
     5,
     {{K::Zero, 0, 1, kFlat}, {K::Minimum, 0, 1, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"triple zero", {"(x-1)^3"}, -3, 4, {{K::Zero, 0, 1, kSharp}, {K::YIntercept, 0, 0, 0}}},
    {"zeros 0.002 apart",
     {"x^2-0.000001"},
     -10,
     10.3,
     {{K::Zero, 0, -0.001, kSharp}, {K::Zero, 0, 0.001, kSharp}, {K::Minimum, 0, 0, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"zeros 0.001 apart in one scan step",
     {"(x-2)*(x-2.001)"},
     -100,
     100,
     {{K::Zero, 0, 2, kSharp}, {K::Zero, 0, 2.001, kSharp}, {K::Minimum, 0, 2.0005, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"zeros 0.001 apart, one on a scan sample",
     {"(x-2)*(x-2.001)"},
     -2,
     6,
     {{K::Zero, 0, 2, kSharp}, {K::Zero, 0, 2.001, kSharp}, {K::Minimum, 0, 2.0005, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"near miss", {"x^2+0.000001"}, -1, 1.3, {{K::Minimum, 0, 0, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"flat minimum", {"x^4"}, -1, 1.3, {{K::Zero, 0, 0, kFlat}, {K::Minimum, 0, 0, kFlat}, {K::YIntercept, 0, 0, 0}}},
    {"the teacher's sine",
     {"SIN(x/20)*300"},
     -100,
     100,
     {{K::Zero, 0, -20 * kPi, kSharp, "-20π"},
      {K::Zero, 0, 0, kSharp},
      {K::Zero, 0, 20 * kPi, kSharp, "20π"},
      {K::Maximum, 0, -30 * kPi, kFlat, "-30π"},
      {K::Maximum, 0, 10 * kPi, kFlat, "10π"},
      {K::Minimum, 0, -10 * kPi, kFlat, "-10π"},
      {K::Minimum, 0, 30 * kPi, kFlat, "30π"},
      {K::YIntercept, 0, 0, 0}}},
    {"cosine with exact forms",
     {"COS(x)"},
     0.5,
     7,
     {{K::Zero, 0, kPi / 2, kSharp, "π/2"},
      {K::Zero, 0, 3 * kPi / 2, kSharp, "3π/2"},
      {K::Maximum, 0, 2 * kPi, kFlat, "2π"},
      {K::Minimum, 0, kPi, kFlat, "π"}}},
    {"pole", {"1/x"}, -5, 5.5, {}, 1, 0},
    {"tangent's poles", {"TAN(x)"}, -2, 2, {{K::Zero, 0, 0, kSharp}, {K::YIntercept, 0, 0, 0}}, 2, 0},
    {"steps", {"INT(x)"}, -2.5, 2.5, {{K::YIntercept, 0, 0, 0}}},
    {"sign", {"SGN(x)"}, -1, 1, {{K::YIntercept, 0, 0, 0}}, 0, 1},
    {"step across the axis", {"INT(x)-0.5"}, -2.5, 2.5, {{K::YIntercept, 0, 0, 0}}, 0, 1},
    {"end of the domain", {"SQR(x)"}, -1, 4, {{K::Zero, 0, 0, kSharp}, {K::YIntercept, 0, 0, 0}}},
    {"line and parabola",
     {"x", "x^2"},
     -3,
     3,
     {{K::Zero, 0, 0, kSharp},
      {K::Zero, 1, 0, kFlat},
      {K::Minimum, 1, 0, kFlat},
      {K::Intersection, 0, 0, kSharp},
      {K::Intersection, 0, 1, kSharp},
      {K::YIntercept, 0, 0, 0},
      {K::YIntercept, 1, 0, 0}}},
    {"tangent line", {"x^2", "2*x-1"}, 0.5, 3, {{K::Intersection, 0, 1, kFlat}, {K::Zero, 1, 0.5, kSharp}}},
};

std::string describe(const KeyPointReport& report) {
    std::ostringstream out;
    for (const KeyPoint& p : report.points)
        out << kindName(p.kind).toStdString() << ' ' << p.curve << ' ' << p.xText << ' ' << p.yText << ' '
            << p.exactForm << '\n';
    for (const CurveBreak& b : report.breaks) out << (b.pole ? "pole " : "jump ") << b.x << '\n';
    return out.str();
}

}  // namespace

TEST(KeyPoints, TrickyCurves) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        std::vector<QString> functions;
        for (const char* f : row.functions) functions.push_back(QString::fromUtf8(f));
        const KeyPointReport report = findKeyPoints(functions, realEvaluator(), row.from, row.to);
        SCOPED_TRACE(describe(report));

        ASSERT_EQ(report.points.size(), row.points.size());
        for (const Expected& e : row.points) {
            const auto found = std::find_if(report.points.begin(), report.points.end(), [&](const KeyPoint& p) {
                return p.kind == e.kind && p.curve == e.curve &&
                       std::fabs(p.x - e.x) <= e.tolerance * std::max(1.0, std::fabs(e.x));
            });
            ASSERT_NE(found, report.points.end()) << kindName(e.kind).toStdString() << " near " << e.x;
            EXPECT_EQ(found->exactForm, e.exactForm);
        }
        // The y shown is the evaluator's answer at the x shown.
        for (const KeyPoint& p : report.points) {
            std::string text = functions[p.curve].toStdString();
            std::string substituted;
            for (char c : text) substituted += c == 'x' ? "(" + p.xText + ")" : std::string(1, c);
            EXPECT_EQ(p.yText, ombra::Calculator().Calculate(substituted)) << p.xText;
        }
        const auto poles = std::count_if(report.breaks.begin(), report.breaks.end(), [](auto& b) { return b.pole; });
        EXPECT_EQ(poles, row.poles);
        EXPECT_EQ(static_cast<int>(report.breaks.size() - poles), row.jumps);
        EXPECT_TRUE(report.unsearched.empty());
    }
}

TEST(KeyPoints, TextThatFailsEverywhereHasNoPoint) {
    const KeyPointReport report =
        findKeyPoints({QStringLiteral("SQR(-1-x^2)"), QStringLiteral("x")}, realEvaluator(), -1, 1);
    EXPECT_EQ(report.curvesWithoutPoints, std::vector<int>{0});
    ASSERT_EQ(report.points.size(), 2u);  // x's zero and its y-axis crossing
}

// A curve that wiggles faster than any scan can follow: the search stops at
// its budget and says which part of the range it left.
TEST(KeyPoints, BudgetIsKeptAndTheRestNamed) {
    int64_t calls = 0;
    const Evaluator counting = [&calls](const std::string& text) {
        ++calls;
        std::string x = text;
        return ombra::Calculator().Calculate(x);
    };
    const KeyPointReport report = findKeyPoints({QStringLiteral("SIN(x*x)")}, counting, 0, 400);
    EXPECT_LE(calls, kEvaluationBudget);
    ASSERT_FALSE(report.unsearched.empty());
    EXPECT_LE(report.unsearched.back().to, 400);
    EXPECT_GT(report.points.size(), 100u);
}

TEST(ValueTable, WalksAsThePlotWalks) {
    const ValueTable table =
        makeValueTable({QStringLiteral("x^2"), QStringLiteral("1/x")}, realEvaluator(), SamplingRange{-1, 1, 0.1});
    ASSERT_EQ(table.rows.size(), 21u);
    std::string reciprocal = "1/(-1.38777878078145E-16)";
    const std::vector<std::string> middle{"-1.38777878078145E-16", "1.92592994438725E-32",
                                          ombra::Calculator().Calculate(reciprocal)};
    EXPECT_EQ(table.rows[10], middle);
    const std::vector<std::string> first{"-1", "1", "-1"};
    EXPECT_EQ(table.rows[0], first);
    EXPECT_EQ(tabSeparated(table).substr(0, 18), "x\tx^2\t1/x\n-1\t1\t-1\n");
}

TEST(Tracer, SnapsToTheNearestCurveWithinReach) {
    Tracer tracer({QStringLiteral("x"), QStringLiteral("x^2"), QStringLiteral("1/x")}, realEvaluator());
    const std::optional<TracePoint> near = tracer.nearest(2, 3.8, 0.5);
    ASSERT_TRUE(near);
    EXPECT_EQ(near->curve, 1);
    EXPECT_EQ(near->yText, "4");
    EXPECT_FALSE(tracer.nearest(2, 3, 0.5));
    // Where a curve has no point it is passed over.
    const std::optional<TracePoint> atZero = tracer.nearest(0, 0.1, 1);
    ASSERT_TRUE(atZero);
    EXPECT_EQ(atZero->curve, 0);
    EXPECT_FALSE(tracer.at(2, 0));
}
