// The board's arithmetic without any window: the loop value's text,
// substitution, which results make points, joining, the sampling range, the
// colour cycle, the axis loop rounds, centring, the pointer read-out and the
// axis labels.

#include "board/axis_loops.h"
#include "board/board_geometry.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <variant>

using namespace plotdesk;

// The text the plot substitutes for a loop value.
QString loopValueText(double v) {
    NumberTextBuffer buffer;
    const std::string_view text = variantText(v, buffer);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class PlotRulesTest : public QObject {
    Q_OBJECT
private slots:
    void variantTexts_data();
    void variantTexts();
    void variantTextsReadBack();
    void substitution_data();
    void substitution();
    void coordinates_data();
    void coordinates();
    void joining_data();
    void joining();
    void refusedRanges_data();
    void refusedRanges();
    void samplingWalk_data();
    void samplingWalk();
    void stalledStepEndsTheLoop();
    void colourCycle();
    void axisRounds_data();
    void axisRounds();
    void centring_data();
    void centring();
    void pointerReadout_data();
    void pointerReadout();
    void axisLabels_data();
    void axisLabels();
};

void PlotRulesTest::variantTexts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << -100.0 << "-100";
    QTest::newRow("small whole") << 2.0 << "2";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("half") << 0.5 << "0.5";
    QTest::newRow("negative half") << -0.5 << "-0.5";
    QTest::newRow("accumulated tenth") << (0.1 + 0.2) << "0.3";
    QTest::newRow("rounding residue") << -1.38777878078145e-16 << "-1.38777878078145E-16";
    QTest::newRow("tiny") << 1e-20 << "1E-20";
    QTest::newRow("large") << 1.5e20 << "1.5E+20";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1E+15") << 1e15 << "1E+15";
    QTest::newRow("just below a ten-thousandth") << 0.0000999 << "9.99E-05";
    QTest::newRow("a ten-thousandth") << 0.0001 << "0.0001";
    QTest::newRow("many digits") << (2.0 / 3.0) << "0.666666666666667";
    QTest::newRow("three-digit exponent") << 1e-300 << "1E-300";
    QTest::newRow("loop value") << -98.0 << "-98";
}

void PlotRulesTest::variantTexts() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(loopValueText(value), text);
}

void PlotRulesTest::variantTextsReadBack() {
    // Every loop value's text reads back as the value to 15 digits.
    double v = -1;
    for (int i = 0; i <= 20; ++i, v += 0.1) {
        const std::optional<double> back = toDouble(loopValueText(v));
        QVERIFY(back);
        QVERIFY2(std::abs(*back - v) <= 1e-14 * std::max(1.0, std::abs(v)), qPrintable(loopValueText(v)));
    }
}

void PlotRulesTest::substitution_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QChar x('x'), t('t');
    QTest::newRow("square of a negative") << "x^2" << x << "-3"
                                          << "(-3)^2";
    QTest::newRow("product") << "2*x" << x << "-3"
                             << "2*(-3)";
    QTest::newRow("every occurrence") << "x*x+x" << x << "2"
                                      << "(2)*(2)+(2)";
    QTest::newRow("x inside exp stays") << "exp(x)" << x << "1"
                                        << "exp((1))";
    QTest::newRow("x inside fix and xor stays") << "fix(x) xor x" << x << "1"
                                                << "fix((1)) xor (1)";
    QTest::newRow("capital X stays") << "X+x" << x << "5"
                                     << "X+(5)";
    QTest::newRow("blanks count as separators") << "tan(x / 20) * 50" << x << "-100"
                                                << "tan((-100) / 20) * 50";
    QTest::newRow("t of tan and sqrt stays") << "tan(t)+sqrt(t)" << t << "0.5"
                                             << "tan((0.5))+sqrt((0.5))";
    QTest::newRow("x left alone in parametric") << "x+t" << t << "1"
                                                << "x+(1)";
    QTest::newRow("no variable") << "5" << x << "7"
                                 << "5";
    QTest::newRow("full-width letter neighbour") << QString::fromUtf8("ｅx") << x << "1" << QString::fromUtf8("ｅx");
    QTest::newRow("exponent text goes in whole") << "x" << x << "-1.38777878078145E-16"
                                                 << "(-1.38777878078145E-16)";
}

