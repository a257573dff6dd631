// The board window's commands and pointer handling: centring, clearing,
// saving the placement on close, the pop-up menu and its colours, dragging,
// the scroll strips and the arrows.

#include "board_test_support.h"

#include "board/board_geometry.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/product.h"
#include "settings/setting_keys.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <variant>

using namespace plotdesk;
using boardtest::colourNear;
using boardtest::rgbOfWord;

namespace {

// A board that records pop-up menu requests instead of opening the menu.
class ObservedBoard : public mForm1 {
public:
    QList<QPoint> menuRequests;

protected:
    void showBoardMenu(const QPoint& globalPosition) override { menuRequests << globalPosition; }
};

std::unique_ptr<ObservedBoard> shownBoard() {
    auto board = std::make_unique<ObservedBoard>();
    board->Form_Load();
    board->show();
    if (!QTest::qWaitForWindowExposed(board.get())) qWarning("board window not exposed");
    return board;
}

// One pixel in twips, the tolerance of positions that pass through pixels.
double pixelTwips() { return toolkit::twipsPerPixelX(); }

double centredLeft(mForm1& board) {
    return centredEdge(board.pxp->scaleLeft(), board.pxp->scaleWidth(), board.pxp->widthTwips(),
                       board.viewportWidthTwips());
}

double centredTop(mForm1& board) {
    return centredEdge(board.pxp->scaleTop(), board.pxp->scaleHeight(), board.pxp->heightTwips(),
                       board.viewportHeightTwips());
}

bool rowHasColour(const QImage& image, int row, QRgb colour) {
    if (row < 0 || row >= image.height()) return false;
    for (int column = 0; column < image.width(); ++column)
        if ((image.pixel(column, row) & 0xFFFFFF) == colour) return true;
    return false;
}

bool columnHasColour(const QImage& image, int column, QRgb colour) {
    if (column < 0 || column >= image.width()) return false;
    for (int row = 0; row < image.height(); ++row)
        if ((image.pixel(column, row) & 0xFFFFFF) == colour) return true;
    return false;
}

QRgb stripMarkerColour(mForm1& board) {
    return rgbOfWord(toolkit::colorWord(board.palette().color(QPalette::WindowText)));
}

}  // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The curve list hides, removes and plots again one curve, each an undo
    // step.
    void curveListEditsOneCurve() {
        boardtest::TemporaryStore store;
        auto board = boardtest::loadedBoard();
        board->Command1_Click();
        board->Command1_Click();
        board->curveList_Click();
        auto* list = board->findChild<QListWidget*>(QStringLiteral("curves"));
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        list->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(!board->model().state().curves[0].visible);
        list->setCurrentRow(1);
        board->findChild<QPushButton*>(QStringLiteral("plotAgain"))->click();
        QCOMPARE(list->count(), 3);
        list->setCurrentRow(0);
        board->findChild<QPushButton*>(QStringLiteral("remove"))->click();
        QCOMPARE(board->model().state().curves.size(), size_t{2});
        board->undo_Click();
        QCOMPARE(list->count(), 3);
        QVERIFY(!board->model().state().curves[0].visible);
    }
    void init() {
        store_ = std::make_unique<boardtest::TemporaryStore>();
        // A picture larger than the window, as the board is usually used.
        store_->set({{"width", "9000"}, {"_heiht", "9000"}, {"pxpleft", "-77"}, {"pxpltop", "-55"}});
    }
    void cleanup() { store_.reset(); }

    void firstDisplayCentresTheOrigin();
    void resizeKeepsTheOriginCentred();
    void clearLeavesAxesAndCentres();
    void closeSavesPlacement();
    void reopenedBoardComesBackInPlace();
    void placeOffEveryScreenIsSkipped_data();
    void placeOffEveryScreenIsSkipped();
    void menuEntries();
    void colourEntries_data();
    void colourEntries();
    void chosenColourIsNotTheNextCurveColour();
    void redrawAndOptions();
    void shortcutsWinOverEveryField_data();
    void shortcutsWinOverEveryField();
    void pointerReadoutWithoutButtons();
    void leftDragMovesThePicture();
    void rightButtonShowsMenuWithoutMoving();
    void stripsMarkNothingWhenThePictureFits();
    void pressOnPictureMarksTheStrips();
    void verticalStripClick();
    void verticalStripDragToTheBottom();
    void horizontalStripDrag();
    void arrowsScrollWhileHeld_data();
    void arrowsScrollWhileHeld();
    void arrowTimerRunsOnItsOwn();
    void panelAndStripTitles();

private:
    std::unique_ptr<boardtest::TemporaryStore> store_;
};

