#pragma once
// The two kinds of history item the main window keeps, and how a stored
// item gives back the texts it was made from.

#include <QString>

#include <optional>

namespace plotdesk {

// "f(x)=" followed by the function text, unchanged.
QString functionItem(const QString& function);

// "x = X ; y = Y".
QString parametricItem(const QString& xOfT, const QString& yOfT);

// The function text of an item that begins with exactly "f(x)=";
// nothing for any other item.
std::optional<QString> recallFunction(const QString& item);

struct ParametricTexts {
    QString xOfT;
    QString yOfT;
};

// The two texts of a parametric item: the first "y =" must stand at the
// eighth character or later; Y is everything from the fourth character after
// it, X the characters between the leading "x = " and the " ; " before
// "y =". Nothing for an item without such a "y =".
std::optional<ParametricTexts> recallParametric(const QString& item);

}  // namespace plotdesk