void PlotRulesTest::substitution() {
    QFETCH(QString, expression);
    QFETCH(QChar, letter);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    VariableTemplate substituted(expression, letter);
    QCOMPARE(QString::fromStdString(substituted.with(value.toStdString())), expected);
    // The template's text is used again for the next value.
    QCOMPARE(QString::fromStdString(substituted.with(value.toStdString())), expected);
}

void PlotRulesTest::coordinates_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("isPoint");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << "287.677282398941" << true << 287.677282398941;
    QTest::newRow("no zero before the point") << "-.5" << true << -0.5;
    QTest::newRow("exponent") << "1E-05" << true << 1e-5;
    QTest::newRow("logical word as number") << "-1" << true << -1.0;
    QTest::newRow("error") << "ERROR#11" << false << 0.0;
    QTest::newRow("True") << "True" << false << 0.0;
    QTest::newRow("False") << "False" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("beyond single precision") << "1E+300" << false << 0.0;
    QTest::newRow("largest single still a point") << "3.4E+38" << true << 3.4e38;
    QTest::newRow("large exponent form") << "1.5E+20" << true << 1.5e20;
    QTest::newRow("infinity word") << "inf" << false << 0.0;
    QTest::newRow("trailing text") << "12abc" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("two numbers") << "1-2" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
}

void PlotRulesTest::coordinates() {
    QFETCH(QString, result);
    QFETCH(bool, isPoint);
    QFETCH(double, value);
    const std::optional<double> coordinate = curveCoordinate(result.toStdString());
    QCOMPARE(coordinate.has_value(), isPoint);
    if (isPoint) QCOMPARE(*coordinate, value);
}

void PlotRulesTest::joining_data() {
    QTest::addColumn<double>("previous");
    QTest::addColumn<double>("current");
    QTest::addColumn<bool>("joined");
    QTest::newRow("small step") << 10.0 << 12.0 << true;
    QTest::newRow("from zero") << 0.0 << 2.0 << true;
    QTest::newRow("fall of a pole") << 705.0 << -1710.0 << false;
    QTest::newRow("rise of a pole") << -705.0 << 1710.0 << false;
    QTest::newRow("just under the jump") << 0.0 << 999.999 << true;
    QTest::newRow("exactly the jump") << 0.0 << -1000.0 << false;
}

void PlotRulesTest::joining() {
    QFETCH(double, previous);
    QFETCH(double, current);
    QFETCH(bool, joined);
    QCOMPARE(joinsPrevious(previous, current), joined);
}

void PlotRulesTest::refusedRanges_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("reason");  // empty: accepted
    QTest::newRow("defaults") << "-100"
                              << "100"
                              << "2"
                              << "";
    QTest::newRow("start not a number") << "abc"
                                        << "100"
                                        << "2"
                                        << "无法绘图：起始值不是数字";
    QTest::newRow("end not a number") << "-100"
                                      << ""
                                      << "2"
                                      << "无法绘图：终止值不是数字";
    QTest::newRow("step not a number") << "-100"
                                       << "100"
                                       << "2x"
                                       << "无法绘图：步长不是数字";
    QTest::newRow("step of zero") << "-100"
                                  << "100"
                                  << "0"
                                  << "无法绘图：步长不能为 0";
    QTest::newRow("step of zero past the end") << "10"
                                               << "0"
                                               << "0"
                                               << "无法绘图：步长不能为 0";
    QTest::newRow("too many samples") << "-100"
                                      << "100"
                                      << "0.0001"
                                      << "无法绘图：采样点超过 1000000 个，请增大步长";
    QTest::newRow("exactly a million samples") << "1"
                                               << "1000000"
                                               << "1"
                                               << "";
    QTest::newRow("one more than a million") << "0"
                                             << "1000000"
                                             << "1"
                                             << "无法绘图：采样点超过 1000000 个，请增大步长";
    QTest::newRow("whole double range") << "-1E+308"
                                        << "1E+308"
                                        << "1"
                                        << "无法绘图：采样点超过 1000000 个，请增大步长";
    QTest::newRow("span beyond the double range, three samples") << "-1E+308"
                                                                 << "1E+308"
                                                                 << "1E+308"
                                                                 << "";
    QTest::newRow("start beyond end: no pass, accepted") << "10"
                                                         << "0"
                                                         << "2"
                                                         << "";
    QTest::newRow("negative step") << "10"
                                   << "0"
                                   << "-2"
                                   << "";
}

