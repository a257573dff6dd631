#pragma once
// The fixed text of the main window's help tab: what the program does and
// the expression syntax the evaluator accepts.

#include <QString>

namespace plotdesk {

QString helpText();

}  // namespace plotdesk
