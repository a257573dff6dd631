#pragma once
// Qt mouse buttons as the classic codes: 1 left, 2 right, 4 middle.

#include <Qt>

namespace plotdesk::toolkit {

inline constexpr int leftButtonCode = 1;
inline constexpr int rightButtonCode = 2;
inline constexpr int middleButtonCode = 4;

inline int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return leftButtonCode;
    case Qt::RightButton: return rightButtonCode;
    case Qt::MiddleButton: return middleButtonCode;
    default: return 0;
    }
}

inline int buttonCodes(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? leftButtonCode : 0) |
           (buttons.testFlag(Qt::RightButton) ? rightButtonCode : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? middleButtonCode : 0);
}

}  // namespace plotdesk::toolkit
