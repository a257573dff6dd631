// Plotting on the board: the texts the evaluator receives, the colour
// cycle, gaps at errors and poles, labels and titles, pen widths, and the
// ranges that are refused.

#include "board_test_support.h"

#include "plotting/plot_rules.h"
#include "settings/setting_keys.h"

#include <QLineEdit>

using namespace plotdesk;
using boardtest::colourInColumns;
using boardtest::rgbOfWord;

namespace {

using Overrides = QList<QPair<QString, QString>>;

// The colour of the first curve on a new board: cycle entry 1.
const QRgb kFirstCurve = rgbOfWord(7619771);
// A colour the cycle never gives, for curves drawn by request.
constexpr int32_t kCurveColour = 0x00A000;
const QRgb kCurve = rgbOfWord(kCurveColour);

// A board whose evaluator calls are recorded on their way to Calculator1.
struct RecordedBoard {
    explicit RecordedBoard(const Overrides& settings = {}) {
        for (const auto& [name, value] : settings) SaveSetting(name, value);
        board = boardtest::loadedBoard();
        board->model().setEvaluator([this](const std::string& text) {
            sent << QString::fromStdString(text);
            const std::string result = board->model().calculateWithCalculator1(text);
            results << QString::fromStdString(result);
            return result;
        });
    }
    // A function curve drawn as the export and the views ask for it.
    void draw(const QString& expression, double start, double end, double step) {
        CurveRequest request;
        request.function = expression;
        request.range = {start, end, step};
        request.colour = kCurveColour;
        board->model().plot(request);
    }
    // The same through the bottom bar and "画图".
    void plot(const QString& expression, const QString& start, const QString& end, const QString& step) {
        board->表达式1->setText(expression);
        board->start->setText(start);
        board->end->setText(end);
        board->step1->setText(step);
        board->Command1_Click();
    }
    std::unique_ptr<mForm1> board;
    QStringList sent;
    QStringList results;
};

// 3000 twips showing -10..10 both ways (10 pixels a unit), grid off-screen.
const Overrides kFineBoard{{"width", "3000"}, {"_heiht", "3000"}, {"max_x", "20"},  {"max_y", "20"},
                           {"max_l", "-10"},  {"max_t", "-10"},   {"min_x", "100"}, {"min_y", "100"}};
// 3000 twips showing x from 0 to 100 (2 pixels a unit), y from 1000 to -1000.
const Overrides kPoleBoard{{"width", "3000"}, {"_heiht", "3000"}, {"max_x", "100"}, {"max_l", "0"}};

// Curve pixels above and below the x axis (the axis row itself and the one
// under it, where a line along the axis may land, count as neither).
QPair<int, int> curvePixelsAboveAndBelow(toolkit::PictureArea* area, QRgb colour) {
    const QImage image = area->image();
    const int axisRow = int(area->toPixels(0, 0).y());
    int above = 0, below = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if ((image.pixel(column, row) & 0xFFFFFF) == colour) above += row<axisRow, below += row> axisRow + 1;
    return {above, below};
}

// Rows of the curve colour in the image column of board x.
int curveThickness(toolkit::PictureArea* area, double x, QRgb colour) {
    const QImage image = area->image();
    const int column = int(area->toPixels(x, 0).x());
    int rows = 0;
    for (int row = 0; row < image.height(); ++row) rows += (image.pixel(column, row) & 0xFFFFFF) == colour;
    return rows;
}

}  // namespace

class BoardPlotTest : public QObject {
    Q_OBJECT
private slots:
    void init() { store_ = std::make_unique<boardtest::TemporaryStore>(); }
    void cleanup() { store_.reset(); }

    void textsSentToEvaluator_data();
    void textsSentToEvaluator();
    void parametricSendsBothTexts();
    void squareOfNegativeValuesIsAParabola();
    void lowerCaseFunctionNamesEvaluate();
    void colourCycle();
    void colourCycleWithParametricPlot();
    void gapsAtErrorsAndPoles_data();
    void gapsAtErrorsAndPoles();
    void labelsAndTitles();
    void noPassStillLabels();
    void refusedRanges_data();
    void refusedRanges();
    void penWidth_data();
    void penWidth();
    void progressStripShowsTheRange();
    void titleSaysWhyNothingWasDrawn_data();
    void titleSaysWhyNothingWasDrawn();
    void printedTexts_data();
    void printedTexts();

private:
    std::unique_ptr<boardtest::TemporaryStore> store_;
};

