#pragma once
// The drawing's undo keys on a window other than the board: Ctrl+Z takes
// back the board's last change, Ctrl+Y and Ctrl+Shift+Z make it again. A
// text field with the focus keeps these keys for its own text.

class QWidget;

namespace plotdesk {

void addDrawingUndoKeys(QWidget& window);

}  // namespace plotdesk
