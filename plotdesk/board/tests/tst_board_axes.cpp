// Laying the board out: the picture from the settings, the axes with their
// grid or ticks at known pixels, the settings that change the loops, and
// what the load and the re-layout read.

#include "board_test_support.h"

#include "settings/product.h"
#include "settings/setting_keys.h"

using namespace plotdesk;
using boardtest::colourNear;
using boardtest::rgbOfWord;

namespace {

const QRgb kGridBlue = rgbOfWord(16711680);

// Whether some image column is red over more than half its height: a y axis.
bool hasVerticalRedLine(const QImage& image) {
    for (int column = 0; column < image.width(); ++column) {
        int red = 0;
        for (int row = 0; row < image.height(); ++row) red += (image.pixel(column, row) & 0xFFFFFF) == boardtest::kRed;
        if (red > image.height() / 2) return true;
    }
    return false;
}

using Overrides = QList<QPair<QString, QString>>;

}  // namespace

class BoardAxesTest : public QObject {
    Q_OBJECT
private slots:
    void emptyStoreLayout();
    void pixels_data();
    void pixels();
    void yAxisPresence_data();
    void yAxisPresence();
    void gridStyleAskedEveryRound();
    void loadReadsPlacementPenAndPicture_data();
    void loadReadsPlacementPenAndPicture();
    void reuseRestoresLayoutAndErasesCurves();
    void relayoutFromRecordKeepsRecord();
};

void BoardAxesTest::emptyStoreLayout() {
    boardtest::TemporaryStore store;
    auto board = boardtest::loadedBoard();
    QCOMPARE(board->pxp->leftTwips(), 0.0);
    QCOMPARE(board->pxp->topTwips(), 0.0);
    QCOMPARE(board->pxp->widthTwips(), 2000.0);
    QCOMPARE(board->pxp->heightTwips(), 2000.0);
    QCOMPARE(board->pxp->scaleLeft(), -1000.0);
    QCOMPARE(board->pxp->scaleTop(), -1000.0);
    QCOMPARE(board->pxp->scaleWidth(), 2000.0);
    QCOMPARE(board->pxp->scaleHeight(), 2000.0);
    QCOMPARE(board->pxp->backColor(), 16777215);
    QCOMPARE(board->pxp->foreColor(), 16711680);
    QCOMPARE(board->windowTitle(), QString::fromUtf8(product::kWindowTitle));
    // Nothing is written to the store by loading.
    QVERIFY(!HasSetting(key::width));
    QVERIFY(!HasSetting(key::pxpleft));
}

void BoardAxesTest::pixels_data() {
    QTest::addColumn<Overrides>("settings");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<bool>("present");
    const Overrides defaults;
    QTest::newRow("background") << defaults << true << QPointF(750, -550) << kGridBlue << false;
    QTest::newRow("vertical grid line") << defaults << true << QPointF(700, -550) << kGridBlue << true;
    QTest::newRow("horizontal grid line") << defaults << true << QPointF(-550, 700) << kGridBlue << true;
    QTest::newRow("y axis") << defaults << true << QPointF(0, -850) << boardtest::kRed << true;
    QTest::newRow("x axis") << defaults << true << QPointF(-850, 0) << boardtest::kRed << true;
    QTest::newRow("ticks: no grid line") << defaults << false << QPointF(700, -550) << kGridBlue << false;
    QTest::newRow("ticks: axis stays") << defaults << false << QPointF(-850, 0) << boardtest::kRed << true;

    // A finer scale (2 pixels a unit) where the short ticks can be seen.
    const Overrides fine{{"width", "3000"}, {"_heiht", "3000"}, {"max_x", "100"}, {"max_y", "100"},
                         {"max_l", "-50"},  {"max_t", "-50"},   {"min_x", "10"},  {"min_y", "10"}};
    QTest::newRow("ticks: x tick above the axis") << fine << false << QPointF(30, -2) << kGridBlue << true;
    QTest::newRow("ticks: nothing above the tick") << fine << false << QPointF(30, -6) << kGridBlue << false;
    QTest::newRow("grid: line where the tick was") << fine << true << QPointF(30, -20) << kGridBlue << true;

    const Overrides zero{{"min_x", "0"}, {"min_y", "0"}};
    QTest::newRow("zero spacing: no grid") << zero << true << QPointF(700, -550) << kGridBlue << false;
    QTest::newRow("zero spacing: y axis") << zero << true << QPointF(0, -850) << boardtest::kRed << true;
    QTest::newRow("zero spacing: x axis") << zero << true << QPointF(-850, 0) << boardtest::kRed << true;

    const Overrides negative{{"min_x", "-100"}, {"min_y", "-100"}};
    QTest::newRow("negative spacing: no grid") << negative << true << QPointF(700, -550) << kGridBlue << false;
    QTest::newRow("negative spacing: no y axis") << negative << true << QPointF(0, -850) << boardtest::kRed << false;

    const Overrides dense{{"max_x", "400000"}, {"max_l", "-200000"}, {"min_x", "1"}};
    QTest::newRow("too many rounds: no grid") << dense << true << QPointF(50000, -550) << kGridBlue << false;
    QTest::newRow("too many rounds: y axis") << dense << true << QPointF(0, -850) << boardtest::kRed << true;

    const Overrides colours{{"bcolor", "65280"}, {"lcolor", "65535"}};
    QTest::newRow("stored background") << colours << true << QPointF(750, -550) << QRgb(0x00FF00) << true;
    QTest::newRow("stored grid colour") << colours << true << QPointF(700, -550) << QRgb(0xFFFF00) << true;
}

