#pragma once
// A picture area: a widget that shows a picture canvas (its own, or one that
// a model draws on) at its place in the parent, and reports the pointer in
// the picture's scale. Its drawing operations are the canvas's; see
// picture_canvas.h.
//
// The screen's back buffer is brought up to date with the new steps before
// each paint, and drawn anew when the size, the pixel ratio or the look
// changes. Recording a segment is cheap; the pixels are made when they are
// shown.

#include "toolkit/drawing_replay.h"
#include "toolkit/picture_canvas.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QWidget>
#include <cstdint>
#include <memory>

class QPainter;

namespace plotdesk::toolkit {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);
    ~PictureArea() override;

    // Shows `canvas` (not owned; it must outlive the area or be replaced)
    // instead of the area's own; the area takes the canvas's size.
    void showCanvas(PictureCanvas& canvas);
    // The canvas shown, at the widget's size.
    PictureCanvas& canvas() const;

    // Position and size inside the parent, in twips. A negative, non-finite
    // or absurdly large size is refused and the old size kept.
    double leftTwips() const;
    double topTwips() const;
    double widthTwips() const { return canvas().widthTwips(); }
    double heightTwips() const { return canvas().heightTwips(); }
    void setLeftTwips(double left);
    void setTopTwips(double top);
    void setSizeTwips(double width, double height) { canvas().setSizeTwips(width, height); }

    void setScaleLeft(double left) { canvas().setScaleLeft(left); }
    void setScaleTop(double top) { canvas().setScaleTop(top); }
    bool setScaleWidth(double width) { return canvas().setScaleWidth(width); }
    bool setScaleHeight(double height) { return canvas().setScaleHeight(height); }
    double scaleLeft() const { return canvas().scaleLeft(); }
    double scaleTop() const { return canvas().scaleTop(); }
    double scaleWidth() const { return canvas().scaleWidth(); }
    double scaleHeight() const { return canvas().scaleHeight(); }
    QPointF toPixels(double x, double y) const { return canvas().toPixels(x, y); }
    QPointF toScale(QPointF px) const { return canvas().toScale(px); }

    void setBackColor(int32_t colorWord) { canvas().setBackColor(colorWord); }
    int32_t backColor() const { return canvas().backColor(); }
    void setForeColor(int32_t colorWord) { canvas().setForeColor(colorWord); }
    int32_t foreColor() const { return canvas().foreColor(); }
    void setDrawWidth(int px) { canvas().setDrawWidth(px); }
    int drawWidth() const { return canvas().drawWidth(); }

    bool loadPicture(const QString& path) { return canvas().loadPicture(path); }
    void clearPicture() { canvas().clearPicture(); }
    bool hasPicture() const { return canvas().hasPicture(); }

    void cls() { canvas().cls(); }
    void line(double x1, double y1, double x2, double y2) { canvas().line(x1, y1, x2, y2); }
    void line(double x1, double y1, double x2, double y2, int32_t colorWord) {
        canvas().line(x1, y1, x2, y2, colorWord);
    }
    void box(double x1, double y1, double x2, double y2, int32_t colorWord) { canvas().box(x1, y1, x2, y2, colorWord); }
    double currentX() const { return canvas().currentX(); }
    double currentY() const { return canvas().currentY(); }
    void setCurrentX(double x) { canvas().setCurrentX(x); }
    void setCurrentY(double y) { canvas().setCurrentY(y); }
    void print(const QString& text, bool endLine = true) { canvas().print(text, endLine); }
    double textHeight() const { return canvas().textHeight(); }
    double textWidth(const QString& text) const { return canvas().textWidth(text); }

    // The picture as shown, at the area's size in logical pixels; on a
    // high-density screen, the screen's picture brought down to that size.
    QImage image() const { return canvas().image(devicePixelRatio()); }
    void renderPicture(QPainter& painter, const QSizeF& target) const { canvas().renderPicture(painter, target); }

    void setSmooth(bool smooth) { canvas().setSmooth(smooth); }
    bool smooth() const { return canvas().smooth(); }
    const DrawingRecord& record() const { return canvas().record(); }

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
    void changeEvent(QEvent* event) override;

private:
    void listenTo(PictureCanvas& canvas);
    void canvasChanged(PictureCanvas::Change change);
    void bringShownUpToDate();

    double leftTwips_ = 0;
    double topTwips_ = 0;

    PictureCanvas own_;
    PictureCanvas* canvas_ = &own_;
    // The picture as shown on the screen, at the screen's pixel ratio.
    QImage shown_;
    std::unique_ptr<DrawingReplay> shownReplay_;
    bool shownStale_ = true;  // to be drawn anew before it is shown again
    bool updatePending_ = false;
};

}  // namespace plotdesk::toolkit
