#pragma once
// The drawing as plain data, free of widgets: what the board was laid out
// from, the view it shows, and the curves it remembers in the order they
// were plotted. The board model holds one; a drawing document is one written
// out; an undo step restores one.

#include "board/plot_requests.h"
#include "board/view_scale.h"
#include "settings/settings_record.h"

#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

namespace plotdesk {

// What the board's picture is laid out from: the settings record as it
// stood at the layout, and the stored switches the layout reads beside it.
// A drawing carries its own copy, so opening one lays the picture out
// without reading or changing the settings store.
struct BoardLayout {
    SettingsRecord record{};
    bool gridLines = true;      // grid lines across the picture, or tick marks on the axes
    bool smoothLines = false;   // anti-aliased lines
    int axesPenWidth = 1;       // pixels: axes, grid and ticks
    QString backgroundPicture;  // the picture file drawn under the axes; empty for none
};

enum class BoardViewKind { Classic, Zoomed, Fitted };

// The view: the classic layout from the record, or a zoomed or fitted scale
// on a picture of its own size in pixels.
struct BoardView {
    BoardViewKind kind = BoardViewKind::Classic;
    ViewScale scale;    // zoomed and fitted views
    QSize pictureSize;  // zoomed and fitted views
};

// A remembered curve: the request it was plotted from, and whether it is
// drawn.
struct BoardCurve {
    CurveRequest request;
    bool visible = true;
};

struct BoardState {
    BoardLayout layout;
    BoardView view;
    std::vector<BoardCurve> curves;
    int16_t colourIndex = 0;  // the colour cycle's position: the next curve takes the entry after it
};

}  // namespace plotdesk
