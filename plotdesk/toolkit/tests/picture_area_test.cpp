// The picture area: scale mapping, persistent drawing, colours, text
// position, pointer events and refused values; the drawing record drawn
// again at other pixel ratios and scales, wiped, and smoothed.

#include "toolkit/picture_area.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace plotdesk::toolkit;

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kGreen = 0x00FF00;

// A 200 by 100 pixel area with the board's usual scale: x from -1000 over
// 2000 units, y from -1000 over 2000 units.
struct BoardArea {
    PictureArea area;
    BoardArea() {
        area.resize(200, 100);
        area.setBackColor(kWhite);
        area.setScaleLeft(-1000);
        area.setScaleTop(-1000);
        area.setScaleWidth(2000);
        area.setScaleHeight(2000);
    }
};

int32_t wordAt(const QImage& image, int x, int y) { return colorWord(image.pixelColor(x, y)); }

int countPixels(const QImage& image, int32_t word) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += wordAt(image, x, y) == word;
    return count;
}

// The area's picture drawn onto an image of `logical` size at a pixel ratio.
QImage rendered(const PictureArea& area, QSize logical, qreal ratio) {
    QImage image((QSizeF(logical) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    area.renderPicture(painter, QSizeF(logical));
    return image;
}

// The rows of a column holding `word`, and whether every other pixel of the
// column is `background` (no blurred edge).
QPair<int, bool> rowsInColumn(const QImage& image, int column, int32_t word, int32_t background) {
    int rows = 0;
    bool clean = true;
    for (int y = 0; y < image.height(); ++y) {
        const int32_t here = wordAt(image, column, y);
        rows += here == word;
        clean = clean && (here == word || here == background);
    }
    return {rows, clean};
}

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

}  // namespace

class PictureAreaTest : public QObject {
    Q_OBJECT
private slots:
    void scaleMapsKnownPoints_data();
    void scaleMapsKnownPoints();
    void toScaleInvertsToPixels();
    void defaultScaleIsTheSizeInTwips();
    void zeroOrNonFiniteScaleIsRefused();
    void refusedSizesKeepTheOldSize();
    void sizeInTwipsRoundTrips();

    void linesLandOnTheirPixels();
    void lineWithoutColourUsesForeColour();
    void drawingSurvivesRepaintsAndResizes();
    void clsAndBackColourWipeTheDrawing();
    void backgroundPictureStaysUnderTheDrawing();
    void unreadablePictureIsRefused();
    void boxDrawsOnlyTheOutline();
    void drawWidthThickensLinesAndIsClamped();
    void farAwayEndPointsAreClippedNotLost();
    void nonFiniteSegmentsAreSkipped();
    void emptyAreaDrawsNothingSafely();

    void lineMovesTheCurrentPosition();
    void printMovesTheCurrentPosition();
    void printWritesInTheForeColour();

    void pointerEventsReportScaleUnitsAndButtonCodes();
    void manySegmentsAllReachTheImage();

    void linesStayCrispAtAnyPixelRatio_data();
    void linesStayCrispAtAnyPixelRatio();
    void stepsKeepTheScaleTheyWereDrawnWith();
    void wipesEmptyTheRecord_data();
    void wipesEmptyTheRecord();
    void smoothLinesAreAntiAliased_data();
    void smoothLinesAreAntiAliased();
    void smoothGridLinesStayCrisp();
};

void PictureAreaTest::scaleMapsKnownPoints_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPointF>("pixel");
    QTest::newRow("origin at the centre") << 0.0 << 0.0 << QPointF(100, 50);
    QTest::newRow("top-left corner") << -1000.0 << -1000.0 << QPointF(0, 0);
    QTest::newRow("bottom-right corner") << 1000.0 << 1000.0 << QPointF(200, 100);
    QTest::newRow("quarter way") << -500.0 << 500.0 << QPointF(50, 75);
}

