#pragma once
// A label that reads as a link: underlined, with a pointing-hand cursor,
// and reports a click with the left button.

#include <QLabel>

namespace plotdesk {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace plotdesk
