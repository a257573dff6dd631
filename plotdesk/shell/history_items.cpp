#include "shell/history_items.h"

namespace plotdesk {
namespace {

const QString kFunctionPrefix = QStringLiteral("f(x)=");
const QString kXPrefix = QStringLiteral("x = ");
const QString kSeparator = QStringLiteral(" ;");
const QString kYPrefix = QStringLiteral(" y = ");
const QString kYMark = QStringLiteral("y =");

// "y =" at character position 8 (1-based) at the earliest: the item
// "x = " + X + " ; y = " + Y puts it there when X is a single character.
constexpr qsizetype kFirstYMarkIndex = 7;

}  // namespace

QString functionItem(const QString& function) { return kFunctionPrefix + function; }

QString parametricItem(const QString& xOfT, const QString& yOfT) {
    return kXPrefix + xOfT + kSeparator + kYPrefix + yOfT;
}

std::optional<QString> recallFunction(const QString& item) {
    if (!item.startsWith(kFunctionPrefix, Qt::CaseSensitive)) return std::nullopt;
    return item.mid(kFunctionPrefix.size());
}

std::optional<ParametricTexts> recallParametric(const QString& item) {
    const qsizetype yMark = item.indexOf(kYMark, 0, Qt::CaseSensitive);
    if (yMark < kFirstYMarkIndex) return std::nullopt;  // also when not found (-1)
    ParametricTexts texts;
    texts.yOfT = item.mid(yMark + kYMark.size() + 1);
    // Between the leading "x = " (4 characters) and the " ; " before "y =".
    texts.xOfT = item.mid(kXPrefix.size(), yMark - kXPrefix.size() - 3);
    return texts;
}

}  // namespace plotdesk