void BoardPlotTest::textsSentToEvaluator_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("initial expression") << "tan(x / 20) * 50"
                                        << "-100"
                                        << "100"
                                        << "2" << 101 << 0 << "tan((-100) / 20) * 50";
    QTest::newRow("square in brackets") << "x^2"
                                        << "-3"
                                        << "3"
                                        << "1" << 7 << 0 << "(-3)^2";
    QTest::newRow("accumulated rounding") << "x"
                                          << "-1"
                                          << "1"
                                          << "0.1" << 21 << 10 << "(-1.38777878078145E-16)";
    QTest::newRow("last sample") << "x"
                                 << "-1"
                                 << "1"
                                 << "0.1" << 21 << 20 << "(1)";
    QTest::newRow("no variable") << "5"
                                 << "-100"
                                 << "100"
                                 << "2" << 101 << 50 << "5";
    QTest::newRow("no pass") << "x"
                             << "10"
                             << "0"
                             << "2" << 0 << -1 << "";
}

void BoardPlotTest::textsSentToEvaluator() {
    QFETCH(QString, expression);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, step);
    QFETCH(int, calls);
    QFETCH(int, index);
    QFETCH(QString, text);
    RecordedBoard recorded;
    recorded.plot(expression, start, end, step);
    QCOMPARE(recorded.sent.size(), calls);
    if (index >= 0) QCOMPARE(recorded.sent[index], text);
    // The holder keeps what was typed.
    QCOMPARE(recorded.board->表达式1->text(), expression);
}

void BoardPlotTest::parametricSendsBothTexts() {
    boardtest::ScriptedQuestions questions;
    questions.tab = 1;
    RecordedBoard recorded;
    recorded.board->表达式1->setText("x*1000");
    recorded.board->表达式2->setText("t");
    recorded.board->表达式3->setText("t*t");
    recorded.board->start->setText("-2");
    recorded.board->end->setText("2");
    recorded.board->step1->setText("2");
    recorded.board->Command1_Click();
    QCOMPARE(recorded.sent, (QStringList{"(-2)", "(-2)*(-2)", "(0)", "(0)*(0)", "(2)", "(2)*(2)"}));
    QCOMPARE(recorded.board->表达式3->text(), QStringLiteral("t*t"));
}

void BoardPlotTest::squareOfNegativeValuesIsAParabola() {
    RecordedBoard recorded;
    recorded.draw("x^2", -30, 30, 1);
    QCOMPARE(recorded.results.first(), QStringLiteral("900"));
    const auto [above, below] = curvePixelsAboveAndBelow(recorded.board->pxp, kCurve);
    QVERIFY(above > 20);
    QCOMPARE(below, 0);
}

void BoardPlotTest::lowerCaseFunctionNamesEvaluate() {
    RecordedBoard recorded;
    recorded.draw("exp(x) + abs(x)", -2, 2, 1);
    QCOMPARE(recorded.results.size(), 5);
    for (const QString& result : recorded.results)
        QVERIFY2(curveCoordinate(result.toStdString()).has_value(), qPrintable(result));
}

void BoardPlotTest::colourCycle() {
    RecordedBoard recorded;
    QList<int> colours;
    for (int plot = 0; plot < 11; ++plot) {
        recorded.plot("1", "0", "0", "1");
        colours << Settings().fcolor;
    }
    QList<int> expected;
    for (int entry : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}) expected << QByteArray(kCurveColourEntries[entry]).toInt();
    QCOMPARE(colours, expected);
    QCOMPARE(recorded.board->ColorIndex(), 1);
}

void BoardPlotTest::colourCycleWithParametricPlot() {
    boardtest::ScriptedQuestions questions;
    RecordedBoard recorded;
    recorded.plot("1", "0", "0", "1");
    QCOMPARE(recorded.board->ColorIndex(), 1);
    questions.tab = 1;
    recorded.board->Command1_Click();
    QCOMPARE(Settings().fcolor, QByteArray(kCurveColourEntries[2]).toInt());
    QCOMPARE(recorded.board->ColorIndex(), 3);
    questions.tab = 0;
    recorded.board->Command1_Click();
    QCOMPARE(Settings().fcolor, QByteArray(kCurveColourEntries[4]).toInt());
}

