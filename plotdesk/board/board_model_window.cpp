// The board window onto its model: the expression holders and the bottom
// bar's fields show the model's entry and hand back what is typed into
// them, the long plots report to the window, and an undo or redo shows the
// drawing it puts back.

#include "board/board_texts.h"
#include "board/curve_list.h"
#include "board/mForm1.h"
#include "board/shell_questions.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

#include <functional>
#include <utility>

namespace plotdesk {

void mForm1::connectModel() {
    model_->setPlotWatcher(&progress_);
    model_->setGridQuestion([] { return shellQuestions().gridStyleSelected(); });
    showEntry();
    // What is typed into a holder or a bottom-bar field goes to the model,
    // except while the window itself shows the model's entry.
    const std::pair<QLineEdit*, std::function<void(const QString&)>> fields[] = {
        {表达式1, [this](const QString& text) { model_->setFunctionText(text); }},
        {start, [this](const QString& text) { model_->setStartText(text); }},
        {end, [this](const QString& text) { model_->setEndText(text); }},
        {step1, [this](const QString& text) { model_->setStepText(text); }},
    };
    for (const auto& [field, give] : fields)
        connect(field, &QLineEdit::textChanged, this, [this, give](const QString& text) {
            if (!showingEntry_) give(text);
        });
    for (QLineEdit* field : {表达式2, 表达式3})
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (!showingEntry_) model_->setParametricTexts(表达式2->text(), 表达式3->text());
        });
    connect(model_, &BoardModel::entryChanged, this, &mForm1::showEntry);
    connect(model_, &BoardModel::restored, this, &mForm1::drawingRestored);
}

// 撤销 (Ctrl+Z) and 重做 (Ctrl+Y, Ctrl+Shift+Z), enabled while there is a
// step to take back or to make again.
void mForm1::addUndoCommands() {
    tt->addSeparator();
    undoAction = addCommand(boardtext::kUndo, "undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &mForm1::undo_Click);
    redoAction = addCommand(boardtext::kRedo, "redo",
                            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                            &mForm1::redo_Click);
    curveListAction = addCommand(boardtext::kCurveList, "curveListEntry", {QKeySequence(Qt::CTRL | Qt::Key_L)},
                                 &mForm1::curveList_Click);
    QUndoStack& steps = model_->undoStack();
    undoAction->setEnabled(steps.canUndo());
    redoAction->setEnabled(steps.canRedo());
    connect(&steps, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
}

// The list opens beside the board; the same entry hides it again.
void mForm1::curveList_Click() {
    if (!curveList_) {
        curveList_ = new CurveList(*model_, this);
        curveList_->move(frameGeometry().topRight());
    }
    curveList_->setVisible(!curveList_->isVisible());
}

void mForm1::undo_Click() { model_->undoStack().undo(); }

void mForm1::redo_Click() { model_->undoStack().redo(); }

void mForm1::showEntry() {
    const BoardEntry& entry = model_->entry();
    showingEntry_ = true;
    const std::pair<QLineEdit*, const QString*> fields[] = {
        {表达式1, &entry.function}, {表达式2, &entry.xOfT}, {表达式3, &entry.yOfT},
        {start, &entry.start},      {end, &entry.end},      {step1, &entry.step},
    };
    for (const auto& [field, text] : fields)
        if (field->text() != *text) field->setText(*text);
    showingEntry_ = false;
}

// A fitted picture fills the window from its top-left corner; a classic
// one has its origin centred, as 返回原点 leaves it.
void mForm1::drawingRestored() {
    switch (view()) {
        case View::Classic: centreOrigin(); break;
        case View::Fitted:
            pxp->setLeftTwips(0);
            pxp->setTopTwips(0);
            break;
        case View::Zoomed: break;
    }
    showViewStrips();
}

}  // namespace plotdesk