void BoardWindowTest::firstDisplayCentresTheOrigin() {
    auto board = std::make_unique<ObservedBoard>();
    board->Form_Load();
    QCOMPARE(board->pxp->leftTwips(), -77.0);
    board->show();
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    QVERIFY(qAbs(board->pxp->leftTwips() - centredLeft(*board)) <= pixelTwips());
    QVERIFY(qAbs(board->pxp->topTwips() - centredTop(*board)) <= pixelTwips());
    // With the scale's origin in the middle of the picture, centring puts
    // the picture's middle in the middle of the view.
    QVERIFY(qAbs(board->pxp->leftTwips() - (board->viewportWidthTwips() / 2 - 4500)) <= pixelTwips());
}

void BoardWindowTest::resizeKeepsTheOriginCentred() {
    auto board = shownBoard();
    board->pxp_MouseMove(1, 300, 200);
    QVERIFY(qAbs(board->pxp->leftTwips() - centredLeft(*board)) > 100);
    board->resize(board->width() + 60, board->height() - 40);
    QTRY_VERIFY(qAbs(board->pxp->leftTwips() - centredLeft(*board)) <= pixelTwips());
    QVERIFY(qAbs(board->pxp->topTwips() - centredTop(*board)) <= pixelTwips());
}

void BoardWindowTest::clearLeavesAxesAndCentres() {
    auto board = shownBoard();
    board->表达式1->setText("300");
    board->Command1_Click();
    const QRgb curve = rgbOfWord(Settings().fcolor);
    QVERIFY(colourNear(board->pxp, 50, -300, curve));
    board->pxp_MouseMove(1, 300, 200);
    board->Command2_Click();
    QVERIFY(!colourNear(board->pxp, 50, -300, curve));
    QVERIFY(colourNear(board->pxp, -850, 0, boardtest::kRed));
    QVERIFY(qAbs(board->pxp->leftTwips() - centredLeft(*board)) <= pixelTwips());
}

void BoardWindowTest::closeSavesPlacement() {
    auto* board = new mForm1();
    QPointer<mForm1> alive(board);
    board->Form_Load();
    board->show();
    QVERIFY(QTest::qWaitForWindowExposed(board));
    board->pxp->setLeftTwips(-1234.5);
    board->pxp->setTopTwips(-987);
    const QPoint place = board->pos();
    const QSize size = board->size();
    board->close();
    QTRY_VERIFY(alive.isNull());

    const struct {
        const char* key;
        double twips;
    } expected[] = {
        {key::pxpleft, -1234.5},
        {key::pxpltop, -987},
        {key::MainLeft, toolkit::pixelsToTwipsX(place.x())},
        {key::MainTop, toolkit::pixelsToTwipsY(place.y())},
        {key::MainWidth, toolkit::pixelsToTwipsX(size.width())},
        {key::MainHeight, toolkit::pixelsToTwipsY(size.height())},
    };
    for (const auto& entry : expected) QCOMPARE(GetSetting(entry.key), singleText(float(entry.twips)));
}

void BoardWindowTest::reopenedBoardComesBackInPlace() {
    store_->set({{"MainLeft", "1500"}, {"MainTop", "1200"}, {"MainWidth", "7500"}, {"MainHeight", "6000"}});
    auto* first = new mForm1();
    QPointer<mForm1> alive(first);
    first->Form_Load();
    QCOMPARE(first->size(), QSize(toolkit::twipsToPixelsX(7500), toolkit::twipsToPixelsY(6000)));
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    const QRect placed = first->geometry();
    const QPoint place = first->pos();
    first->close();
    QTRY_VERIFY(alive.isNull());

    auto second = shownBoard();
    QCOMPARE(second->pos(), place);
    QCOMPARE(second->geometry().size(), placed.size());
    QVERIFY(qAbs(second->pxp->leftTwips() - centredLeft(*second)) <= pixelTwips());
}

// A place saved on a screen that is gone, or a damaged one, must not open
// the board where nobody can reach it.
void BoardWindowTest::placeOffEveryScreenIsSkipped_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::newRow("far right") << "1E+09"
                               << "1000";
    QTest::newRow("far left") << "-1E+09"
                              << "1000";
    QTest::newRow("far below") << "1000"
                               << "1E+09";
    QTest::newRow("beyond the right edge of the screen") << "300000"
                                                         << "1000";
}

void BoardWindowTest::placeOffEveryScreenIsSkipped() {
    QFETCH(QString, left);
    QFETCH(QString, top);
    store_->set({{"MainLeft", left}, {"MainTop", top}});
    mForm1 board;
    board.Form_Load();
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(board.geometry()));
}