void BoardPlotTest::gapsAtErrorsAndPoles_data() {
    QTest::addColumn<Overrides>("settings");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("1/x: nothing into or out of 0")
        << kFineBoard << "1/x" << -10.0 << 10.0 << 2.0 << -1.5 << 1.5 << false;
    QTest::newRow("1/x: drawn left of 0") << kFineBoard << "1/x" << -10.0 << 10.0 << 2.0 << -7.0 << -5.0 << true;
    QTest::newRow("1/x: drawn right of 0") << kFineBoard << "1/x" << -10.0 << 10.0 << 2.0 << 5.0 << 7.0 << true;
    QTest::newRow("x: segment from 0 is drawn") << kFineBoard << "x" << -4.0 << 4.0 << 2.0 << 0.5 << 1.5 << true;
    QTest::newRow("tan: gap at the pole")
        << kPoleBoard << "tan(x / 20) * 50" << -100.0 << 100.0 << 2.0 << 30.6 << 31.4 << false;
    QTest::newRow("-tan: gap at the pole")
        << kPoleBoard << "-tan(x / 20) * 50" << -100.0 << 100.0 << 2.0 << 30.6 << 31.4 << false;
    QTest::newRow("tan: drawn between poles")
        << kPoleBoard << "tan(x / 20) * 50" << -100.0 << 100.0 << 2.0 << 20.0 << 25.0 << true;
    QTest::newRow("logical results leave gaps") << kFineBoard << "x > 0" << -4.0 << 4.0 << 1.0 << -4.0 << 4.0 << false;
}

void BoardPlotTest::gapsAtErrorsAndPoles() {
    QFETCH(Overrides, settings);
    QFETCH(QString, expression);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, step);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(bool, drawn);
    RecordedBoard recorded(settings);
    recorded.draw(expression, start, end, step);
    QCOMPARE(colourInColumns(recorded.board->pxp, from, to, kCurve), drawn);
}

void BoardPlotTest::labelsAndTitles() {
    boardtest::ScriptedQuestions questions;
    RecordedBoard recorded;
    toolkit::PictureArea* pxp = recorded.board->pxp;

    // The label starts where the last segment left the position: at the
    // previous point of the last sample, (98, 98) shown, (98, -98) in scale.
    recorded.plot("x", "-100", "100", "2");
    QCOMPARE(recorded.board->windowTitle(), QStringLiteral("请等候，正在绘图..."));
    QCOMPARE(pxp->currentX(), pxp->scaleLeft());
    QVERIFY(qAbs(pxp->currentY() - (-98 + pxp->textHeight())) < 1e-6);

    questions.tab = 1;
    recorded.board->表达式2->setText("t");
    recorded.board->表达式3->setText("t*t");
    recorded.board->start->setText("-10");
    recorded.board->end->setText("10");
    recorded.board->step1->setText("1");
    recorded.board->Command1_Click();
    QCOMPARE(recorded.board->windowTitle(), QStringLiteral("Curvolo 1.0 - Telvan制作"));
    QVERIFY(qAbs(pxp->currentY() - (-81 + 2 * pxp->textHeight())) < 1e-6);
}

void BoardPlotTest::noPassStillLabels() {
    RecordedBoard recorded;
    toolkit::PictureArea* pxp = recorded.board->pxp;
    pxp->setCurrentX(100);
    pxp->setCurrentY(200);
    recorded.plot("x", "10", "0", "2");
    QVERIFY(recorded.sent.isEmpty());
    QCOMPARE(recorded.board->ColorIndex(), 1);
    QCOMPARE(recorded.board->windowTitle(), QStringLiteral("无法绘图：从起始值按步长走不到终止值，没有采样点"));
    QVERIFY(qAbs(pxp->currentY() - (200 + pxp->textHeight())) < 1e-6);
}

