#pragma once

class QWidget;

namespace plotdesk::toolkit {

// Puts a top-level window in the topmost band of the window stack without
// moving, resizing or hiding it.
void StayOnTop(QWidget* window);

}  // namespace plotdesk::toolkit
