#pragma once
// A picture with a user scale and persistent drawing, free of widgets: the
// board model draws on one, a picture area shows one on the screen, and the
// export and the clipboard render one at any size.
//
// Everything drawn (lines, boxes, printed text) is kept as a list of drawing
// steps in scale units until it is cleared (cls, a new background colour);
// the picture shows the background colour, then the background picture,
// then the drawing. Coordinates are in the user scale: x runs from
// scaleLeft over scaleWidth across the picture, y from scaleTop over
// scaleHeight down it (a negative width or height turns the axis round).
// Until a scale is set, the scale is the picture's size in twips with the
// origin at the top-left corner.
//
// A step keeps the place it was given when it was drawn: a later change of
// scale or size applies to what is drawn next, and a grown picture shows
// the earlier drawing at its top-left corner.

#include "toolkit/drawing_record.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <cstdint>
#include <functional>

class QPainter;

namespace plotdesk::toolkit {

// No side of a picture may be longer, in logical pixels: a longer one is
// refused and the old size kept.
inline constexpr int kLargestPictureSide = 16384;

class PictureCanvas {
public:
    PictureCanvas();

    // What a change touched, for whoever shows the picture: new steps at the
    // end of the record, a wipe or a new look (drawn anew), or a new size.
    enum class Change { Drawn, Redrawn, Resized };
    using ChangeListener = std::function<void(Change)>;
    void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

    // The size in twips and in logical pixels. A negative, non-finite or
    // absurdly large size is refused and the old size kept.
    double widthTwips() const { return widthTwips_; }
    double heightTwips() const { return heightTwips_; }
    void setSizeTwips(double width, double height);
    // Takes a size in pixels from outside (a widget laid out by its parent):
    // the twips follow.
    void adoptPixelSize(QSize pixels);
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    QSize size() const { return pixels_; }
    QRect rect() const { return QRect(QPoint(0, 0), pixels_); }
    // The device pixels to a logical pixel on the screen the picture is shown on.
    double devicePixelRatioF() const;

    // The user scale. A zero (or non-finite) width or height is refused:
    // false, and the old value kept.
    void setScaleLeft(double left);
    void setScaleTop(double top);
    bool setScaleWidth(double width);
    bool setScaleHeight(double height);
    double scaleLeft() const;
    double scaleTop() const;
    double scaleWidth() const;
    double scaleHeight() const;

    // Scale units to logical pixels, and back.
    QPointF toPixels(double x, double y) const;
    QPointF toScale(QPointF px) const;

    // Colours as colour words. A new background colour wipes the drawing;
    // the background picture stays.
    void setBackColor(int32_t colorWord);
    int32_t backColor() const { return backColor_; }
    void setForeColor(int32_t colorWord);
    int32_t foreColor() const { return foreColor_; }

    // Pen width in pixels for lines and boxes, at least 1.
    void setDrawWidth(int px);
    int drawWidth() const { return drawWidth_; }

    // The font of printed texts, sized for `dpi` dots per inch.
    const QFont& font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    void setDpi(int dpi) { dpi_ = dpi; }

    // The background picture, drawn at its natural size from the top-left
    // corner under the drawing. false (and no picture) when the file cannot
    // be read; an empty path just removes the picture.
    bool loadPicture(const QString& path);
    void clearPicture();
    bool hasPicture() const { return !picture_.isNull(); }

    // Wipes the drawing; the current position goes back to the scale origin.
    void cls();

    // A segment in the fore colour or the given colour word, with the current
    // draw width; the current position moves to (x2, y2). Segments with
    // non-finite or far out-of-range coordinates are skipped.
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, int32_t colorWord);

    // A rectangle outline with corners (x1, y1) and (x2, y2).
    void box(double x1, double y1, double x2, double y2, int32_t colorWord);
    // The same rectangle filled with the colour, without an outline.
    void fillBox(double x1, double y1, double x2, double y2, int32_t colorWord);

    // Text output at the current position (its top-left corner), in the fore
    // colour and the font. With endLine the position moves to the scale's
    // left edge one text line further down; without it, just past the text
    // on the same line.
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x);
    void setCurrentY(double y);
    void print(const QString& text, bool endLine = true);
    double textHeight() const;
    double textWidth(const QString& text) const;

    // The picture (background colour, picture and drawing) at its size in
    // logical pixels, drawn at `pixelRatio` and brought down to that size,
    // so that texts keep the shapes they have on such a screen.
    QImage image(double pixelRatio = 1) const;

    // Draws the picture scaled from its logical size to `target` in the
    // painter's coordinates (an image's size, or its logical size when it
    // has a pixel ratio; a PDF page's size in device units), from the
    // painter's origin, onto whatever device the painter works on: an image
    // of any size, QSvgGenerator, QPdfWriter. On pixel devices lines come
    // out as on the screen; on vector devices a curve is one polyline and
    // texts are text. Nothing is drawn while the picture has no size or the
    // painter is not active.
    void renderPicture(QPainter& painter, const QSizeF& target) const;
    // The background colour and picture.
    void drawBackground(QPainter& painter) const;

    // Smooth lines: anti-aliased lines and outlines. Off by default, which
    // gives the classic hard-edged pixels.
    void setSmooth(bool smooth);
    bool smooth() const { return smooth_; }

    // The drawing steps kept since the last wipe.
    const DrawingRecord& record() const { return record_; }

private:
    ScaleMapping mapping() const;
    void recordSegment(double x1, double y1, double x2, double y2, int32_t colorWord);
    void recordBox(const BoxStep& box, int32_t colorWord);
    void changed(Change change);
    void wipeDrawing();
    void useUserScale();

    double widthTwips_ = 0;
    double heightTwips_ = 0;
    QSize pixels_{0, 0};

    bool userScale_ = false;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 1;
    double scaleHeight_ = 1;

    int32_t backColor_ = 0xFFFFFF;
    int32_t foreColor_ = 0;
    int drawWidth_ = 1;
    QFont font_;
    int dpi_ = 96;

    double currentX_ = 0;
    double currentY_ = 0;

    QImage picture_;
    bool smooth_ = false;

    DrawingRecord record_;
    ChangeListener listener_;
};

}  // namespace plotdesk::toolkit
