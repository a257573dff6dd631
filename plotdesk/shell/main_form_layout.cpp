#include "shell/main_form_layout.h"

namespace plotdesk::main_form_layout {
namespace {

constexpr int kTabsMargin = 800;
constexpr int kListsMargin = 2700;
constexpr int kHelpTextMargin = 1300;

std::optional<int> positiveOrNothing(int height) {
    if (height <= 0) return std::nullopt;
    return height;
}

}  // namespace

ResizedHeights resizedHeights(int windowHeightTwips) {
    return {positiveOrNothing(windowHeightTwips - kTabsMargin), positiveOrNothing(windowHeightTwips - kListsMargin),
            positiveOrNothing(windowHeightTwips - kHelpTextMargin)};
}

}  // namespace plotdesk::main_form_layout