void PictureAreaTest::scaleMapsKnownPoints() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPointF, pixel);
    BoardArea board;
    QCOMPARE(board.area.toPixels(x, y), pixel);
}

void PictureAreaTest::toScaleInvertsToPixels() {
    PictureArea strip;
    strip.resize(300, 20);
    // The progress strip's scale: x from start to end, y from 200 up to 100.
    strip.setScaleLeft(-100);
    QVERIFY(strip.setScaleWidth(200));
    strip.setScaleTop(200);
    QVERIFY(strip.setScaleHeight(-100));
    QCOMPARE(strip.toPixels(0, 150), QPointF(150, 10));
    const QPointF back = strip.toScale(QPointF(75, 5));
    QCOMPARE(back.x(), -50.0);
    QCOMPARE(back.y(), 175.0);
}

void PictureAreaTest::defaultScaleIsTheSizeInTwips() {
    PictureArea area;
    area.setSizeTwips(3000, 1500);
    QCOMPARE(area.scaleLeft(), 0.0);
    QCOMPARE(area.scaleTop(), 0.0);
    QCOMPARE(area.scaleWidth(), 3000.0);
    QCOMPARE(area.scaleHeight(), 1500.0);
    area.setSizeTwips(6000, 1500);
    QCOMPARE(area.scaleWidth(), 6000.0);  // follows the size until a scale is set

    // Setting one part of the scale keeps the others.
    QVERIFY(area.setScaleWidth(100));
    QCOMPARE(area.scaleHeight(), 1500.0);
    area.setSizeTwips(9000, 9000);
    QCOMPARE(area.scaleWidth(), 100.0);
}

void PictureAreaTest::zeroOrNonFiniteScaleIsRefused() {
    BoardArea board;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double refused : {0.0, -0.0, nan, inf}) {
        QVERIFY(!board.area.setScaleWidth(refused));
        QVERIFY(!board.area.setScaleHeight(refused));
    }
    board.area.setScaleLeft(nan);
    board.area.setScaleTop(inf);
    QCOMPARE(board.area.scaleWidth(), 2000.0);
    QCOMPARE(board.area.scaleHeight(), 2000.0);
    QCOMPARE(board.area.scaleLeft(), -1000.0);
    QCOMPARE(board.area.scaleTop(), -1000.0);
    QVERIFY(board.area.setScaleWidth(-2000));  // a turned-round axis is fine
    QCOMPARE(board.area.toPixels(-1000, 0).x(), 0.0);
    QCOMPARE(board.area.toPixels(-2000, 0).x(), 100.0);
}

void PictureAreaTest::refusedSizesKeepTheOldSize() {
    PictureArea area;
    area.setSizeTwips(2000, 2000);
    const QSize before = area.size();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QList<QPair<double, double>> refused{{-1, 100}, {100, -15}, {nan, 100}, {100, 1e12}, {1e300, 1e300}};
    for (const auto& [w, h] : refused) {
        area.setSizeTwips(w, h);
        QCOMPARE(area.size(), before);
        QCOMPARE(area.widthTwips(), 2000.0);
        QCOMPARE(area.heightTwips(), 2000.0);
    }
}

void PictureAreaTest::sizeInTwipsRoundTrips() {
    PictureArea area;
    area.setLeftTwips(-350.5);
    area.setTopTwips(120);
    area.setSizeTwips(2000, 1000);
    // The twips given are what is read back, although pixels are whole.
    QCOMPARE(area.leftTwips(), -350.5);
    QCOMPARE(area.topTwips(), 120.0);
    QCOMPARE(area.widthTwips(), 2000.0);
    QCOMPARE(area.size(), QSize(twipsToPixelsX(2000), twipsToPixelsY(1000)));
    // After an outside resize the pixel size is the truth.
    area.resize(10, 10);
    QCOMPARE(area.widthTwips(), pixelsToTwipsX(10));
}