void PlotRulesTest::refusedRanges() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, step);
    QFETCH(QString, reason);
    const auto reading = readSamplingRange(start, end, step);
    if (reason.isEmpty())
        QVERIFY(std::holds_alternative<SamplingRange>(reading));
    else
        QCOMPARE(std::get<QString>(reading), reason);
}

// Walks the range as the plot does and lists the substituted value texts.
static QStringList walk(const SamplingRange& range) {
    QStringList texts;
    range.forEachValue([&texts](double v) { texts << loopValueText(v); });
    return texts;
}

void PlotRulesTest::samplingWalk_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("textAtIndex");
    QTest::newRow("defaults, first") << -100.0 << 100.0 << 2.0 << 101 << 0 << "-100";
    QTest::newRow("defaults, end included") << -100.0 << 100.0 << 2.0 << 101 << 100 << "100";
    QTest::newRow("tenths: rounding instead of 0") << -1.0 << 1.0 << 0.1 << 21 << 10 << "-1.38777878078145E-16";
    QTest::newRow("tenths: last is 1") << -1.0 << 1.0 << 0.1 << 21 << 20 << "1";
    QTest::newRow("negative step") << 10.0 << 0.0 << -2.5 << 5 << 4 << "0";
    QTest::newRow("start beyond end") << 10.0 << 0.0 << 2.0 << 0 << -1 << "";
}

void PlotRulesTest::samplingWalk() {
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, step);
    QFETCH(int, samples);
    QFETCH(int, index);
    QFETCH(QString, textAtIndex);
    const QStringList texts = walk({start, end, step});
    QCOMPARE(texts.size(), samples);
    if (index >= 0) QCOMPARE(texts[index], textAtIndex);
}

// A step that no longer moves the value would keep the plot going forever.
void PlotRulesTest::stalledStepEndsTheLoop() {
    QCOMPARE(walk({1e20, 1e20, 1}).size(), 1);
    // Below 2^53 a step of 0.9 still moves the value by 1; above it the
    // value no longer moves, and the walk stops there.
    const double below = 9007199254740990.0;
    const QStringList texts = walk({below, below + 100, 0.9});
    QVERIFY(!texts.isEmpty());
    QVERIFY(texts.size() < 100);
}

void PlotRulesTest::colourCycle() {
    const int entries = int(kCurveColourEntries.size());
    QList<int> picked;
    int16_t index = 0;
    for (int plot = 0; plot < 12; ++plot) {
        index = nextColourIndex(index, entries);
        picked << index;
    }
    QCOMPARE(picked, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}));
    // A parametric plot adds one more without wrapping; the next plot wraps.
    QCOMPARE(nextColourIndex(11, entries), int16_t(1));
}

