// The board's zoomed and fitted views: the wheel keeps the point under the
// pointer, fitting spans the curves' range, labels keep apart and inside
// the picture, remembered curves come back in each view, and functions are
// sampled at least once a pixel.

#include "board_test_support.h"

#include "board/plot_requests.h"
#include "board/view_scale.h"
#include "settings/setting_keys.h"
#include "toolkit/twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

using namespace plotdesk;
using boardtest::colourNear;
using boardtest::rgbOfWord;

namespace {

// A shown board with a picture of the stored default size in a window of
// known size.
std::unique_ptr<mForm1> shownBoard() {
    auto board = boardtest::loadedBoard();
    board->resize(640, 520);
    board->show();
    if (!QTest::qWaitForWindowExposed(board.get())) qWarning("board window not exposed");
    return board;
}

CurveRequest function(const QString& text, double start, double end, double step, int32_t colour = 255) {
    CurveRequest request;
    request.function = text;
    request.range = {start, end, step};
    request.colour = colour;
    return request;
}

CurveRequest parametric(const QString& x, const QString& y, double start, double end, double step,
                        int32_t colour = 255) {
    CurveRequest request;
    request.parametric = true;
    request.xOfT = x;
    request.yOfT = y;
    request.range = {start, end, step};
    request.colour = colour;
    return request;
}

// Turns the wheel over the picture at `at` (pixels), as the platform would.
void turnWheel(mForm1& board, QPointF at, int angle) {
    QWheelEvent wheel(at, board.pxp->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(board.pxp, &wheel);
}

// The numbers of the x tick labels, left to right: those printed on the
// row of the label " 0 " or, without it, on the most common row.
QList<double> xTickValues(const mForm1& board) {
    QMap<double, int> rows;
    for (const auto& printed : board.model().printedTexts()) ++rows[printed.pixels.top()];
    double row = 0;
    int most = 0;
    for (auto it = rows.begin(); it != rows.end(); ++it)
        if (it.value() > most) most = it.value(), row = it.key();
    QList<double> values;
    for (const auto& printed : board.model().printedTexts()) {
        bool number = false;
        const double value = printed.text.trimmed().toDouble(&number);
        if (number && printed.pixels.top() == row) values << value;
    }
    std::sort(values.begin(), values.end());
    return values;
}

bool isOneTwoFive(double spacing) {
    const double mantissa = spacing / std::pow(10.0, std::floor(std::log10(spacing) + 1e-9));
    for (double m : {1.0, 2.0, 5.0})
        if (std::fabs(mantissa - m) < 1e-6) return true;
    return false;
}

}  // namespace

class BoardViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { store_ = std::make_unique<boardtest::TemporaryStore>(); }
    void cleanup() { store_.reset(); }

    void wheelKeepsThePointUnderThePointer_data();
    void wheelKeepsThePointUnderThePointer();
    void dragPansZoomedAndFittedViews_data();
    void dragPansZoomedAndFittedViews();
    void readoutShowsThePixel_data();
    void readoutShowsThePixel();
    void fitSpansTheCurves_data();
    void fitSpansTheCurves();
    void fitFramesWhatMostOfTheCurveTakes_data();
    void fitFramesWhatMostOfTheCurveTakes();
    void parametricFitKeepsTheShape_data();
    void parametricFitKeepsTheShape();
    void oneAxisOneLabelForm();
    void labelsKeepApartInsideThePicture_data();
    void labelsKeepApartInsideThePicture();
    void rememberedCurvesComeBackInEachView();
    void functionsSampledEveryPixel();
    void deepZoomDrawsCurvesWhereTheyBelong();
    void pictureAndWindowNameTheFit();

private:
    std::unique_ptr<boardtest::TemporaryStore> store_;
};

void BoardViewTest::wheelKeepsThePointUnderThePointer_data() {
    QTest::addColumn<QPointF>("share");  // where the pointer is, as a share of the picture
    QTest::addColumn<int>("angle");
    QTest::newRow("one notch in at the centre") << QPointF(0.5, 0.5) << 120;
    QTest::newRow("one notch in near a corner") << QPointF(0.1, 0.85) << 120;
    QTest::newRow("one notch out") << QPointF(0.7, 0.2) << -120;
    QTest::newRow("two notches in") << QPointF(0.3, 0.6) << 240;
    QTest::newRow("part of a notch") << QPointF(0.6, 0.4) << 40;
}