void BoardAxesTest::pixels() {
    QFETCH(Overrides, settings);
    QFETCH(bool, grid);
    QFETCH(QPointF, point);
    QFETCH(QRgb, colour);
    QFETCH(bool, present);
    boardtest::TemporaryStore store;
    for (const auto& [name, value] : settings) SaveSetting(name, value);
    boardtest::ScriptedQuestions questions;
    questions.grid = grid;
    auto board = boardtest::loadedBoard();
    QCOMPARE(colourNear(board->pxp, point.x(), point.y(), colour), present);
}

void BoardAxesTest::yAxisPresence_data() {
    QTest::addColumn<QString>("maxL");
    QTest::addColumn<bool>("axis");
    QTest::newRow("origin in the middle") << "-1000" << true;
    QTest::newRow("origin at the left border") << "0" << true;
    QTest::newRow("origin left of the picture") << "100" << false;
}

void BoardAxesTest::yAxisPresence() {
    QFETCH(QString, maxL);
    QFETCH(bool, axis);
    boardtest::TemporaryStore store;
    SaveSetting(key::max_l, maxL);
    auto board = boardtest::loadedBoard();
    QCOMPARE(hasVerticalRedLine(board->pxp->image()), axis);
}

void BoardAxesTest::gridStyleAskedEveryRound() {
    boardtest::TemporaryStore store;
    boardtest::ScriptedQuestions questions;
    auto board = boardtest::loadedBoard();
    QCOMPARE(questions.gridQuestions, 4 * 11);
    questions.gridQuestions = 0;
    SaveSetting(key::min_x, "500");
    board->reuse();
    QCOMPARE(questions.gridQuestions, 2 * 3 + 2 * 11);
}

void BoardAxesTest::loadReadsPlacementPenAndPicture_data() {
    QTest::addColumn<Overrides>("settings");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("penWidth");
    QTest::newRow("nothing stored") << Overrides{} << 0.0 << 0.0 << 1;
    QTest::newRow("stored picture position")
        << Overrides{{"pxpleft", "-450"}, {"pxpltop", "300"}} << -450.0 << 300.0 << 1;
    QTest::newRow("position that is not a number") << Overrides{{"pxpleft", "abc"}} << 0.0 << 0.0 << 1;
    QTest::newRow("pen width") << Overrides{{"xiankuan1", "3"}} << 0.0 << 0.0 << 3;
    QTest::newRow("pen width rounds half to even") << Overrides{{"xiankuan1", "2.5"}} << 0.0 << 0.0 << 2;
    QTest::newRow("pen width not a number") << Overrides{{"xiankuan1", "wide"}} << 0.0 << 0.0 << 1;
    QTest::newRow("missing picture file") << Overrides{{"backpicture", "/no/such/picture.bmp"}} << 0.0 << 0.0 << 1;
}

void BoardAxesTest::loadReadsPlacementPenAndPicture() {
    QFETCH(Overrides, settings);
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(int, penWidth);
    boardtest::TemporaryStore store;
    for (const auto& [name, value] : settings) SaveSetting(name, value);
    auto board = boardtest::loadedBoard();
    QCOMPARE(board->pxp->leftTwips(), left);
    QCOMPARE(board->pxp->topTwips(), top);
    QCOMPARE(board->pxp->drawWidth(), penWidth);
    QVERIFY(!board->pxp->hasPicture());
}

void BoardAxesTest::reuseRestoresLayoutAndErasesCurves() {
    boardtest::TemporaryStore store;
    store.set({{"pxpleft", "-600"}});
    auto board = boardtest::loadedBoard();
    QCOMPARE(board->pxp->leftTwips(), -600.0);
    board->pxp->line(550, -550, 850, -550, 0x00FF00);
    QVERIFY(colourNear(board->pxp, 750, -550, 0x00FF00));

    store.set({{"left", "150"}});
    board->reuse();
    QCOMPARE(board->pxp->leftTwips(), 150.0);
    QVERIFY(!colourNear(board->pxp, 750, -550, 0x00FF00));
}

// The settings dialog's "确定" lays the board out from the record it has
// just changed, without going back to the store.
void BoardAxesTest::relayoutFromRecordKeepsRecord() {
    boardtest::TemporaryStore store;
    auto board = boardtest::loadedBoard();
    Settings().bcolor = 0x00FF00;
    board->relayoutFromRecord();
    QVERIFY(colourNear(board->pxp, 750, -550, 0x00FF00));
    board->reuse();
    QVERIFY(!colourNear(board->pxp, 750, -550, 0x00FF00));
}

QTEST_MAIN(BoardAxesTest)
#include "tst_board_axes.moc"
