#include "toolkit/stay_on_top.h"

#include <QWidget>

namespace plotdesk::toolkit {

void StayOnTop(QWidget* window) {
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return;
    // Changing window flags re-creates the native window and hides it; put
    // the geometry and visibility back as they were.
    const QRect geometry = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setGeometry(geometry);
    if (visible) window->show();
}

}  // namespace plotdesk::toolkit
