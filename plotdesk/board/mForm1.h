#pragma once
// The drawing board window: the window onto the board model, which owns
// what the board shows. It is a viewport onto the board picture `pxp`,
// which is usually larger than the window and is moved about inside it by
// dragging, by the two scroll strips and by the four arrows. The picture
// carries the axes, grid or ticks and labels laid out from the settings
// record, and every curve plotted since the last clear.
//
// The classic controls stay: the expression holders and the bottom bar's
// fields show the model's entry and write what is typed into them back to
// it, and the handlers run the model's commands. All child widgets exist as
// soon as the window is constructed, so other windows may fill its fields
// while it is still loading; Form_Load (run by the window registry) reads
// the settings and lays the model out.

#include "board/board_model.h"
#include "board/board_progress.h"
#include "settings/settings_store.h"
#include "toolkit/image_control.h"
#include "toolkit/picture_area.h"

#include <QKeySequence>
#include <QList>
#include <QRectF>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <calculator/component.h>

class QAction;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace plotdesk {

class mForm1 : public QWidget {
    Q_OBJECT
    // First, so that the members below may refer to it.
    BoardModel* model_;

public:
    mForm1();
    ~mForm1() override;

    // Load: pen width and background picture, window placement, settings,
    // layout, the stored picture position, axes and the strip markers.
    void Form_Load();
    // Lays the board out again from the stored settings.
    void reuse();
    // The same from the record as it stands, without reading the store.
    void relayoutFromRecord();

    // The drawing this window shows.
    BoardModel& model() { return *model_; }
    const BoardModel& model() const { return *model_; }

    // Plots one curve from the model's entry (the expression holders and the
    // bottom bar's range), in the next colour of the cycle: the handler
    // behind "画图" and "重绘".
    void Command1_Click();
    // Clears the board and lays it out again, origin centred.
    void Command2_Click();
    // Moves the picture so that the origin sits in the middle of the view;
    // from a zoomed or fitted view, the board first goes back to the layout
    // from the settings record, with the remembered curves drawn again.
    void Command3_Click();

    // The board's views. The classic view is the layout from the settings;
    // zooming or fitting changes only the board's own picture scale and size
    // (no stored setting), lays out 1-2-5 ticks whose labels keep apart, and
    // draws every remembered curve again, functions sampled at least once a
    // pixel. 返回原点, 清除 and the settings dialog go back to the classic view.
    // A left-button drag moves the classic picture about; in a zoomed or
    // fitted view it pans instead, the point grabbed staying under the
    // pointer.
    using View = BoardViewKind;
    View view() const { return model_->view(); }
    // Magnifies by `factor` (below 1: shrinks) about board point (x, y),
    // which keeps its place on the picture; the wheel zooms this way about
    // the point under the pointer.
    void zoomAbout(double x, double y, double factor);
    void zoomIn();   // 放大: one step about the picture's centre
    void zoomOut();  // 缩小
    // 适合窗口: the picture fills the window, and the remembered curves'
    // sampling range spans its width.
    void fitToWindow();
    // 撤销 and 重做: the drawing as it was before the last change, and again.
    void undo_Click();
    void redo_Click();
    // 曲线列表: shows or hides the list of remembered curves.
    void curveList_Click();

    // The stored "smooth" switch: lines drawn anti-aliased on screen and in
    // picture exports. Read at load and at each re-layout from the store.
    bool smoothLines() const { return pxp->smooth(); }

    // Window handlers: in the classic view every change of size centres the
    // origin (a fitted view fits the new size, a zoomed one stays); closing
    // saves the window's placement and the picture's position.
    void Form_Resize();
    void Form_Unload();
    // The picture's position as it is stored for the next load to put back
    // ("pxpleft" and "pxpltop").
    SettingValues picturePosition() const;

    int ColorIndex() const { return model_->state().colourIndex; }
    // The remembered curves' requests, in the order they were plotted.
    std::vector<CurveRequest> rememberedRequests() const;

    // The part of the window the picture is seen through, in twips.
    double viewportWidthTwips() const;
    double viewportHeightTwips() const;

    // Pop-up menu handlers.
    void rr_Click();  // 重绘: plots again from the current fields
    void ff_Click();  // 选项: asks for the settings dialog
    // 选择线条颜色 submenu: each sets the pen colour in the settings record.
    void bg_Click();     // 亮蓝色
    void b_Click();      // 蓝色
    void red_Click();    // 红色
    void rluse_Click();  // 绿色 (the classic program's name for this entry, kept)
    void ye_Click();     // 黄色
    void f3_Click();     // 青色
    void 为_Click();     // 洋红色 (the classic program's name for this entry, kept)
    void bf_Click();     // 黑色
    // 导出图片…: the picture as shown, to a file at a size the user picks.
    void exportPicture_Click();
    // 复制图片: the picture as shown, to the clipboard.
    void copyPicture_Click();
    // 打印…: the picture as shown, through Qt's print preview.
    void printPicture_Click();

