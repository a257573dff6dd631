#pragma once
// Qt mouse buttons as the classic codes: 1 left, 2 right, 4 middle.

#include <Qt>

namespace plotdesk::toolkit {

inline constexpr int kLeftButtonCode = 1;
inline constexpr int kRightButtonCode = 2;
inline constexpr int kMiddleButtonCode = 4;

inline int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return kLeftButtonCode;
        case Qt::RightButton: return kRightButtonCode;
        case Qt::MiddleButton: return kMiddleButtonCode;
        default: return 0;
    }
}

inline int buttonCodes(Qt::MouseButtons buttons) {
    return (buttons.testFlag(Qt::LeftButton) ? kLeftButtonCode : 0) |
           (buttons.testFlag(Qt::RightButton) ? kRightButtonCode : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? kMiddleButtonCode : 0);
}

}  // namespace plotdesk::toolkit
