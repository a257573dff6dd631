#pragma once
// The two things the board needs to know from the application's other
// windows: which tab of the main window is selected (0 = function of x) and
// whether the settings dialog's grid style is chosen. The shell installs an
// implementation; until it does, the board draws functions in grid style.

namespace plotdesk {

class ShellQuestions {
public:
    virtual ~ShellQuestions() = default;
    virtual int selectedMainTab() = 0;
    virtual bool gridStyleSelected() = 0;
};

// The installed answerer, or a default one answering tab 0 and grid style.
ShellQuestions& shellQuestions();
// Installs `questions` (not owned); nullptr goes back to the default.
void setShellQuestions(ShellQuestions* questions);

}  // namespace plotdesk