    // Pointer handlers; coordinates are in the scale of the control.
    void pxp_MouseDown(int button, double x, double y);
    void pxp_MouseMove(int buttons, double x, double y);
    void pxp_MouseUp(int button, double x, double y);
    void Picture3_MouseDown(int button, double x, double y);
    void Picture3_MouseMove(int buttons, double x, double y);
    void Picture3_MouseUp(int button, double x, double y);
    void Picture4_MouseDown(int button, double x, double y);
    void Picture4_MouseMove(int buttons, double x, double y);
    void Picture4_MouseUp(int button, double x, double y);
    void Image1_MouseDown(int button);
    void Image2_MouseDown(int button);
    void Image3_MouseDown(int button);
    void Image4_MouseDown(int button);
    void Image1_MouseUp(int button);
    void Image2_MouseUp(int button);
    void Image3_MouseUp(int button);
    void Image4_MouseUp(int button);
    void Timer1_Timer();
    void Picture2_MouseMove(int buttons, double x, double y);

    // Expression holders, filled by the main window before each plot.
    QLineEdit* 表达式1;
    QLineEdit* 表达式2;
    QLineEdit* 表达式3;
    // The bottom bar's sampling range.
    QLineEdit* start;
    QLineEdit* end;
    QLineEdit* step1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    toolkit::PictureArea* 进度条;

    toolkit::PictureArea* pxp;
    toolkit::PictureArea* Picture2;  // panel under the strips, holding the bottom bar
    toolkit::PictureArea* Picture3;  // vertical scroll strip
    toolkit::PictureArea* Picture4;  // horizontal scroll strip
    toolkit::ImageControl* Image1;   // up
    toolkit::ImageControl* Image2;   // down
    toolkit::ImageControl* Image3;   // left
    toolkit::ImageControl* Image4;   // right
    QTimer* Timer1;
    QListWidget* List1;  // the curve colour cycle

    QMenu* tt;           // the picture's pop-up menu
    QAction* rr;         // 重绘
    QAction* ff;         // 选项
    QAction* yu;         // the separator; the classic program's name, kept
    QMenu* shoosecolor;  // 选择线条颜色; the classic program's spelling, kept
    QAction* viewSeparator;
    QAction* zoomInAction;     // 放大
    QAction* zoomOutAction;    // 缩小
    QAction* fitAction;        // 适合窗口
    QAction* undoAction;       // 撤销
    QAction* redoAction;       // 重做
    QAction* curveListAction;  // 曲线列表

    // The picture entries, behind their own separator.
    QAction* exportPicture;  // 导出图片…
    QAction* copyPicture;    // 复制图片
    QAction* printPicture;   // 打印…

    // Arrow scrolling steps in twips; each timer tick moves half a step.
    float HScrollStep = 0;
    float VScrollStep = 0;

    // The evaluator control behind the plots; the model holds it.
    ombra::com::LateBoundObject& Calculator1;

signals:
    // "选项" was chosen: the application shows its settings dialog.
    void optionsRequested();

protected:
    // Shows the pop-up menu; a hook so the request can be observed.
    virtual void showBoardMenu(const QPoint& globalPosition);

    // The wheel over the picture zooms; the board's shortcuts win over the
    // keys of whatever widget of the board has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createBottomBar();
    void createStrips();
    void createMenu();
    QAction* addCommand(const char* caption, const char* name, const QList<QKeySequence>& shortcuts,
                        void (mForm1::*handler)());
    void addViewCommands();
    void routeBoardInput();
    bool isBoardShortcut(const QKeyEvent& key) const;
    void createPictureEntries();
    void connectPointerHandlers();
    void arrangeFrame();

    void addUndoCommands();
    void connectModel();
    void showEntry();

    void applyStoredPlacement();
    void layOutBoard(const BoardLayout& layout);
    void placePicture();
    void centreOrigin();
    void panTo(double x, double y);
    ViewScale shownScale() const;  // the picture's scale as it stands
    void showViewStrips();
    void drawingRestored();

    void resetStripScales();
    void drawStripMarkers(int32_t colorWord);
    void drawMarker(toolkit::PictureArea* strip, double p, int32_t colorWord);
    int32_t stripForeColor() const;
    void chooseLineColour(int paletteIndex);
    void pressArrow(float* scrollStep, float value);
    void releaseArrow(float* scrollStep);

    BoardProgress progress_{*this};
    QWidget* viewport_;
    bool centredOnFirstShow_ = false;
    bool showingEntry_ = false;
    QWidget* curveList_ = nullptr;
    QPointF grabbed_;         // the scale point under the pointer at the last press
    ViewScale pressedScale_;  // the picture's scale at the last press
};

}  // namespace plotdesk