void BoardPlotTest::refusedRanges_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("title");
    QTest::newRow("step of zero") << "-100"
                                  << "100"
                                  << "0"
                                  << "无法绘图：步长不能为 0";
    QTest::newRow("start not a number") << "a"
                                        << "100"
                                        << "2"
                                        << "无法绘图：起始值不是数字";
    QTest::newRow("too many samples") << "-100"
                                      << "100"
                                      << "1E-05"
                                      << "无法绘图：采样点超过 1000000 个，请增大步长";
}

void BoardPlotTest::refusedRanges() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, step);
    QFETCH(QString, title);
    RecordedBoard recorded;
    const int colourBefore = Settings().fcolor;
    const QImage before = recorded.board->pxp->image();
    recorded.plot("x", start, end, step);
    QCOMPARE(recorded.board->windowTitle(), title);
    QVERIFY(recorded.sent.isEmpty());
    QCOMPARE(recorded.board->ColorIndex(), 0);
    QCOMPARE(Settings().fcolor, colourBefore);
    QCOMPARE(recorded.board->pxp->image(), before);
}

void BoardPlotTest::penWidth_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("thickness");
    QTest::newRow("default") << QString() << 1;
    QTest::newRow("five") << "5" << 5;
    QTest::newRow("half to even") << "2.5" << 2;
    QTest::newRow("not a number") << "thick" << 1;
}

void BoardPlotTest::penWidth() {
    QFETCH(QString, stored);
    QFETCH(int, thickness);
    if (!stored.isNull()) SaveSetting(key::xiankuan2, stored);
    RecordedBoard recorded(kFineBoard);
    recorded.board->pxp->setDrawWidth(3);
    recorded.plot("5", "-8", "8", "1");
    QCOMPARE(curveThickness(recorded.board->pxp, -5.5, kFirstCurve), thickness);
    QCOMPARE(recorded.board->pxp->drawWidth(), 3);
}

void BoardPlotTest::progressStripShowsTheRange() {
    RecordedBoard recorded;
    toolkit::PictureArea* strip = recorded.board->进度条;
    recorded.plot("x", "0", "50", "0.1");
    const QImage image = strip->image();
    const QRgb done = rgbOfWord(strip->foreColor());
    const int middleRow = image.height() / 2;
    for (int column : {0, image.width() / 2, image.width() - 2})
        QCOMPARE(image.pixel(column, middleRow) & 0xFFFFFF, done);
    // The next plot starts with a clean strip and covers only its range.
    recorded.plot("x", "0", "100", "1000");
    QCOMPARE(strip->image().pixel(image.width() - 2, middleRow) & 0xFFFFFF, rgbOfWord(strip->backColor()));
}

// A plot that draws no segment says why in the title; one that draws
// anything keeps the titles it always had.
void BoardPlotTest::titleSaysWhyNothingWasDrawn_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("expression");  // f(x), or Y(t) with X(t) = t
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("zoomedAway");  // the view shows x from 125 to 325
    QTest::addColumn<QString>("title");
    QTest::newRow("unclosed bracket") << 0 << "sin(x"
                                      << "-100"
                                      << "100"
                                      << "2" << false
                                      << "无法绘图：sin(x 的值为 ERROR#2（少了右括号：有 ( 没有配对的 )）";
    QTest::newRow("division by zero everywhere") << 0 << "1/0"
                                                 << "-10"
                                                 << "10"
                                                 << "2" << false << "无法绘图：1/0 的值为 ERROR#11（除数为 0）";
    QTest::newRow("logical everywhere") << 0 << "x>0"
                                        << "-4"
                                        << "4"
                                        << "1" << false << "无法绘图：x>0 的值为 False（是比较的真假结果，不是数值）";
    QTest::newRow("parametric Y fails") << 1 << "t/0"
                                        << "-2"
                                        << "2"
                                        << "1" << false << "无法绘图：t/0 的值为 ERROR#11（除数为 0）";
    QTest::newRow("upper-case X")
        << 0 << "X^2/20"
        << "-10"
        << "10"
        << "1" << false
        << "无法绘图：X^2/20 的值为 ERROR#3（有不认识的字母或符号；自变量要写小写的 x，不能写大写的 X）";
    QTest::newRow("every x beyond single precision")
        << 0 << "1"
        << "1e39"
        << "2e39"
        << "1e39" << false << "无法绘图：x 的取值都超出了能画出的范围（绝对值要小于 3.4E+38）";
    QTest::newRow("one sample") << 0 << "x"
                                << "5"
                                << "5"
                                << "1" << false << "无法绘图：只有一个采样点，连不成线";
    QTest::newRow("every step a pole") << 0 << "x*10000"
                                       << "0"
                                       << "10"
                                       << "1" << false << "无法绘图：相邻两点的值都相差 1000 以上，连不成线";
    QTest::newRow("drawn around an error") << 0 << "1/x"
                                           << "-10"
                                           << "10"
                                           << "2" << false << "请等候，正在绘图...";
    QTest::newRow("out of the zoomed view") << 0 << "x"
                                            << "-10"
                                            << "10"
                                            << "1" << true << "无法绘图：曲线在当前视图之外，按 Ctrl+0 适合窗口";
    QTest::newRow("drawn in the zoomed view") << 0 << "x"
                                              << "100"
                                              << "200"
                                              << "1" << true << "请等候，正在绘图...";
    QTest::newRow("parametric drawn") << 1 << "t*t"
                                      << "-2"
                                      << "2"
                                      << "1" << false << "Curvolo 1.0 - Telvan制作";
}

