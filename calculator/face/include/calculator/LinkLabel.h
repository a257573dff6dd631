#pragma once
// A label that behaves like a link: underlined, a pointing hand, and a
// clicked() signal on a left click or on Enter/Space when it has the focus.

#include <QLabel>

namespace ombra {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ombra
