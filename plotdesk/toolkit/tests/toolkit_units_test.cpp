// Twips, colour words and the palette, the image control's button codes and
// window stacking.

#include "toolkit/color_word.h"
#include "toolkit/image_control.h"
#include "toolkit/segment_clip.h"
#include "toolkit/stay_on_top.h"
#include "toolkit/twips.h"

#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace plotdesk::toolkit;

class ToolkitUnitsTest : public QObject {
    Q_OBJECT
private slots:
    void twipsFollowTheScreenDpi();
    void twipsRoundToTheNearestPixel_data();
    void twipsRoundToTheNearestPixel();
    void palette_data();
    void palette();
    void colourWordsRoundTrip();
    void segmentsAreClippedToTheBounds_data();
    void segmentsAreClippedToTheBounds();
    void imageControlReportsButtonCodes();
    void imageControlTakesThePictureSize();
    void stayOnTopKeepsPlaceAndVisibility();
};

void ToolkitUnitsTest::twipsFollowTheScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(twipsPerPixelX(), 1440.0 / screen->logicalDotsPerInchX());
    QCOMPARE(twipsPerPixelY(), 1440.0 / screen->logicalDotsPerInchY());
    if (screen->logicalDotsPerInchX() == 96) QCOMPARE(twipsToPixelsX(2000), 133);
}

void ToolkitUnitsTest::twipsRoundToTheNearestPixel_data() {
    QTest::addColumn<double>("pixels");
    QTest::addColumn<int>("rounded");
    QTest::newRow("whole") << 133.0 << 133;
    QTest::newRow("just below a half") << 7.4 << 7;
    QTest::newRow("just above a half") << 7.6 << 8;
    QTest::newRow("negative") << -66.6 << -67;
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("absurdly far") << 1e15 << (1 << 30);
}

void ToolkitUnitsTest::twipsRoundToTheNearestPixel() {
    QFETCH(double, pixels);
    QFETCH(int, rounded);
    QCOMPARE(twipsToPixelsX(pixels * twipsPerPixelX()), rounded);
    QCOMPARE(twipsToPixelsY(pixels * twipsPerPixelY()), rounded);
    if (std::abs(pixels) < 1e6) QCOMPARE(pixelsToTwipsX(pixels), pixels * twipsPerPixelX());
}

void ToolkitUnitsTest::palette_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("color");
    const QList<QColor> expected{
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    };
    for (int i = 0; i < expected.size(); ++i) QTest::addRow("entry %d", i) << i << expected[i];
    QTest::newRow("below the palette") << -1 << QColor(0, 0, 0);
    QTest::newRow("beyond the palette") << 16 << QColor(0, 0, 0);
}

void ToolkitUnitsTest::palette() {
    QFETCH(int, index);
    QFETCH(QColor, color);
    QCOMPARE(colorFromWord(paletteColor(index)), color);
}

void ToolkitUnitsTest::colourWordsRoundTrip() {
    // Red in the low byte: the documented colour words of the program.
    QCOMPARE(paletteColor(15), 16777215);
    QCOMPARE(paletteColor(9), 16711680);
    QCOMPARE(paletteColor(1), 8388608);
    QCOMPARE(paletteColor(4), 128);
    QCOMPARE(colorFromWord(15886349), QColor(13, 104, 242));
    QCOMPARE(colorWord(QColor(37, 234, 219)), 14412325);
    for (int32_t word : {0, 1, 255, 256, 65535, 65536, 8388608, 11716, 16777215})
        QCOMPARE(colorWord(colorFromWord(word)), word);
    // The top byte is ignored.
    QCOMPARE(colorFromWord(static_cast<int32_t>(0x7F0000FF)), QColor(255, 0, 0));
    QCOMPARE(colorFromWord(-1), QColor(255, 255, 255));
    QCOMPARE(colorWord(QColor(255, 0, 0, 10)), 255);
}