void BoardPlotTest::titleSaysWhyNothingWasDrawn() {
    QFETCH(int, tab);
    QFETCH(QString, expression);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, step);
    QFETCH(bool, zoomedAway);
    QFETCH(QString, title);
    boardtest::ScriptedQuestions questions;
    questions.tab = tab;
    RecordedBoard recorded;
    if (zoomedAway) recorded.board->zoomAbout(250, 0, 10);
    recorded.board->表达式2->setText("t");
    recorded.board->表达式3->setText(expression);
    recorded.plot(expression, start, end, step);
    QCOMPARE(recorded.board->windowTitle(), title);
}

// The texts the board prints, where their top-left corners sit in the
// picture's scale: tick labels show x as it is and y negated; a curve's
// label starts where its last segment left the position.
void BoardPlotTest::printedTexts_data() {
    QTest::addColumn<QString>("curve");  // none, function or parametric
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("at");
    QTest::newRow("x label right") << "none"
                                   << " 300 " << QPointF(300, 0);
    QTest::newRow("x label left") << "none"
                                  << "-700 " << QPointF(-700, 0);
    QTest::newRow("y label above the axis") << "none"
                                            << " 100 " << QPointF(0, -100);
    QTest::newRow("y label below the axis") << "none"
                                            << "-1000 " << QPointF(0, 1000);
    QTest::newRow("origin") << "none"
                            << " 0 " << QPointF(0, 0);
    QTest::newRow("function label") << "function"
                                    << " Y =x" << QPointF(98, -98);
    QTest::newRow("parametric X label") << "parametric"
                                        << "  X =t" << QPointF(9, -81);
    QTest::newRow("parametric Y label on the next line") << "parametric"
                                                         << "  Y =t*t" << QPointF(-1000, -81);
}

void BoardPlotTest::printedTexts() {
    QFETCH(QString, curve);
    QFETCH(QString, text);
    QFETCH(QPointF, at);
    auto board = boardtest::loadedBoard();
    CurveRequest request;
    request.colour = 255;
    if (curve == "function") {
        request.function = "x";
        request.range = {-100, 100, 2};
        board->model().plot(request);
    } else if (curve == "parametric") {
        request.parametric = true;
        request.xOfT = "t";
        request.yOfT = "t*t";
        request.range = {-10, 10, 1};
        board->model().plot(request);
    }
    // The second parametric line starts one text line down.
    if (text == "  Y =t*t") at.ry() += board->pxp->textHeight();
    QStringList printed;
    for (const BoardModel::PrintedText& entry : board->model().printedTexts()) {
        printed << entry.text + QString(" (%1,%2)").arg(entry.at.x()).arg(entry.at.y());
        if (entry.text == text && qAbs(entry.at.x() - at.x()) < 1e-6 && qAbs(entry.at.y() - at.y()) < 1e-6) return;
    }
    QFAIL(qPrintable("not printed; the board printed: " + printed.mid(0, 60).join(" | ")));
}

QTEST_MAIN(BoardPlotTest)
#include "tst_board_plot.moc"