void BoardWindowTest::menuEntries() {
    mForm1 board;
    QStringList captions;
    for (QAction* action : board.tt->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    const QStringList expected{"重绘",     "选项",  "-",    "选择线条颜色", "-",        "放大",  "缩小",
                               "适合窗口", "-",     "撤销", "重做",         "曲线列表", "-",     "导出图片…",
                               "复制图片", "打印…", "-",    "关键点",       "跟踪",     "求值…", "数值表…"};
    QCOMPARE(captions, expected);
    QCOMPARE(board.rr->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QCOMPARE(board.ff->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QStringList names;
    for (QAction* action : board.shoosecolor->actions()) names << action->objectName();
    QCOMPARE(names, (QStringList{"bg", "b", "red", "rluse", "ye", "f3", "为", "bf"}));
}

void BoardWindowTest::colourEntries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("colour");
    QTest::newRow("light blue") << "bg"
                                << "亮蓝色" << 0xFF0000;
    QTest::newRow("blue") << "b"
                          << "蓝色" << 0x800000;
    QTest::newRow("red") << "red"
                         << "红色" << 128;
    QTest::newRow("green") << "rluse"
                           << "绿色" << 0x008000;
    QTest::newRow("yellow") << "ye"
                            << "黄色" << 0x008080;
    QTest::newRow("cyan") << "f3"
                          << "青色" << 0x808000;
    QTest::newRow("magenta") << "为"
                             << "洋红色" << 0x800080;
    QTest::newRow("black") << "bf"
                           << "黑色" << 0;
}

void BoardWindowTest::colourEntries() {
    QFETCH(QString, entry);
    QFETCH(QString, caption);
    QFETCH(int, colour);
    mForm1 board;
    Settings().fcolor = 12345;
    auto* action = board.shoosecolor->findChild<QAction*>(entry);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    action->trigger();
    QCOMPARE(Settings().fcolor, colour);
}

void BoardWindowTest::chosenColourIsNotTheNextCurveColour() {
    auto board = boardtest::loadedBoard();
    board->red_Click();
    QCOMPARE(Settings().fcolor, 128);
    board->rr_Click();
    QCOMPARE(Settings().fcolor, QByteArray(kCurveColourEntries[1]).toInt());
}

void BoardWindowTest::redrawAndOptions() {
    auto board = shownBoard();
    QSignalSpy options(board.get(), &mForm1::optionsRequested);
    board->activateWindow();
    QTest::keyClick(board.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(options.count(), 1);
    board->ff->trigger();
    QCOMPARE(options.count(), 2);
    board->start->setText("0");
    board->end->setText("0");
    QTest::keyClick(board.get(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(board->ColorIndex(), 1);
    board->rr->trigger();
    QCOMPARE(board->ColorIndex(), 2);
}

// A line edit as the X11 key bindings make it: Ctrl+E is its own key (the
// cursor to the end of the line), so it claims the key before shortcuts.
// Other platforms' bindings claim no key the board uses.
class ClaimsCtrlE : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier) event->accept();
        }
        return false;
    }
};

// The board's shortcuts run wherever the focus is in the board window, also
// in a field that claims Ctrl keys of its own; a click on the picture takes
// the focus from the field.
void BoardWindowTest::shortcutsWinOverEveryField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    for (const char* field : {"start", "end", "step1"}) {
        QTest::addRow("%s: Ctrl+E", field) << field << int(Qt::Key_E) << "options";
        QTest::addRow("%s: Ctrl+R", field) << field << int(Qt::Key_R) << "plot";
    }
    QTest::newRow("step1: Ctrl+=") << "step1" << int(Qt::Key_Equal) << "zoomed";
    QTest::newRow("start: Ctrl+-") << "start" << int(Qt::Key_Minus) << "zoomed";
    QTest::newRow("end: Ctrl+0") << "end" << int(Qt::Key_0) << "fitted";
}

void BoardWindowTest::shortcutsWinOverEveryField() {
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, effect);
    auto board = shownBoard();
    QSignalSpy options(board.get(), &mForm1::optionsRequested);
    auto* edit = board->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    ClaimsCtrlE x11Bindings;
    edit->installEventFilter(&x11Bindings);
    board->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(board.get()));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    const QString text = edit->text();
    QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(options.count(), effect == "options" ? 1 : 0);
    QCOMPARE(board->ColorIndex(), effect == "plot" ? 1 : 0);
    const mForm1::View view = effect == "zoomed"   ? mForm1::View::Zoomed
                              : effect == "fitted" ? mForm1::View::Fitted
                                                   : mForm1::View::Classic;
    QCOMPARE(board->view(), view);
    QCOMPARE(edit->text(), text);

    QTest::mouseClick(board->pxp, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!edit->hasFocus());
}

