#pragma once
// 打印…: Qt's print preview of the board picture, in Chinese like Qt's other
// dialogs, with the page's orientation, the printer and its settings, and
// a choice of its own: fit the picture to the page, or print it at true
// scale, so many millimetres to one unit.

class QWidget;

namespace plotdesk {
namespace toolkit {
class PictureArea;
}

// Opens the preview, window-modal over `parent`; it goes when it is closed.
// The picture must outlive it.
void showPrintPreview(const toolkit::PictureArea& picture, QWidget* parent);

}  // namespace plotdesk