void PictureAreaTest::linesLandOnTheirPixels() {
    BoardArea board;
    board.area.line(-1000, 0, 1000, 0, kRed);   // horizontal through the centre
    board.area.line(0, -1000, 0, 1000, kBlue);  // vertical through the centre
    const QImage image = board.area.image();
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(wordAt(image, 10, 50), kRed);
    QCOMPARE(wordAt(image, 190, 50), kRed);
    QCOMPARE(wordAt(image, 100, 10), kBlue);
    QCOMPARE(wordAt(image, 100, 90), kBlue);
    QCOMPARE(wordAt(image, 10, 40), kWhite);
    QCOMPARE(wordAt(image, 50, 10), kWhite);
}

void PictureAreaTest::lineWithoutColourUsesForeColour() {
    BoardArea board;
    board.area.setForeColor(kGreen);
    board.area.line(-1000, -500, 1000, -500);
    QCOMPARE(wordAt(board.area.image(), 100, 25), kGreen);
}

void PictureAreaTest::drawingSurvivesRepaintsAndResizes() {
    BoardArea board;
    board.area.line(-1000, 0, 1000, 0, kRed);
    board.area.show();
    board.area.repaint();
    const qreal ratio = board.area.devicePixelRatioF();  // grab() is in device pixels
    QCOMPARE(wordAt(board.area.grab().toImage(), qRound(60 * ratio), qRound(50 * ratio)), kRed);
    board.area.repaint();
    QCOMPARE(wordAt(board.area.image(), 60, 50), kRed);
    board.area.resize(400, 200);  // the drawing keeps its place at the top-left
    const QImage grown = board.area.image();
    QCOMPARE(grown.size(), QSize(400, 200));
    QCOMPARE(wordAt(grown, 60, 50), kRed);
    QCOMPARE(wordAt(grown, 300, 150), kWhite);

    // A hidden area that grows between two strokes keeps both.
    BoardArea hidden;
    hidden.area.line(-1000, 0, 1000, 0, kRed);
    hidden.area.resize(400, 200);
    hidden.area.line(0, 500, 1000, 500, kBlue);  // row 150, in the new part
    const QImage both = hidden.area.image();
    QCOMPARE(wordAt(both, 60, 50), kRed);
    QCOMPARE(wordAt(both, 300, 150), kBlue);
}

void PictureAreaTest::clsAndBackColourWipeTheDrawing() {
    BoardArea board;
    board.area.line(-1000, 0, 1000, 0, kRed);
    board.area.cls();
    QCOMPARE(countPixels(board.area.image(), kRed), 0);
    QCOMPARE(board.area.currentX(), -1000.0);
    QCOMPARE(board.area.currentY(), -1000.0);

    board.area.line(-1000, 0, 1000, 0, kRed);
    board.area.setBackColor(kGreen);
    const QImage image = board.area.image();
    QCOMPARE(countPixels(image, kRed), 0);
    QCOMPARE(countPixels(image, kGreen), 200 * 100);
    QCOMPARE(board.area.backColor(), kGreen);
}

void PictureAreaTest::backgroundPictureStaysUnderTheDrawing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("back.png"));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    QVERIFY(picture.save(path));

    BoardArea board;
    QVERIFY(board.area.loadPicture(path));
    board.area.line(-1000, -950, 1000, -950, kRed);  // pixel row 2, over the picture
    board.area.setBackColor(kWhite);                 // wipes the line, keeps the picture
    board.area.line(-1000, 0, 1000, 0, kBlue);
    QImage image = board.area.image();
    QCOMPARE(wordAt(image, 5, 2), colorWord(Qt::yellow));
    QCOMPARE(wordAt(image, 30, 2), kWhite);
    QCOMPARE(wordAt(image, 5, 50), kBlue);

    board.area.cls();
    QCOMPARE(wordAt(board.area.image(), 5, 5), colorWord(Qt::yellow));
    QVERIFY(board.area.loadPicture(QString()));
    QVERIFY(!board.area.hasPicture());
    QCOMPARE(wordAt(board.area.image(), 5, 5), kWhite);
}