void BoardWindowTest::pointerReadoutWithoutButtons() {
    auto board = shownBoard();
    const double left = board->pxp->leftTwips();
    // A point of the picture that shows in the window, near the origin.
    const QPoint at = board->pxp->toPixels(0, 0).toPoint() + QPoint(40, 25);
    QTest::mouseMove(board->pxp, at);
    const QPointF scale = board->pxp->toScale(at);
    QCOMPARE(board->windowTitle(), pointerReadout(scale.x(), scale.y()));
    QCOMPARE(board->pxp->leftTwips(), left);
}

void BoardWindowTest::leftDragMovesThePicture() {
    auto board = shownBoard();
    const double left = board->pxp->leftTwips();
    const double top = board->pxp->topTwips();
    const QPoint from = board->pxp->toPixels(0, 0).toPoint();
    const QPoint to = from + QPoint(20, 10);
    const QPointF scaleAtPointer = board->pxp->toScale(to);
    QTest::mousePress(board->pxp, Qt::LeftButton, {}, from);
    QTest::mouseMove(board->pxp, to);
    QVERIFY(qAbs(board->pxp->leftTwips() - (left + scaleAtPointer.x())) <= pixelTwips());
    QVERIFY(qAbs(board->pxp->topTwips() - (top + scaleAtPointer.y())) <= pixelTwips());
    QTest::mouseRelease(board->pxp, Qt::LeftButton, {}, to);
    QVERIFY(board->menuRequests.isEmpty());
}

void BoardWindowTest::rightButtonShowsMenuWithoutMoving() {
    auto board = shownBoard();
    const double left = board->pxp->leftTwips();
    const QPoint from(50, 50), to(80, 70);
    QTest::mousePress(board->pxp, Qt::RightButton, {}, from);
    const QImage stripAfterPress = board->Picture4->image();
    QTest::mouseMove(board->pxp, to);
    QCOMPARE(board->pxp->leftTwips(), left);
    QCOMPARE(board->Picture4->image(), stripAfterPress);
    QVERIFY(board->menuRequests.isEmpty());
    QTest::mouseRelease(board->pxp, Qt::RightButton, {}, to);
    QCOMPARE(board->menuRequests.size(), 1);
    QVERIFY((board->menuRequests.first() - board->pxp->mapToGlobal(to)).manhattanLength() <= 1);
}

// A picture that fits inside the window has nowhere to scroll: its strips
// show no marker, at the load nor after a press on the picture.
void BoardWindowTest::stripsMarkNothingWhenThePictureFits() {
    store_->set({{"width", "2000"}, {"_heiht", "2000"}});
    auto board = shownBoard();
    QTest::mousePress(board->pxp, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(board->pxp, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(board->Picture3->record().empty());
    QVERIFY(board->Picture4->record().empty());
}

void BoardWindowTest::pressOnPictureMarksTheStrips() {
    auto board = shownBoard();
    board->Picture4->cls();
    const QRgb marker = stripMarkerColour(*board);
    QTest::mousePress(board->pxp, Qt::LeftButton, {}, QPoint(30, 30));
    // The horizontal marker spans x = p - 20 .. p + 20 with p = -left.
    const double p = -board->pxp->leftTwips();
    const int column = int(board->Picture4->toPixels(p - 20, 0).x());
    QVERIFY(columnHasColour(board->Picture4->image(), column, marker));
    QTest::mouseRelease(board->pxp, Qt::LeftButton, {}, QPoint(30, 30));
}

void BoardWindowTest::verticalStripClick() {
    auto board = shownBoard();
    toolkit::PictureArea* strip = board->Picture3;
    const QPoint at(strip->width() / 2, strip->height() / 3);
    const double y = strip->toScale(at).y();
    const int markerTop = int(strip->toPixels(0, y - 30).y());
    Settings().bcolor = 0x00FF00;
    QTest::mousePress(strip, Qt::LeftButton, {}, at);
    QVERIFY(rowHasColour(strip->image(), markerTop, 0x00FF00));
    QVERIFY(!rowHasColour(strip->image(), markerTop, stripMarkerColour(*board)));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, at);
    QVERIFY(rowHasColour(strip->image(), markerTop, stripMarkerColour(*board)));
}

void BoardWindowTest::verticalStripDragToTheBottom() {
    auto board = shownBoard();
    toolkit::PictureArea* strip = board->Picture3;
    const QPoint top(5, 0), bottom(5, strip->height());
    QTest::mousePress(strip, Qt::LeftButton, {}, top);
    QTest::mouseMove(strip, bottom);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, bottom);
    const double pictureBottom = board->pxp->topTwips() + board->pxp->heightTwips();
    QVERIFY2(qAbs(pictureBottom - board->viewportHeightTwips()) <= 2 * pixelTwips(),
             qPrintable(QString::number(pictureBottom) + " vs " + QString::number(board->viewportHeightTwips())));
}