void BoardViewTest::wheelKeepsThePointUnderThePointer() {
    QFETCH(QPointF, share);
    QFETCH(int, angle);
    auto board = shownBoard();
    toolkit::PictureArea* pxp = board->pxp;
    const QPointF at(share.x() * pxp->width(), share.y() * pxp->height());
    const QPointF before = pxp->toScale(at);
    const double widthBefore = pxp->scaleWidth();
    for (int turn = 0; turn < 3; ++turn) turnWheel(*board, at, angle);
    QCOMPARE(board->view(), mForm1::View::Zoomed);
    const QPointF after = pxp->toScale(at);
    QVERIFY2(
        qAbs(after.x() - before.x()) < 1e-9 * widthBefore && qAbs(after.y() - before.y()) < 1e-9 * widthBefore,
        qPrintable(QString("(%1,%2) became (%3,%4)").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
    QVERIFY(qAbs(pxp->scaleWidth() - widthBefore / std::pow(1.25, 3 * angle / 120.0)) < 1e-9 * widthBefore);
}

// In a zoomed or fitted view a left drag pans: the picture stays in place,
// the point grabbed ends under the pointer, and the curve is drawn anew
// where it now belongs.
void BoardViewTest::dragPansZoomedAndFittedViews_data() {
    QTest::addColumn<bool>("fitted");
    QTest::addColumn<QPoint>("drag");
    QTest::newRow("zoomed, to the lower right") << false << QPoint(40, 25);
    QTest::newRow("zoomed, to the upper left") << false << QPoint(-35, -30);
    QTest::newRow("fitted, sideways") << true << QPoint(-80, 0);
}

void BoardViewTest::dragPansZoomedAndFittedViews() {
    QFETCH(bool, fitted);
    QFETCH(QPoint, drag);
    auto board = shownBoard();
    toolkit::PictureArea* pxp = board->pxp;
    board->model().plot(function("x/2", -200, 200, 1));
    fitted ? board->fitToWindow() : board->zoomIn();
    const double left = pxp->leftTwips(), top = pxp->topTwips(), width = pxp->scaleWidth();
    const QPoint from(pxp->width() / 2, pxp->height() / 2);
    const QPointF grabbed = pxp->toScale(from);
    const double unitsPerPixel = std::fabs(width) / pxp->width();
    const QPointF endsOver = pxp->toScale(from + drag);  // in the view before the drag
    QTest::mousePress(pxp, Qt::LeftButton, {}, from);
    QTest::mouseMove(pxp, from + drag / 2);
    const QString halfway = board->windowTitle();
    QTest::mouseMove(pxp, from + drag);
    // The read-out follows the pointer over the view as it was at the press.
    const QString title = board->windowTitle();
    QVERIFY(title != halfway);
    const QStringList values = title.section('(', 1).chopped(1).split(',');
    QCOMPARE(values.size(), 2);
    QVERIFY2(qAbs(values[0].toDouble() - endsOver.x()) <= unitsPerPixel &&
                 qAbs(values[1].toDouble() + endsOver.y()) <= unitsPerPixel,
             qPrintable(title));
    QTest::mouseRelease(pxp, Qt::LeftButton, {}, from + drag);

    QCOMPARE(board->view(), mForm1::View::Zoomed);
    QCOMPARE(pxp->leftTwips(), left);
    QCOMPARE(pxp->topTwips(), top);
    QCOMPARE(pxp->scaleWidth(), width);
    const QPointF under = pxp->toScale(from + drag);
    QVERIFY2(qAbs(under.x() - grabbed.x()) < 1e-9 * width && qAbs(under.y() - grabbed.y()) < 1e-9 * width,
             qPrintable(QString("(%1,%2) is now under the pointer, not (%3,%4)")
                            .arg(under.x())
                            .arg(under.y())
                            .arg(grabbed.x())
                            .arg(grabbed.y())));
    // The origin was grabbed; the curve passes it, a few pixels to its right.
    const double x = pxp->toScale(QPointF(from + drag + QPoint(8, 0))).x();
    QVERIFY(colourNear(pxp, x, -x / 2, rgbOfWord(255)));
}

// In a zoomed view the title reads out the point under the pointer to
// within a pixel, so a few pixels further it reads differently.
void BoardViewTest::readoutShowsThePixel_data() {
    QTest::addColumn<double>("magnification");
    QTest::newRow("one step") << 1.25;
    QTest::newRow("a thousand times") << 1e3;
    QTest::newRow("deep") << 1e8;
}

void BoardViewTest::readoutShowsThePixel() {
    QFETCH(double, magnification);
    auto board = shownBoard();
    toolkit::PictureArea* pxp = board->pxp;
    board->zoomAbout(-0.37, 0.21, magnification);
    const double unitsPerPixel = std::fabs(pxp->scaleWidth()) / pxp->width();
    auto readoutAt = [&](QPoint at) {
        QTest::mouseMove(pxp, at);
        const QString title = board->windowTitle();
        const QStringList values = title.section('(', 1).chopped(1).split(',');
        const QPointF point = pxp->toScale(at);
        [&] {
            QCOMPARE(values.size(), 2);
            QVERIFY2(qAbs(values[0].toDouble() - point.x()) <= unitsPerPixel, qPrintable(title));
            QVERIFY2(qAbs(values[1].toDouble() + point.y()) <= unitsPerPixel, qPrintable(title));
        }();
        return title;
    };
    const QPoint centre(pxp->width() / 2, pxp->height() / 2);
    const QString here = readoutAt(centre);
    if (QTest::currentTestFailed()) return;
    QVERIFY(here.startsWith(QStringLiteral("当前坐标  (")));
    QVERIFY(readoutAt(centre + QPoint(3, 0)) != here);
    QVERIFY(readoutAt(centre + QPoint(0, 3)) != here);
}

void BoardViewTest::fitSpansTheCurves_data() {
    QTest::addColumn<QList<CurveRequest>>("curves");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<bool>("equalUnits");
    QTest::addColumn<double>("lowest");  // the curves' lowest and highest values
    QTest::addColumn<double>("highest");
    QTest::newRow("values fit around the x axis")
        << QList<CurveRequest>{function("sin(x/20)*50", -100, 100, 2)} << -100.0 << 100.0 << true << -50.0 << 50.0;
    QTest::newRow("values fit away from the x axis")
        << QList<CurveRequest>{function("x/10+1000", -100, 100, 2)} << -100.0 << 100.0 << true << 990.0 << 1010.0;
    QTest::newRow("values too tall: y fits them")
        << QList<CurveRequest>{function("x*3", -100, 100, 2)} << -100.0 << 100.0 << false << -300.0 << 300.0;
    QTest::newRow("the widest range spans")
        << QList<CurveRequest>{function("1", -10, 10, 1), function("2", 40, -30, -5)} << -30.0 << 40.0 << true << 1.0
        << 2.0;
}

void BoardViewTest::fitSpansTheCurves() {
    QFETCH(QList<CurveRequest>, curves);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(bool, equalUnits);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    auto board = shownBoard();
    for (const CurveRequest& curve : curves) board->model().plot(curve);
    board->fitToWindow();

    toolkit::PictureArea* pxp = board->pxp;
    QCOMPARE(board->view(), mForm1::View::Fitted);
    QCOMPARE(QPoint(pxp->x(), pxp->y()), QPoint(0, 0));
    QVERIFY(qAbs(pxp->widthTwips() - board->viewportWidthTwips()) <= toolkit::twipsPerPixelX());
    QVERIFY(qAbs(pxp->heightTwips() - board->viewportHeightTwips()) <= toolkit::twipsPerPixelY());
    QVERIFY(qAbs(pxp->scaleLeft() - left) < 1e-9);
    QVERIFY(qAbs(pxp->scaleLeft() + pxp->scaleWidth() - right) < 1e-9);
    const double xUnit = pxp->scaleWidth() / pxp->width(), yUnit = pxp->scaleHeight() / pxp->height();
    QCOMPARE(qAbs(xUnit - yUnit) < 1e-9 * xUnit, equalUnits);
    // Every value the curves reach shows (a value v sits at scale -v).
    QVERIFY(pxp->scaleTop() <= -highest && pxp->scaleTop() + pxp->scaleHeight() >= -lowest);
}

// A fit frames the values most of a curve takes: the extreme values next
// to a pole do not decide the range, nor do the finer samples of the view
// before, so fitting again or resizing and going back gives the same view;
// extreme values that lead into no pole all show.
void BoardViewTest::fitFramesWhatMostOfTheCurveTakes_data() {
    QTest::addColumn<CurveRequest>("curve");
    QTest::addColumn<bool>("allShow");
    QTest::newRow("1/x") << function("1/x*1000", -100, 100, 2) << false;
    QTest::newRow("tan, poles between samples") << function("tan(x/20)*50", -100, 100, 2) << false;
    QTest::newRow("tan(x), no gap at the poles") << function("tan(x)", -10, 10, 0.1) << false;
    QTest::newRow("1/(x-3), pole never sampled") << function("1000/(x-3)", -100, 100, 2) << false;
    QTest::newRow("cubic: the ends show") << function("x*x*x/1000", -100, 100, 2) << true;
    QTest::newRow("narrow peak shows") << function("1000/(1+x*x)", -100, 100, 2) << true;
}

void BoardViewTest::fitFramesWhatMostOfTheCurveTakes() {
    QFETCH(CurveRequest, curve);
    QFETCH(bool, allShow);
    auto board = shownBoard();
    QList<double> values;
    bool recording = true;
    board->model().setEvaluator([&](const std::string& text) {
        const std::string answer = board->model().calculateWithCalculator1(text);
        bool number = false;
        const double value = QString::fromStdString(answer).toDouble(&number);
        if (recording && number) values << value;
        return answer;
    });
    board->model().plot(curve);
    recording = false;
    toolkit::PictureArea* pxp = board->pxp;
    auto scale = [pxp] {
        return QList<double>{pxp->scaleLeft(), pxp->scaleTop(), pxp->scaleWidth(), pxp->scaleHeight()};
    };
    board->fitToWindow();
    const QList<double> fitted = scale();
    board->fitToWindow();
    QCOMPARE(scale(), fitted);
    board->resize(500, 400);
    board->resize(640, 520);
    QCOMPARE(scale(), fitted);

    const double top = -pxp->scaleTop(), bottom = top - pxp->scaleHeight();
    const auto shown = std::count_if(values.begin(), values.end(), [&](double v) { return v <= top && v >= bottom; });
    QVERIFY2(shown >= 0.9 * values.size(), qPrintable(QString("%1 of %2 values show").arg(shown).arg(values.size())));
    if (allShow) {
        QCOMPARE(shown, values.size());
        return;
    }
    std::sort(values.begin(), values.end());
    const double middleSpread = values[int(values.size() * 0.95)] - values[int(values.size() * 0.05)];
    QVERIFY2(top - bottom <= 4 * middleSpread, qPrintable(QString("%1 to %2").arg(bottom).arg(top)));
}

// Parametric curves are fitted by their points with equal units and a
// margin: a circle is round in any picture shape and touches no edge.
void BoardViewTest::parametricFitKeepsTheShape_data() {
    QTest::addColumn<QSize>("picture");
    QTest::newRow("wide") << QSize(1600, 1200);
    QTest::newRow("square") << QSize(800, 800);
    QTest::newRow("tall") << QSize(500, 900);
}

void BoardViewTest::parametricFitKeepsTheShape() {
    QFETCH(QSize, picture);
    auto board = boardtest::loadedBoard();
    board->model().plot(parametric("300*cos(t)", "300*sin(t)", 0, 6.3, 0.01));
    board->model().plot(function("x/10", -100, 100, 2));
    board->model().fitView(picture);
    toolkit::PictureArea* pxp = board->pxp;
    QCOMPARE(pxp->size(), picture);
    const double xUnit = pxp->scaleWidth() / pxp->width(), yUnit = pxp->scaleHeight() / pxp->height();
    QVERIFY2(qAbs(xUnit - yUnit) < 1e-9 * xUnit, qPrintable(QString("%1 and %2 units a pixel").arg(xUnit).arg(yUnit)));
    // The circle's extremes lie inside, clear of the edges, and centred.
    const QPointF topLeft = pxp->toPixels(-300, -300), bottomRight = pxp->toPixels(300, 300);
    const double margin = 0.04 * std::min(picture.width(), picture.height());
    QVERIFY(topLeft.x() >= margin && topLeft.y() >= margin);
    QVERIFY(bottomRight.x() <= picture.width() - margin && bottomRight.y() <= picture.height() - margin);
    QVERIFY(qAbs(topLeft.x() + bottomRight.x() - picture.width()) < 1);
    QVERIFY(qAbs(topLeft.y() + bottomRight.y() - picture.height()) < 1);
}

// Once a label of an axis needs the exponent form, every label of that
// axis is written in it (but 0); an axis of small numbers keeps plain ones.
void BoardViewTest::oneAxisOneLabelForm() {
    auto board = shownBoard();
    board->model().plot(function("x*1E+14", -20, 20, 1));
    board->fitToWindow();
    QStringList large, small;
    for (const auto& printed : board->model().printedTexts()) {
        bool number = false;
        const double value = printed.text.trimmed().toDouble(&number);
        if (number && value != 0) (std::fabs(value) >= 1e3 ? large : small) << printed.text.trimmed();
    }
    QVERIFY(std::any_of(large.begin(), large.end(), [](const QString& text) { return text.toDouble() < 1e15; }));
    for (const QString& text : large) QVERIFY2(text.contains("E+"), qPrintable(large.join(' ')));
    QVERIFY(!small.isEmpty());
    for (const QString& text : small) QVERIFY2(!text.contains('E'), qPrintable(small.join(' ')));
}

// Tick labels and the legend's curve labels never cover one another, all
// lie wholly inside the picture, and the ticks run at a 1-2-5 spacing; a
// legend that cannot hold every curve counts the others.
void BoardViewTest::labelsKeepApartInsideThePicture_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<int>("functions");
    QTest::newRow("fitted") << "fit" << 0 << true << 4;
    QTest::newRow("fitted, tick marks") << "fit" << 0 << false << 4;
    QTest::newRow("zoomed in at the centre") << "in" << 6 << true << 4;
    QTest::newRow("zoomed in far") << "in" << 40 << true << 4;
    QTest::newRow("zoomed out") << "out" << 3 << true << 4;
    QTest::newRow("zoomed out far: long labels") << "out" << 40 << true << 4;
    QTest::newRow("origin out of sight, tick marks") << "corner" << 12 << false << 4;
    QTest::newRow("fitted, more curves than rows") << "fit" << 0 << true << 40;
    QTest::newRow("zoomed in, the default picture: no room beside the curves") << "small" << 2 << true << 4;
}

void BoardViewTest::labelsKeepApartInsideThePicture() {
    QFETCH(QString, command);
    QFETCH(int, steps);
    QFETCH(bool, grid);
    QFETCH(int, functions);
    boardtest::ScriptedQuestions questions;
    questions.grid = grid;
    if (command != "small") store_->set({{"width", "5500"}, {"_heiht", "4000"}});
    auto board = shownBoard();
    for (int i = 0; i < functions; ++i)
        board->model().plot(function(QString("sin(x/20)*300+%1").arg(i * 10), -100, 100, 2));
    board->model().plot(parametric("t*5", "t*t", -10, 10, 1));
    if (command == "fit") board->fitToWindow();
    for (int step = 0; step < steps; ++step) {
        if (command == "in" || command == "small") board->zoomIn();
        if (command == "out") board->zoomOut();
        if (command == "corner") board->zoomAbout(board->pxp->scaleLeft(), board->pxp->scaleTop(), 1.25);
    }
    const auto& printed = board->model().printedTexts();
    // Rounding may put an edge a hair beyond the picture's.
    const QRectF picture = QRectF(0, 0, board->pxp->width(), board->pxp->height()).adjusted(-0.01, -0.01, 0.01, 0.01);
    for (size_t i = 0; i < printed.size(); ++i) {
        QVERIFY2(picture.contains(printed[i].pixels), qPrintable(printed[i].text));
        for (size_t j = i + 1; j < printed.size(); ++j)
            QVERIFY2(!labelsOverlap(printed[i].pixels, printed[j].pixels),
                     qPrintable(printed[i].text + " covers " + printed[j].text));
    }
    const auto labelled = std::count_if(printed.begin(), printed.end(), [](const auto& entry) {
        return entry.text.startsWith(" Y =") || entry.text.startsWith("  X =");
    });
    const auto others = std::find_if(printed.begin(), printed.end(),
                                     [](const auto& entry) { return entry.text.startsWith("……另有 "); });
    QCOMPARE(labelled + (others == printed.end() ? 0 : others->text.section(' ', 1, 1).toInt()), functions + 1);
    // The legend may leave a small picture's axis a single label.
    const QList<double> ticks = xTickValues(*board);
    if (command == "small" && ticks.size() < 2) return;
    QVERIFY2(ticks.size() >= 2, qPrintable(QString::number(ticks.size())));
    const double spacing = ticks[1] - ticks[0];
    QVERIFY2(isOneTwoFive(spacing), qPrintable(QString::number(spacing)));
    for (qsizetype i = 2; i < ticks.size(); ++i) QVERIFY(qAbs(ticks[i] - ticks[i - 1] - spacing) < 1e-6 * spacing);
}

// A view change draws every remembered curve again, in its own colour and
// with its label, without moving the colour cycle; 返回原点 goes back to the
// layout from the settings with the curves; 清除 forgets them.
void BoardViewTest::rememberedCurvesComeBackInEachView() {
    // A picture with room for the curves beside the legend.
    store_->set({{"width", "5500"}, {"_heiht", "5500"}});
    auto board = shownBoard();
    board->start->setText("-100");
    board->end->setText("100");
    board->step1->setText("2");
    board->表达式1->setText("300");
    board->Command1_Click();
    const QRgb firstColour = rgbOfWord(Settings().fcolor);
    board->model().plot(parametric("t", "-400", -200, 200, 50, 0x00FF00));
    // A step from -200 to 200 with no value at x = 50 between.
    constexpr int32_t stepColour = 0xC08000;
    board->model().plot(function("abs(x-50)/(x-50)*200", -100, 100, 2, stepColour));
    const int colourIndex = board->ColorIndex();
    const int penColour = Settings().fcolor;
    auto labels = [&board] {
        QStringList texts;
        for (const auto& printed : board->model().printedTexts())
            if (printed.text.contains('=')) texts << printed.text;
        return texts;
    };
    const QStringList curveLabels{" Y =300", "  X =t", "  Y =-400", " Y =abs(x-50)/(x-50)*200"};
    QCOMPARE(labels(), curveLabels);
    // A legend may shorten a label to fit, ending it in "…".
    auto legendHoldsTheLabels = [&] {
        const QStringList shown = labels();
        if (shown.size() != curveLabels.size()) return false;
        for (qsizetype i = 0; i < shown.size(); ++i)
            if (shown[i] != curveLabels[i] &&
                !(shown[i].endsWith(u'…') && curveLabels[i].startsWith(shown[i].chopped(1))))
                return false;
        return true;
    };

    board->zoomAbout(0, 0, 2);
    QVERIFY2(legendHoldsTheLabels(), qPrintable(labels().join('|')));
    QVERIFY(colourNear(board->pxp, 50, -300, firstColour));
    QVERIFY(colourNear(board->pxp, 50, 400, 0x00FF00));
    QVERIFY(colourNear(board->pxp, 80, -200, rgbOfWord(stepColour)));
    // Nothing joins across the missing value, nor strays off the curves.
    QVERIFY(!colourNear(board->pxp, 50, 0, rgbOfWord(stepColour)));
    QVERIFY(!colourNear(board->pxp, -50, -250, firstColour));
    board->fitToWindow();
    QVERIFY2(legendHoldsTheLabels(), qPrintable(labels().join('|')));
    QVERIFY(colourNear(board->pxp, 50, -300, firstColour));
    QCOMPARE(board->ColorIndex(), colourIndex);
    QCOMPARE(Settings().fcolor, penColour);

    board->Command3_Click();
    QCOMPARE(board->view(), mForm1::View::Classic);
    QCOMPARE(board->pxp->scaleWidth(), 2000.0);
    QCOMPARE(board->pxp->widthTwips(), 5500.0);
    QCOMPARE(labels(), curveLabels);
    QVERIFY(colourNear(board->pxp, 50, -300, firstColour));

    board->Command2_Click();
    board->zoomIn();
    QCOMPARE(labels(), QStringList());
    QVERIFY(!colourNear(board->pxp, 50, -300, firstColour));
}

// In a zoomed or fitted view a function is sampled at least once a pixel
// over the part that shows, and its own samples stay among them.
void BoardViewTest::functionsSampledEveryPixel() {
    auto board = shownBoard();
    QList<double> samples;
    board->model().setEvaluator([&](const std::string& text) {
        samples << QString::fromStdString(text).remove('(').remove(')').toDouble();
        return board->model().calculateWithCalculator1(text);
    });
    board->model().plot(function("x", -100, 100, 10));
    QCOMPARE(samples.size(), 21);
    for (const bool fit : {true, false}) {
        samples.clear();
        if (fit)
            board->fitToWindow();
        else
            board->zoomAbout(30, 0, 4);
        const double pixel = board->pxp->scaleWidth() / board->pxp->width();
        const double left = board->pxp->scaleLeft(), right = left + board->pxp->scaleWidth();
        QVERIFY(samples.first() <= std::max(left, -100.0) && samples.last() >= std::min(right, 100.0));
        for (qsizetype i = 1; i < samples.size(); ++i) QVERIFY(samples[i] - samples[i - 1] <= pixel * (1 + 1e-9));
        // Only the part that shows is walked.
        QVERIFY(samples.size() <= (std::min(right, 100.0) - std::max(left, -100.0)) / pixel * 1.1 + 3);
        for (double own = -100; own <= 100; own += 10)
            if (own >= left && own <= right)
                QVERIFY(std::any_of(samples.begin(), samples.end(), [own](double v) { return qAbs(v - own) < 1e-9; }));
    }
}

// A view narrower than a float's step at its coordinates: the curve must
// still cross it at its own slope, not collapse onto a column or two.
void BoardViewTest::deepZoomDrawsCurvesWhereTheyBelong() {
    constexpr int32_t kGreen = 0x008000;
    auto board = shownBoard();
    board->model().plot(function("x/3", 100, 200, 1, kGreen));
    board->zoomAbout(150, -50, board->pxp->scaleWidth() / 1e-5);
    const double left = board->pxp->scaleLeft(), width = board->pxp->scaleWidth();
    QVERIFY(width < 2e-5);
    for (const double share : {0.15, 0.5, 0.85}) {
        const double x = left + share * width;
        QVERIFY2(colourNear(board->pxp, x, -x / 3, rgbOfWord(kGreen)), qPrintable(QString::number(share)));
    }
}

// The picture and the window's area around it name 适合窗口 and its key.
void BoardViewTest::pictureAndWindowNameTheFit() {
    auto board = boardtest::loadedBoard();
    for (const QWidget* widget : {static_cast<QWidget*>(board->pxp), board->pxp->parentWidget()}) {
        QVERIFY2(widget->toolTip().contains(QStringLiteral("适合窗口")), qPrintable(widget->toolTip()));
        QVERIFY2(widget->toolTip().contains(board->fitAction->shortcut().toString(QKeySequence::NativeText)),
                 qPrintable(widget->toolTip()));
    }
}

QTEST_MAIN(BoardViewTest)
#include "tst_board_view.moc"
