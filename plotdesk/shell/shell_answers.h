#pragma once
// The shell's answers to the board's two questions: which tab of the main
// window is selected, and whether the settings dialog chooses the grid style.

#include "board/shell_questions.h"

namespace plotdesk {

class ShellAnswers : public ShellQuestions {
public:
    // The main window's selected tab; the function tab when it is not loaded.
    int selectedMainTab() override;
    // The settings dialog's "网格" option. A dialog that is not loaded is
    // loaded, hidden, so a closed dialog answers with its initial choice.
    bool gridStyleSelected() override;
};

// The one instance of the program, installed with setShellQuestions().
ShellAnswers& shellAnswers();

}  // namespace plotdesk
