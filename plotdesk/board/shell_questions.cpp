#include "board/shell_questions.h"

namespace plotdesk {
namespace {

// Until the shell is up the board plots functions of x in grid style.
class DefaultShellQuestions final : public ShellQuestions {
public:
    int selectedMainTab() override { return 0; }
    bool gridStyleSelected() override { return true; }
};

DefaultShellQuestions defaultQuestions;
ShellQuestions* installedQuestions = nullptr;

}  // namespace

ShellQuestions& shellQuestions() { return installedQuestions ? *installedQuestions : defaultQuestions; }

void setShellQuestions(ShellQuestions* questions) { installedQuestions = questions; }

}  // namespace plotdesk