void PictureAreaTest::unreadablePictureIsRefused() {
    QTemporaryDir dir;
    const QString notAPicture = dir.filePath(QStringLiteral("notes.png"));
    QFile file(notAPicture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not an image");
    file.close();

    BoardArea board;
    for (const QString& path : {notAPicture, dir.filePath(QStringLiteral("missing.png"))}) {
        QVERIFY(!board.area.loadPicture(path));
        QVERIFY(!board.area.hasPicture());
    }
}

void PictureAreaTest::boxDrawsOnlyTheOutline() {
    BoardArea board;
    // Pixels (20, 10) to (80, 40).
    board.area.box(-800, -800, -200, -200, kBlue);
    const QImage image = board.area.image();
    const QList<QPoint> outline{{20, 10}, {80, 10}, {20, 40}, {80, 40}, {50, 10}, {50, 40}, {20, 25}, {80, 25}};
    for (const QPoint& p : outline)
        QVERIFY2(wordAt(image, p.x(), p.y()) == kBlue, qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
    for (const QPoint& p : QList<QPoint>{{50, 25}, {30, 20}, {70, 35}, {90, 25}, {50, 45}})
        QCOMPARE(wordAt(image, p.x(), p.y()), kWhite);
    QCOMPARE(board.area.currentX(), -200.0);
    QCOMPARE(board.area.currentY(), -200.0);

    // A box reaching far beyond the area shows only its edges inside it.
    BoardArea large;
    large.area.box(-1e9, -1e9, 1e9, 0, kRed);
    const QImage clipped = large.area.image();
    QCOMPARE(countPixels(clipped, kRed), 200);
    QCOMPARE(wordAt(clipped, 0, 50), kRed);
    QCOMPARE(wordAt(clipped, 199, 50), kRed);
    QCOMPARE(wordAt(clipped, 0, 0), kWhite);

    // A flat box is a line.
    BoardArea flat;
    flat.area.box(-500, 0, 500, 0, kRed);  // 100 pixels long
    const int flatPixels = countPixels(flat.area.image(), kRed);
    QVERIFY2(flatPixels >= 100 && flatPixels <= 101, qPrintable(QString::number(flatPixels)));
}

void PictureAreaTest::drawWidthThickensLinesAndIsClamped() {
    BoardArea board;
    board.area.setDrawWidth(0);
    QCOMPARE(board.area.drawWidth(), 1);
    board.area.setDrawWidth(-7);
    QCOMPARE(board.area.drawWidth(), 1);

    board.area.line(-1000, -500, 1000, -500, kRed);
    board.area.setDrawWidth(7);
    board.area.line(-1000, 500, 1000, 500, kBlue);
    const QImage image = board.area.image();
    int thin = 0, thick = 0;
    for (int y = 0; y < image.height(); ++y) {
        thin += wordAt(image, 100, y) == kRed;
        thick += wordAt(image, 100, y) == kBlue;
    }
    QCOMPARE(thin, 1);
    QCOMPARE(thick, 7);
}

void PictureAreaTest::farAwayEndPointsAreClippedNotLost() {
    BoardArea board;
    // A steep segment from the centre to a point a billion units up: the
    // visible part is the vertical line from the centre to the top edge.
    board.area.line(0, 0, 0, -1e12, kRed);
    board.area.line(-1e300, 500, 1e300, 500, kBlue);
    const QImage image = board.area.image();
    QCOMPARE(wordAt(image, 100, 5), kRed);
    QCOMPARE(wordAt(image, 100, 45), kRed);
    QCOMPARE(wordAt(image, 100, 60), kWhite);
    QCOMPARE(wordAt(image, 1, 75), kBlue);
    QCOMPARE(wordAt(image, 198, 75), kBlue);
    QCOMPARE(board.area.currentX(), 1e300);
}

void PictureAreaTest::nonFiniteSegmentsAreSkipped() {
    BoardArea board;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    board.area.line(nan, 0, 10, 10, kRed);
    board.area.line(0, 0, inf, 10, kRed);
    board.area.line(-inf, -inf, inf, inf, kRed);
    board.area.box(nan, 0, 10, 10, kRed);
    QCOMPARE(countPixels(board.area.image(), kRed), 0);
}

void PictureAreaTest::emptyAreaDrawsNothingSafely() {
    PictureArea area;
    area.setSizeTwips(0, 0);
    QCOMPARE(area.size(), QSize(0, 0));
    QVERIFY(!area.setScaleWidth(area.scaleWidth()));  // the default scale of an empty area is 0 wide
    area.line(0, 0, 10, 10, kRed);
    area.box(0, 0, 10, 10, kRed);
    area.print(QStringLiteral("label"));
    QCOMPARE(area.currentX(), 0.0);
    QVERIFY(area.image().isNull());
    // Growing it afterwards gives a blank, drawable picture.
    area.setBackColor(kWhite);
    area.resize(10, 10);
    QCOMPARE(countPixels(area.image(), kWhite), 100);
    area.line(0, 0, area.scaleWidth(), area.scaleHeight(), kRed);
    QVERIFY(countPixels(area.image(), kRed) >= 9);
}

void PictureAreaTest::lineMovesTheCurrentPosition() {
    BoardArea board;
    board.area.line(-10, -20, 98, -98, kRed);
    QCOMPARE(board.area.currentX(), 98.0);
    QCOMPARE(board.area.currentY(), -98.0);
}

void PictureAreaTest::printMovesTheCurrentPosition() {
    BoardArea board;
    const double lineHeight = board.area.textHeight();
    QVERIFY(lineHeight > 0);
    // One text line of the area's font, in scale units.
    QCOMPARE(lineHeight, QFontMetricsF(board.area.font()).height() / 100 * 2000);

    board.area.setCurrentX(98);
    board.area.setCurrentY(-98);
    board.area.print(QStringLiteral(" Y ="), false);
    QCOMPARE(board.area.currentX(), 98 + board.area.textWidth(QStringLiteral(" Y =")));
    QCOMPARE(board.area.currentY(), -98.0);
    board.area.print(QStringLiteral("x"));
    QCOMPARE(board.area.currentX(), -1000.0);  // back to the scale's left edge
    QCOMPARE(board.area.currentY(), -98 + lineHeight);
    board.area.print(QString());  // an empty line still moves down
    QCOMPARE(board.area.currentY(), -98 + 2 * lineHeight);
}

void PictureAreaTest::printWritesInTheForeColour() {
    BoardArea board;
    board.area.setForeColor(kBlue);
    board.area.setCurrentX(0);
    board.area.setCurrentY(0);
    board.area.print(QStringLiteral("MMMM"));
    const QImage image = board.area.image();
    int inked = 0, elsewhere = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (wordAt(image, x, y) != kWhite) (x >= 100 && y >= 50 ? inked : elsewhere) += 1;
    QVERIFY(inked > 0);  // the text's top-left is the current position
    QCOMPARE(elsewhere, 0);
    QVERIFY(countPixels(image, kBlue) > 0);
}

void PictureAreaTest::pointerEventsReportScaleUnitsAndButtonCodes() {
    BoardArea board;
    board.area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board.area));
    QSignalSpy downs(&board.area, &PictureArea::mouseDown);
    QSignalSpy ups(&board.area, &PictureArea::mouseUp);
    QSignalSpy moves(&board.area, &PictureArea::mouseMove);

    const QList<QPair<Qt::MouseButton, int>> buttons{{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}};
    for (const auto& [button, code] : buttons) {
        QTest::mousePress(&board.area, button, Qt::NoModifier, QPoint(150, 25));
        QTest::mouseRelease(&board.area, button, Qt::NoModifier, QPoint(50, 75));
        const QList<QVariant> down = downs.takeFirst();
        QCOMPARE(down.at(0).toInt(), code);
        QCOMPARE(down.at(1).toDouble(), 500.0);
        QCOMPARE(down.at(2).toDouble(), -500.0);
        const QList<QVariant> up = ups.takeFirst();
        QCOMPARE(up.at(0).toInt(), code);
        QCOMPARE(up.at(1).toDouble(), -500.0);
        QCOMPARE(up.at(2).toDouble(), 500.0);
    }

    QMouseEvent drag(QEvent::MouseMove, QPointF(100, 50), board.area.mapToGlobal(QPointF(100, 50)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&board.area, &drag);
    QVERIFY(!moves.isEmpty());
    const QList<QVariant> move = moves.takeLast();
    QCOMPARE(move.at(0).toInt(), 3);
    QCOMPARE(move.at(1).toDouble(), 0.0);
    QCOMPARE(move.at(2).toDouble(), 0.0);
}

void PictureAreaTest::manySegmentsAllReachTheImage() {
    BoardArea board;
    board.area.resize(800, 800);
    board.area.show();  // drawing on a shown area also schedules repaints
    QVERIFY(QTest::qWaitForWindowExposed(&board.area));
    constexpr int segments = 100000;
    // Back and forth across the area: segments of a few pixels, as a plot
    // with a fine step draws them.
    double previousX = -1000, previousY = 0;
    for (int i = 1; i <= segments; ++i) {
        const double x = -1000 + 2.0 * (i % 1000);
        const double y = 800 * std::sin(i / 50.0);
        board.area.line(previousX, previousY, x, y, kRed);
        previousX = x;
        previousY = y;
    }
    // The painter stays open between strokes; reading the image back must
    // still see them.
    const QImage image = board.area.image();
    QVERIFY(countPixels(image, kRed) > 1000);
}

void PictureAreaTest::linesStayCrispAtAnyPixelRatio_data() {
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("thin, ratio 1") << 1 << 1.0;
    QTest::newRow("thin, ratio 2") << 1 << 2.0;
    QTest::newRow("thin, ratio 3") << 1 << 3.0;
    QTest::newRow("wide, ratio 2") << 3 << 2.0;
}

// A line is as many device pixels wide as its pen's logical pixels at the
// ratio, with no blurred edge, and a slanted one steps at device pixels, not
// at logical ones; on an image and on the screen alike.
void PictureAreaTest::linesStayCrispAtAnyPixelRatio() {
    QFETCH(int, penWidth);
    QFETCH(qreal, ratio);
    BoardArea board;
    board.area.setDrawWidth(penWidth);
    board.area.line(-1000, 0, 1000, 0, kRed);
    board.area.line(-1000, -900, 0, -100, kBlue);
    board.area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board.area));
    const QImage logical = rendered(board.area, board.area.size(), 1);

    const QList<QPair<QImage, qreal>> pictures{{rendered(board.area, board.area.size(), ratio), ratio},
                                               {board.area.grab().toImage(), board.area.devicePixelRatio()}};
    for (const auto& [picture, pictureRatio] : pictures) {
        const auto [rows, clean] = rowsInColumn(picture, picture.width() * 3 / 4, kRed, kWhite);
        QCOMPARE(rows, qRound(penWidth * pictureRatio));
        QVERIFY(clean);
        if (pictureRatio > 1) QVERIFY(picture != logical.scaled(picture.size()));
    }
}

