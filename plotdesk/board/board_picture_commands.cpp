// The board's picture entries of its pop-up menu: 导出图片… writes what the
// board shows to a file, 复制图片 puts it on the clipboard, 打印… prints it
// after a preview. Their shortcuts work wherever the focus is on the board;
// Ctrl+C stays the copy of the text fields.

#include "board/board_picture.h"
#include "board/board_texts.h"
#include "board/export_dialog.h"
#include "board/mForm1.h"
#include "board/print_preview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace plotdesk {

void mForm1::createPictureEntries() {
    tt->addSeparator();
    exportPicture = addCommand(boardtext::kExportPicture, "exportPicture", {QKeySequence(Qt::CTRL | Qt::Key_S)},
                               &mForm1::exportPicture_Click);
    copyPicture = addCommand(boardtext::kCopyPicture, "copyPicture", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                             &mForm1::copyPicture_Click);
    printPicture = addCommand(boardtext::kPrintPicture, "printPicture", {QKeySequence(Qt::CTRL | Qt::Key_P)},
                              &mForm1::printPicture_Click);
}

// The dialog is window-modal and goes when it is closed; the board keeps
// answering its timer meanwhile.
void mForm1::exportPicture_Click() {
    auto* dialog = new ExportPictureDialog(model_->picture(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void mForm1::copyPicture_Click() {
    QGuiApplication::clipboard()->setImage(boardPictureImage(model_->picture(), pxp->size()));
}

void mForm1::printPicture_Click() { showPrintPreview(*pxp, this); }

}  // namespace plotdesk