void ToolkitUnitsTest::segmentsAreClippedToTheBounds_data() {
    QTest::addColumn<QLineF>("segment");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QLineF>("clipped");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("inside") << QLineF(1, 2, 3, 4) << true << QLineF(1, 2, 3, 4);
    QTest::newRow("on the edge") << QLineF(0, 0, 0, 10) << true << QLineF(0, 0, 0, 10);
    QTest::newRow("crossing left to right") << QLineF(-50, 5, 150, 5) << true << QLineF(0, 5, 100, 5);
    QTest::newRow("crossing right to left") << QLineF(150, 5, -50, 5) << true << QLineF(100, 5, 0, 5);
    QTest::newRow("out through the top") << QLineF(50, 5, 50, -1e12) << true << QLineF(50, 5, 50, 0);
    QTest::newRow("diagonal through a corner") << QLineF(-10, -10, 110, 110) << true << QLineF(0, 0, 100, 100);
    QTest::newRow("huge ends either side") << QLineF(-1e300, 7, 1e300, 7) << true << QLineF(0, 7, 100, 7);
    QTest::newRow("steep huge ends") << QLineF(40, -8e19, 60, 8e19) << true << QLineF(50, 0, 50, 100);
    QTest::newRow("wholly outside") << QLineF(-10, -10, -1, 50) << false << QLineF();
    QTest::newRow("missing a corner") << QLineF(90, -20, 120, 10) << false << QLineF();
    QTest::newRow("not a number") << QLineF(nan, 5, 50, 5) << false << QLineF();
    QTest::newRow("overflowing length") << QLineF(-1.7e308, 5, 1.7e308, 5) << false << QLineF();
}

void ToolkitUnitsTest::segmentsAreClippedToTheBounds() {
    QFETCH(QLineF, segment);
    QFETCH(bool, visible);
    QFETCH(QLineF, clipped);
    const std::optional<QLineF> result = clipSegment(segment, QRectF(0, 0, 100, 100));
    QCOMPARE(result.has_value(), visible);
    if (visible) {
        QVERIFY2(std::abs(result->x1() - clipped.x1()) < 1e-6 && std::abs(result->y1() - clipped.y1()) < 1e-6 &&
                     std::abs(result->x2() - clipped.x2()) < 1e-6 && std::abs(result->y2() - clipped.y2()) < 1e-6,
                 qPrintable(QStringLiteral("%1,%2 - %3,%4")
                                .arg(result->x1())
                                .arg(result->y1())
                                .arg(result->x2())
                                .arg(result->y2())));
    }
}

void ToolkitUnitsTest::imageControlReportsButtonCodes() {
    ImageControl arrow;
    QImage picture(16, 17, QImage::Format_RGB32);
    picture.fill(Qt::black);
    arrow.setImage(picture);
    arrow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&arrow));
    QSignalSpy downs(&arrow, &ImageControl::mouseDown);
    QSignalSpy ups(&arrow, &ImageControl::mouseUp);
    const QList<QPair<Qt::MouseButton, int>> buttons{{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}};
    for (const auto& [button, code] : buttons) {
        QTest::mousePress(&arrow, button, Qt::NoModifier, QPoint(8, 8));
        QCOMPARE(downs.takeFirst().at(0).toInt(), code);
        QVERIFY(ups.isEmpty());
        QTest::mouseRelease(&arrow, button, Qt::NoModifier, QPoint(8, 8));
        QCOMPARE(ups.takeFirst().at(0).toInt(), code);
    }
}

void ToolkitUnitsTest::imageControlTakesThePictureSize() {
    ImageControl control;
    QImage picture(16, 17, QImage::Format_RGB32);
    picture.fill(Qt::red);
    control.setImage(picture);
    QCOMPARE(control.size(), QSize(16, 17));
    control.setStretch(true);
    control.resize(64, 68);
    QCOMPARE(control.grab().toImage().pixelColor(60, 60), QColor(Qt::red));
}

void ToolkitUnitsTest::stayOnTopKeepsPlaceAndVisibility() {
    for (const bool visible : {false, true}) {
        QWidget window;
        window.setGeometry(120, 130, 320, 240);
        if (visible) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        const QRect before = window.geometry();
        StayOnTop(&window);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window.geometry(), before);
        QCOMPARE(window.isVisible(), visible);
        StayOnTop(&window);  // a second call changes nothing
        QCOMPARE(window.geometry(), before);
    }
    StayOnTop(nullptr);
}

QTEST_MAIN(ToolkitUnitsTest)
#include "toolkit_units_test.moc"
