// The board's own commands: clear, back to the origin, the pop-up menu with
// its line colours, and what the window does when resized, shown or closed.

#include "board/board_geometry.h"
#include "board/board_texts.h"
#include "board/mForm1.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace plotdesk {
namespace {

// The colour submenu, in menu order: each entry sets the curve colour to a
// palette entry.
struct ColourEntry {
    const char* name;
    const char* caption;
    void (mForm1::*handler)();
};
const ColourEntry kColourEntries[] = {
    {"bg", "亮蓝色", &mForm1::bg_Click},     {"b", "蓝色", &mForm1::b_Click},   {"red", "红色", &mForm1::red_Click},
    {"rluse", "绿色", &mForm1::rluse_Click}, {"ye", "黄色", &mForm1::ye_Click}, {"f3", "青色", &mForm1::f3_Click},
    {"为", "洋红色", &mForm1::为_Click},     {"bf", "黑色", &mForm1::bf_Click},
};

// Places and sizes are stored as single-precision twips.
QString twipsText(double twips) { return singleText(static_cast<float>(twips)); }

}  // namespace

void mForm1::createMenu() {
    tt = new QMenu(this);
    tt->setObjectName(QStringLiteral("tt"));
    rr = addCommand(boardtext::kRedraw, "rr", {QKeySequence(Qt::CTRL | Qt::Key_R)}, &mForm1::rr_Click);
    ff = addCommand(boardtext::kOptions, "ff", {QKeySequence(Qt::CTRL | Qt::Key_E)}, &mForm1::ff_Click);
    yu = tt->addSeparator();
    yu->setObjectName(QStringLiteral("yu"));
    shoosecolor = tt->addMenu(QString::fromUtf8(boardtext::kChooseColour));
    shoosecolor->setObjectName(QStringLiteral("shoosecolor"));
    for (const ColourEntry& entry : kColourEntries) {
        QAction* action = shoosecolor->addAction(QString::fromUtf8(entry.caption), this,
                                                 [this, handler = entry.handler] { (this->*handler)(); });
        action->setObjectName(QString::fromUtf8(entry.name));
    }
    addViewCommands();
    addUndoCommands();
    createPictureEntries();
}

// The entry's shortcuts belong to the window as well, so they work whenever
// the board is the active window.
QAction* mForm1::addCommand(const char* caption, const char* name, const QList<QKeySequence>& shortcuts,
                            void (mForm1::*handler)()) {
    QAction* action = tt->addAction(QString::fromUtf8(caption), this, [this, handler] { (this->*handler)(); });
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcuts(shortcuts);
    addAction(action);
    return action;
}

void mForm1::showBoardMenu(const QPoint& globalPosition) { tt->popup(globalPosition); }

void mForm1::rr_Click() { Command1_Click(); }

void mForm1::ff_Click() { emit optionsRequested(); }

// Palette entries of the colour submenu.
void mForm1::bg_Click() { chooseLineColour(9); }
void mForm1::b_Click() { chooseLineColour(1); }
void mForm1::red_Click() { chooseLineColour(4); }
void mForm1::rluse_Click() { chooseLineColour(2); }
void mForm1::ye_Click() { chooseLineColour(6); }
void mForm1::f3_Click() { chooseLineColour(3); }
void mForm1::为_Click() { chooseLineColour(5); }
void mForm1::bf_Click() { chooseLineColour(0); }

// Changes the curve colour in memory only; the settings dialog's "应用"
// saves it.
void mForm1::chooseLineColour(int paletteIndex) { Settings().fcolor = toolkit::paletteColor(paletteIndex); }

void mForm1::Command2_Click() {
    pxp->cls();
    reuse();
    Command3_Click();
}

// From a zoomed or fitted view, the board first goes back to the layout,
// with the remembered curves drawn again.
void mForm1::Command3_Click() {
    if (view() != View::Classic) {
        model_->showClassicView();
        resetStripScales();
        drawStripMarkers(stripForeColor());
    }
    centreOrigin();
}

void mForm1::centreOrigin() {
    pxp->setLeftTwips(centredEdge(pxp->scaleLeft(), pxp->scaleWidth(), pxp->widthTwips(), viewportWidthTwips()));
    pxp->setTopTwips(centredEdge(pxp->scaleTop(), pxp->scaleHeight(), pxp->heightTwips(), viewportHeightTwips()));
}

// A fitted picture fits the new size; a zoomed one stays where it is.
void mForm1::Form_Resize() {
    arrangeFrame();
    switch (view()) {
        case View::Classic: centreOrigin(); break;
        case View::Fitted: fitToWindow(); break;
        case View::Zoomed: break;
    }
}

void mForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void mForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centredOnFirstShow_) {
        centredOnFirstShow_ = true;
        Form_Resize();
    }
}

SettingValues mForm1::picturePosition() const {
    return {{QString::fromLatin1(key::pxpleft), twipsText(pxp->leftTwips())},
            {QString::fromLatin1(key::pxpltop), twipsText(pxp->topTwips())}};
}

// Closing the board keeps its place for the next time: the picture's
// position and the window's placement, in one write of the store.
void mForm1::Form_Unload() {
    const QRect frame = geometry();
    const QPoint place = pos();
    const struct {
        const char* key;
        double twips;
    } placement[] = {
        {key::MainLeft, toolkit::pixelsToTwipsX(place.x())},
        {key::MainTop, toolkit::pixelsToTwipsY(place.y())},
        {key::MainWidth, toolkit::pixelsToTwipsX(frame.width())},
        {key::MainHeight, toolkit::pixelsToTwipsY(frame.height())},
    };
    SettingValues values = picturePosition();
    for (const auto& entry : placement) values.append({QString::fromLatin1(entry.key), twipsText(entry.twips)});
    SaveSettings(values);
}

// The board never refuses to close.
void mForm1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

}  // namespace plotdesk