// A step stays where the scale of its moment put it, whatever the scale
// later and whatever the size it is drawn at.
void PictureAreaTest::stepsKeepTheScaleTheyWereDrawnWith() {
    BoardArea board;
    board.area.line(-1000, 0, 1000, 0, kRed);  // row 50
    board.area.setScaleTop(-1500);
    board.area.line(-1000, 0, 1000, 0, kBlue);  // row 75
    for (const qreal ratio : {1.0, 2.0}) {
        const QImage image = rendered(board.area, board.area.size(), ratio);
        const int column = image.width() / 2;
        QCOMPARE(wordAt(image, column, qRound(50 * ratio)), kRed);
        QCOMPARE(wordAt(image, column, qRound(75 * ratio)), kBlue);
        QCOMPARE(rowsInColumn(image, column, kRed, kWhite).first, qRound(ratio));
    }
}

void PictureAreaTest::wipesEmptyTheRecord_data() {
    QTest::addColumn<bool>("byBackColour");
    QTest::newRow("cls") << false;
    QTest::newRow("new background colour") << true;
}

// Lines, boxes and texts are all forgotten, and their memory given back.
void PictureAreaTest::wipesEmptyTheRecord() {
    QFETCH(bool, byBackColour);
    BoardArea board;
    for (int i = 0; i < 1000; ++i) board.area.line(-1000 + i, 0, -999 + i, 10, kRed);
    board.area.box(-500, -500, 500, 500, kBlue);
    board.area.print(QStringLiteral("label"));
    QVERIFY(board.area.record().bytes() >= 1000 * sizeof(Segment));

    if (byBackColour)
        board.area.setBackColor(kGreen);
    else
        board.area.cls();
    QVERIFY(board.area.record().empty());
    QCOMPARE(board.area.record().bytes(), size_t(0));

    board.area.line(-1000, 0, 1000, 0, kBlue);
    QCOMPARE(board.area.record().segments().size(), size_t(1));
}

