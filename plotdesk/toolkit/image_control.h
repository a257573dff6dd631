#pragma once
// A small picture that reports presses and releases, with the classic button
// codes (1 left, 2 right, 4 middle). It shows its image at its natural size
// in the top-left corner, or stretched over the whole control.

#include <QImage>
#include <QWidget>

namespace plotdesk::toolkit {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    // Sets the picture; unless stretched, the control takes the picture's size.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    bool loadImage(const QString& path);

    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    QSize sizeHint() const override;

signals:
    void mouseDown(int button);
    void mouseUp(int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
    bool stretch_ = false;
};

}  // namespace plotdesk::toolkit