void PlotRulesTest::axisRounds_data() {
    QTest::addColumn<qint64>("end");
    QTest::addColumn<qint64>("spacing");
    QTest::addColumn<int>("direction");
    QTest::addColumn<qint64>("rounds");
    QTest::addColumn<bool>("ticks");
    QTest::addColumn<bool>("origin");
    QTest::newRow("defaults rightwards") << 1000LL << 100LL << 1 << 11LL << true << true;
    QTest::newRow("defaults leftwards") << -1000LL << 100LL << -1 << 11LL << true << true;
    QTest::newRow("range not a multiple") << 1050LL << 100LL << 1 << 11LL << true << true;
    QTest::newRow("left edge at the origin") << 0LL << 100LL << -1 << 1LL << true << true;
    QTest::newRow("origin left of the picture") << 100LL << 100LL << -1 << 0LL << false << false;
    QTest::newRow("negative spacing, origin inside") << -1000LL << -100LL << -1 << 0LL << false << false;
    QTest::newRow("negative spacing, origin outside") << 100LL << -100LL << -1 << 2LL << true << true;
    QTest::newRow("zero spacing keeps the axis") << -1000LL << 0LL << -1 << 0LL << false << true;
    QTest::newRow("zero spacing, origin outside") << 100LL << 0LL << -1 << 0LL << false << false;
    QTest::newRow("limit of rounds") << 99999LL << 1LL << 1 << 100000LL << true << true;
    QTest::newRow("too many rounds keep the axis") << 100000LL << 1LL << 1 << 100001LL << false << true;
    QTest::newRow("beyond 32 bits") << 4294967294LL << 2LL << 1 << 2147483648LL << false << true;
}

void PlotRulesTest::axisRounds() {
    QFETCH(qint64, end);
    QFETCH(qint64, spacing);
    QFETCH(int, direction);
    QFETCH(qint64, rounds);
    QFETCH(bool, ticks);
    QFETCH(bool, origin);
    const AxisLoop loop{end, spacing, direction};
    QCOMPARE(loop.rounds(), rounds);
    QCOMPARE(loop.drawsTicks(), ticks);
    QCOMPARE(loop.reachesOrigin(), origin);
    if (rounds > 0) {
        // The last round stays within the edge and the next would pass it.
        const int64_t last = loop.value(rounds - 1);
        QVERIFY(direction * spacing > 0 ? last <= end && last + loop.step() > end
                                        : last >= end && last + loop.step() < end);
    }
}

void PlotRulesTest::centring_data() {
    QTest::addColumn<double>("scaleStart");
    QTest::addColumn<double>("scaleExtent");
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("viewport");
    QTest::addColumn<double>("edge");
    QTest::newRow("defaults") << -1000.0 << 2000.0 << 2000.0 << 6000.0 << 2000.0;
    QTest::newRow("large picture, half the scale") << -1000.0 << 2000.0 << 5500.0 << 4000.0 << -750.0;
    QTest::newRow("origin at the left border") << 0.0 << 2000.0 << 2000.0 << 3000.0 << 1500.0;
    QTest::newRow("reversed scale") << 1000.0 << -2000.0 << 2000.0 << 3000.0 << 500.0;
}

void PlotRulesTest::centring() {
    QFETCH(double, scaleStart);
    QFETCH(double, scaleExtent);
    QFETCH(double, size);
    QFETCH(double, viewport);
    QFETCH(double, edge);
    QCOMPARE(centredEdge(scaleStart, scaleExtent, size, viewport), edge);
}

void PlotRulesTest::pointerReadout_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("title");
    QTest::newRow("floored, y shown upwards") << 12.7 << -40.2 << "当前坐标  (12,41)";
    QTest::newRow("y floors before negating") << 0.0 << 2.5 << "当前坐标  (0,-2)";
    QTest::newRow("negative y") << -0.5 << -2.5 << "当前坐标  (-1,3)";
    QTest::newRow("no minus zero") << 0.2 << 0.5 << "当前坐标  (0,0)";
}

void PlotRulesTest::pointerReadout() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, title);
    QCOMPARE(plotdesk::pointerReadout(x, y), title);
}

void PlotRulesTest::axisLabels_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("zero") << 0LL << " 0 ";
    QTest::newRow("positive") << 100LL << " 100 ";
    QTest::newRow("negative") << -1000LL << "-1000 ";
}

void PlotRulesTest::axisLabels() {
    QFETCH(qint64, value);
    QFETCH(QString, label);
    QCOMPARE(axisLabel(value), label);
}

QTEST_APPLESS_MAIN(PlotRulesTest)
#include "tst_plot_rules.moc"
