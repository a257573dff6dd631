#pragma once
// The board picture on a printed page: fitted to the page, or at true
// scale, where one unit of the board's scale is a given number of
// millimetres on paper. The page is drawn through the same replay as the
// screen, so on a printer or a PDF the lines stay lines.

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace plotdesk {
namespace toolkit {
class PictureArea;
}

struct PrintOptions {
    bool trueScale = false;  // false: the picture fills the page, keeping its shape
    double mmPerUnit = 0.1;  // at true scale: millimetres on paper for one scale unit
};

// Millimetres per unit that may be asked for at true scale.
inline constexpr double kLeastMmPerUnit = 0.001;
inline constexpr double kMostMmPerUnit = 1000;

// Where the picture lies on the page, in device units from the printable
// area's top-left corner: centred on the area, either as large as fits
// (keeping the picture's shape on the screen) or at true scale for a
// picture `units` wide and high in scale units on a device of
// `dotsPerInch`. At true scale it may be larger than the area; the page
// shows its middle.
QRectF printedPictureRect(QSizeF printable, double dotsPerInch, QSizeF picturePixels, QSizeF units,
                          const PrintOptions& options);

// The largest millimetres per unit of the series 1, 2, 5, 10 ... (and 0.5,
// 0.2, 0.1 ... below 1) at which the whole picture fits the printable area.
double fittingMmPerUnit(QSizeF printable, double dotsPerInch, QSizeF units);

// Draws the picture onto the page of `painter`, whose device has a
// printable area of `printable` device units at `dotsPerInch`.
void paintPrintPage(QPainter& painter, const toolkit::PictureArea& picture, QSizeF printable, double dotsPerInch,
                    const PrintOptions& options);

}  // namespace plotdesk
