#pragma once
// Words for an evaluator answer that made no point, for a pupil who reads it
// in the board's title or on standard error: what the error number means
// and, where the expression as typed shows one, the slip behind it (a number
// before x or a bracket without "*", an upper-case X, a function name
// without its bracket, a missing bracket, a sign the evaluator does not
// know).

#include <QString>

namespace plotdesk {

// `answer` followed by its explanation in brackets, for example "ERROR#4（语法错误；
// 乘号不能省略：2x 要写成 2*x）" for the expression "2x+1". An answer that needs no words
// comes back as it is.
QString explainedAnswer(const QString& expression, const QString& answer);

}  // namespace plotdesk
