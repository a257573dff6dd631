// What reaches the board before its widgets: the wheel over the picture,
// which zooms about the pointer, and the board's shortcut keys, which win
// over the keys of whatever widget of the board has the focus.

#include "board/mForm1.h"
#include "board/view_scale.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <cmath>

namespace plotdesk {
namespace {

// The angle one notch of a mouse wheel reports; finer wheels zoom by part
// of a step.
constexpr double kWheelNotch = 120;

}  // namespace

// A field takes some Ctrl keys for itself (with the X11 key bindings,
// Ctrl+E moves a line edit's cursor to the end), which would keep the
// board's shortcuts from running while it has the focus. The board looks at
// every key before any widget of its window does and hands its own
// shortcut keys on to the shortcuts. A click on the picture takes the focus
// from the fields; the wheel over the picture zooms.
void mForm1::routeBoardInput() {
    pxp->setFocusPolicy(Qt::ClickFocus);
    qApp->installEventFilter(this);
    pxp->installEventFilter(this);
}

bool mForm1::isBoardShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    const QKeySequence unshifted(QKeyCombination(key.modifiers() & ~Qt::ShiftModifier, Qt::Key(key.key())));
    for (const QAction* action : actions())
        if (action->isEnabled())
            for (const QKeySequence& shortcut : action->shortcuts())
                if (shortcut == pressed || shortcut == unshifted) return true;
    return false;
}

bool mForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget && widget->window() == this && isBoardShortcut(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
    }
    if (watched == pxp && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (const int delta = wheel->angleDelta().y(); delta != 0) {
            const QPointF at = pxp->toScale(wheel->position());
            zoomAbout(at.x(), at.y(), std::pow(kZoomStep, delta / kWheelNotch));
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace plotdesk
