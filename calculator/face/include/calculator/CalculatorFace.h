#pragma once
// What a host window shows for a Calculator control: a fixed 270 by 270 twips
// square with the control's small picture. Its context menu opens the About
// page, as does a double click.

#include <QPointer>
#include <QWidget>

namespace ombra {

class About;

class CalculatorFace : public QWidget {
    Q_OBJECT
public:
    static constexpr double kSideTwips = 270;

    explicit CalculatorFace(QWidget* parent = nullptr);
    ~CalculatorFace() override;

    QSize sizeHint() const override;

    // The control's side in pixels on this widget's screen.
    int sidePixels() const;

    void UserControl_Initialize();
    void UserControl_Resize();

    // Shows the About page (the open one is brought to the front) and returns it.
    About* showAbout();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPointer<About> about_;
};

}  // namespace ombra
