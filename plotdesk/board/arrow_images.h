#pragma once
// The four little scroll arrows of the board's horizontal strip.

#include <QImage>

namespace plotdesk {

enum class ArrowDirection { Left, Right, Up, Down };

// A 16 by 17 pixel arrow picture pointing in `direction`.
QImage arrowImage(ArrowDirection direction);

}  // namespace plotdesk
