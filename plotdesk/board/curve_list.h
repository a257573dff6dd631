#pragma once
// 曲线列表: a small tool window beside the board listing each remembered
// curve with its colour and text. Its check box shows or hides the curve;
// 颜色… picks another colour, 删除 forgets the curve, 再画一次 plots it again
// as a new curve. Each is one step of the board's undo stack.

#include <QWidget>

class QListWidget;

namespace plotdesk {

class BoardModel;

class CurveList : public QWidget {
    Q_OBJECT
public:
    CurveList(BoardModel& model, QWidget* parent);

private:
    void refill();
    int chosen() const;
    void chooseColour();

    BoardModel& model_;
    QListWidget* list_;
    bool filling_ = false;
};

}  // namespace plotdesk