void PictureAreaTest::smoothLinesAreAntiAliased_data() {
    QTest::addColumn<bool>("smooth");
    QTest::newRow("classic") << false;
    QTest::newRow("smooth") << true;
}

// A slanted line has only its own colour on the background, unless lines
// are smooth: then its edges blend into the background, on the screen and
// in images, also when the switch comes after the line was shown.
void PictureAreaTest::smoothLinesAreAntiAliased() {
    QFETCH(bool, smooth);
    BoardArea board;
    board.area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board.area));
    board.area.line(-900, -900, 900, 500, kRed);
    board.area.grab();
    board.area.setSmooth(smooth);
    for (const QImage& image : {board.area.image(), board.area.grab().toImage()}) {
        const QSet<QRgb> colours = coloursOf(image);
        QVERIFY(colours.contains(qRgb(255, 0, 0)));
        QCOMPARE(colours.size() > 2, smooth);
    }
}

// With smooth lines, a vertical or horizontal line between pixel columns
// or rows still covers whole pixels in its own colour, on the screen and
// in images at another ratio or size (where the pen covers whole device
// pixels), while a slanted line is smoothed.
void PictureAreaTest::smoothGridLinesStayCrisp() {
    BoardArea board;
    board.area.setSmooth(true);
    // Ten units a pixel across, twenty down: the lines lie at pixel column
    // 10.3 and row 40.6.
    board.area.line(-897, -1000, -897, 1000, kRed);
    board.area.line(-1000, -188, 1000, -188, kBlue);
    board.area.line(0, -1000, 600, 1000, kGreen);
    const QList<QImage> images{board.area.image(), rendered(board.area, QSize(200, 100), 2),
                               rendered(board.area, QSize(400, 200), 1)};
    for (const QImage& image : images) {
        const int row = image.height() * 3 / 4, column = image.width() * 9 / 10;
        QSet<int32_t> inRow, inColumn;
        for (int x = 0; x < image.width() / 2; ++x) inRow.insert(wordAt(image, x, row));
        for (int y = 0; y < image.height(); ++y) inColumn.insert(wordAt(image, column, y));
        QCOMPARE(inRow, (QSet<int32_t>{kWhite, kRed}));
        QCOMPARE(inColumn, (QSet<int32_t>{kWhite, kBlue}));
        QVERIFY(coloursOf(image).size() > 4);  // the slanted line's blended edges
    }
}

QTEST_MAIN(PictureAreaTest)
#include "picture_area_test.moc"
