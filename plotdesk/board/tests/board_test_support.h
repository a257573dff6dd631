#pragma once
// Shared by the board tests: a private settings store in a temporary folder,
// a scripted answerer for the shell's questions, and pixel helpers.

#include "board/mForm1.h"
#include "board/shell_questions.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <initializer_list>
#include <memory>
#include <utility>

namespace boardtest {

// Points the settings store at an empty temporary folder, so the user's own
// store is never read or written.
class TemporaryStore {
public:
    TemporaryStore() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path()); }
    void set(std::initializer_list<std::pair<const char*, QString>> values) {
        for (const auto& [key, value] : values) plotdesk::SaveSetting(key, value);
    }

private:
    QTemporaryDir dir_;
};

// Answers the board's questions as a test wants and counts them.
class ScriptedQuestions final : public plotdesk::ShellQuestions {
public:
    ScriptedQuestions() { plotdesk::setShellQuestions(this); }
    ~ScriptedQuestions() override { plotdesk::setShellQuestions(nullptr); }
    int selectedMainTab() override { return tab; }
    bool gridStyleSelected() override {
        ++gridQuestions;
        return grid;
    }
    int tab = 0;
    bool grid = true;
    int gridQuestions = 0;
};

// A loaded board that is deleted at the end of the test.
inline std::unique_ptr<plotdesk::mForm1> loadedBoard() {
    auto board = std::make_unique<plotdesk::mForm1>();
    board->Form_Load();
    return board;
}

inline QRgb rgbOfWord(int32_t word) { return qRgb(word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF) & 0xFFFFFF; }

// Whether a pixel of `colour` lies within a pixel of board point (x, y):
// one-pixel lines land on either side of a fractional pixel position.
inline bool colourNear(plotdesk::toolkit::PictureArea* area, double x, double y, QRgb colour) {
    const QImage image = area->image();
    const QPointF centre = area->toPixels(x, y);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint p(int(std::floor(centre.x())) + dx, int(std::floor(centre.y())) + dy);
            if (image.rect().contains(p) && (image.pixel(p) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
        }
    return false;
}

// Whether any pixel of the given colour lies in the image columns from
// board x0 to x1 (inclusive).
inline bool colourInColumns(plotdesk::toolkit::PictureArea* area, double x0, double x1, QRgb colour) {
    const QImage image = area->image();
    const int first = std::max(0, int(std::floor(area->toPixels(x0, 0).x())));
    const int last = std::min(image.width() - 1, int(std::ceil(area->toPixels(x1, 0).x())));
    for (int column = first; column <= last; ++column)
        for (int row = 0; row < image.height(); ++row)
            if ((image.pixel(column, row) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

constexpr QRgb kRed = 0xFF0000;

}  // namespace boardtest