void BoardWindowTest::horizontalStripDrag() {
    auto board = shownBoard();
    toolkit::PictureArea* strip = board->Picture4;
    const QPoint from(strip->width() / 2, 5), to(strip->width() - 1, 5);
    QTest::mousePress(strip, Qt::LeftButton, {}, from);
    QTest::mouseMove(strip, to);
    QVERIFY(qAbs(board->pxp->leftTwips() + strip->toScale(to).x()) <= pixelTwips());
    QTest::mouseRelease(strip, Qt::LeftButton, {}, to);
    // Moving without a button leaves the picture alone.
    const double left = board->pxp->leftTwips();
    QTest::mouseMove(strip, from);
    QCOMPARE(board->pxp->leftTwips(), left);
}

void BoardWindowTest::arrowsScrollWhileHeld_data() {
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::newRow("Image3 left") << "Image3" << -150.0 << 0.0;
    QTest::newRow("Image4 right") << "Image4" << 150.0 << 0.0;
    QTest::newRow("Image1 up") << "Image1" << 0.0 << -150.0;
    QTest::newRow("Image2 down") << "Image2" << 0.0 << 150.0;
}

void BoardWindowTest::arrowsScrollWhileHeld() {
    QFETCH(QString, arrow);
    QFETCH(double, dx);
    QFETCH(double, dy);
    auto board = shownBoard();
    auto* image = board->findChild<toolkit::ImageControl*>(arrow);
    QVERIFY(image);
    float* own = dx != 0 ? &board->HScrollStep : &board->VScrollStep;
    float* other = dx != 0 ? &board->VScrollStep : &board->HScrollStep;
    const double left = board->pxp->leftTwips();
    const double top = board->pxp->topTwips();
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(board->Timer1->isActive());
    QCOMPARE(board->Timer1->interval(), 70);
    QCOMPARE(*own, float(dx + dy) / 5);
    for (int tick = 0; tick < 10; ++tick) board->Timer1_Timer();
    // Each strip shows one marker where the picture is, not a trail.
    for (const toolkit::PictureArea* strip : {board->Picture3, board->Picture4}) {
        const auto& steps = strip->record().steps();
        QCOMPARE(std::count_if(steps.begin(), steps.end(),
                               [](const auto& step) { return std::holds_alternative<toolkit::BoxStep>(step); }),
                 1);
    }
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!board->Timer1->isActive());
    QCOMPARE(*own, 0.0f);
    QVERIFY(qAbs(board->pxp->leftTwips() - (left + dx)) <= pixelTwips());
    QVERIFY(qAbs(board->pxp->topTwips() - (top + dy)) <= pixelTwips());

    // An arrow's release leaves the other direction's step alone.
    *other = 7;
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(*other, 7.0f);
}

void BoardWindowTest::arrowTimerRunsOnItsOwn() {
    auto board = shownBoard();
    const double left = board->pxp->leftTwips();
    QTest::mousePress(board->Image4, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::qWait(400);
    QTest::mouseRelease(board->Image4, Qt::LeftButton, {}, QPoint(4, 4));
    const double moved = board->pxp->leftTwips() - left;
    QVERIFY2(moved >= 15 - pixelTwips() && moved <= 6 * 15 + pixelTwips(), qPrintable(QString::number(moved)));
    QTest::qWait(150);
    QCOMPARE(board->pxp->leftTwips() - left, moved);
}

void BoardWindowTest::panelAndStripTitles() {
    auto board = shownBoard();
    const QPoint overPicture = board->pxp->toPixels(0, 0).toPoint() + QPoint(10, 10);
    QTest::mouseMove(board->pxp, overPicture);
    QVERIFY(board->windowTitle().startsWith(QStringLiteral("当前坐标  (")));
    QTest::mouseMove(board->Picture2, QPoint(2, 2));
    QCOMPARE(board->windowTitle(), QString::fromUtf8(product::kWindowTitle));
    QTest::mouseMove(board->pxp, overPicture);
    QTest::mouseMove(board->Picture3, QPoint(2, 2));
    QCOMPARE(board->windowTitle(), QString::fromUtf8(product::kWindowTitle));
}

QTEST_MAIN(BoardWindowTest)
#include "tst_board_window.moc"
