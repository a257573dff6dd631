#include "shell/drawing_undo_keys.h"

#include "board/mForm1.h"
#include "shell/board_window.h"

#include <QAction>
#include <QWidget>

namespace plotdesk {

void addDrawingUndoKeys(QWidget& window) {
    auto* undo = new QAction(&window);
    undo->setObjectName(QStringLiteral("drawingUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QObject::connect(undo, &QAction::triggered, &window, [] { boardWindow().undo_Click(); });
    auto* redo = new QAction(&window);
    redo->setObjectName(QStringLiteral("drawingRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QObject::connect(redo, &QAction::triggered, &window, [] { boardWindow().redo_Click(); });
    window.addAction(undo);
    window.addAction(redo);
}

}  // namespace plotdesk
