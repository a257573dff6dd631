#pragma once
// What the reading of curves shows over the board picture without drawing
// into it: key points and values as dots with short labels (each label kept
// clear of the others, as tick labels are), the trace marker, and the
// trace's read-out line. It covers the picture and lets every pointer event
// through.

#include <QColor>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace plotdesk {

namespace toolkit {
class PictureArea;
}

struct ReadingMark {
    double x;  // board coordinates: the curve's x and y
    double y;
    QString label;
    QColor colour;
};

class ReadingMarks : public QWidget {
    Q_OBJECT
public:
    explicit ReadingMarks(toolkit::PictureArea* picture);

    void setMarks(std::vector<ReadingMark> marks);
    const std::vector<ReadingMark>& marks() const { return marks_; }
    // A mark drawn larger: the point chosen in a list.
    void setChosen(std::optional<int> index);
    // The trace marker and its read-out; nullopt hides them.
    void setTrace(std::optional<ReadingMark> marker, const QString& readout);
    const QString& readout() const { return readout_; }

    // Where board point (x, y) lies on the picture, in pixels.
    QPointF pixelOf(double x, double y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    toolkit::PictureArea* picture_;
    std::vector<ReadingMark> marks_;
    std::optional<int> chosen_;
    std::optional<ReadingMark> trace_;
    QString readout_;
};

}  // namespace plotdesk
