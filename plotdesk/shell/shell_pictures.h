#pragma once
// The small pictures the shell's windows show, drawn at start so the
// program carries no image files: the logo of the start-up window and the
// two style previews of the settings dialog.

#include <QImage>
#include <QSize>

namespace plotdesk {

inline constexpr QSize kLogoSize{119, 118};
inline constexpr QSize kPreviewSize{97, 81};

// Axes with arrows and a sine curve over them.
QImage drawLogo();

// The grid style: axes over a light grid.
QImage drawGridPreview();

// The plain-axes style: axes with short tick marks.
QImage drawAxesPreview();

}  // namespace plotdesk
