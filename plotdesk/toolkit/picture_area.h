#pragma once
// A picture area with a user scale and persistent drawing.
//
// Everything drawn (lines, boxes, printed text) is kept as a list of drawing
// steps in scale units until it is cleared (cls, a new background colour);
// the picture shows the background colour, then the background picture,
// then the drawing. Coordinates are in the user scale: x runs from
// scaleLeft over scaleWidth across the area, y from scaleTop over
// scaleHeight down it (a negative width or height turns the axis round).
// Until a scale is set, the scale is the area's size in twips with the
// origin at the top-left corner.
//
// A step keeps the place it was given when it was drawn: a later change of
// scale or size applies to what is drawn next, and a grown area shows the
// earlier drawing at its top-left corner. The list is drawn onto any paint
// device by one routine: the screen's back buffer (brought up to date with
// the new steps before each paint, and drawn anew when the size or the
// pixel ratio changes), images of any size, SVG and PDF (renderPicture).
// Recording a segment is cheap; the pixels are made when they are shown.

#include "toolkit/drawing_record.h"
#include "toolkit/drawing_replay.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QWidget>
#include <cstdint>

class QPainter;

namespace plotdesk::toolkit {

// No side of a picture area may be longer, in logical pixels: a longer one
// is refused and the old size kept.
inline constexpr int kLargestPictureSide = 16384;

class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    // Position and size inside the parent, in twips. A negative, non-finite
    // or absurdly large size is refused and the old size kept.
    double leftTwips() const;
    double topTwips() const;
    double widthTwips() const;
    double heightTwips() const;
    void setLeftTwips(double left);
    void setTopTwips(double top);
    void setSizeTwips(double width, double height);

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

    // Scale units to logical pixels of the area, and back.
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
    // colour and the area's font. With endLine the position moves to the
    // scale's left edge one text line further down; without it, just past the
    // text on the same line.
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x);
    void setCurrentY(double y);
    void print(const QString& text, bool endLine = true);
    double textHeight() const;
    double textWidth(const QString& text) const;

    // The picture as shown (background colour, picture and drawing) at the
    // area's size in logical pixels; on a high-density screen, the screen's
    // picture brought down to that size.
    QImage image() const;

    // Draws the picture as shown, scaled from the area's logical size to
    // `target` in the painter's coordinates (an image's size, or its logical
    // size when it has a pixel ratio; a PDF page's size in device units),
    // from the painter's origin, onto whatever device the painter works on:
    // an image of any size, QSvgGenerator, QPdfWriter.
    // On pixel devices lines come out as on the screen; on vector devices a
    // curve is one polyline and texts are text. Nothing is drawn while the
    // area has no size or the painter is not active.
    void renderPicture(QPainter& painter, const QSizeF& target) const;

    // Smooth lines: anti-aliased lines and outlines on the screen and in
    // images. Off by default, which gives the classic hard-edged pixels.
    void setSmooth(bool smooth);
    bool smooth() const { return smooth_; }

    // The drawing steps kept since the last wipe.
    const DrawingRecord& record() const { return record_; }

signals:
    // Pointer events in scale units; buttons use the classic codes
    // 1 left, 2 right, 4 middle.
    void mouseDown(int button, double x, double y);
    void mouseMove(int buttons, double x, double y);
    void mouseUp(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ScaleMapping mapping() const;
    void recordSegment(double x1, double y1, double x2, double y2, int32_t colorWord);
    void recordBox(const BoxStep& box, int32_t colorWord);
    void drawingChanged();
    void wipeDrawing();
    void drawBackground(QPainter& painter) const;
    void bringShownUpToDate();
    void useUserScale();

    double leftTwips_ = 0;
    double topTwips_ = 0;
    double widthTwips_ = 0;
    double heightTwips_ = 0;

    bool userScale_ = false;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 1;
    double scaleHeight_ = 1;

    int32_t backColor_ = 0xFFFFFF;
    int32_t foreColor_ = 0;
    int drawWidth_ = 1;

    double currentX_ = 0;
    double currentY_ = 0;

    QImage picture_;
    bool smooth_ = false;

    DrawingRecord record_;
    // The picture as shown on the screen, at the screen's pixel ratio.
    QImage shown_;
    DrawingReplay shownReplay_{record_};
    bool shownStale_ = true;  // to be drawn anew before it is shown again
    bool updatePending_ = false;
};

}  // namespace plotdesk::toolkit
