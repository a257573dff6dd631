#include "shell/shell_answers.h"

#include "shell/Form2.h"
#include "shell/Main_Form.h"
#include "toolkit/forms.h"

#include <QRadioButton>
#include <QTabWidget>

namespace plotdesk {

int ShellAnswers::selectedMainTab() {
    const Main_Form* main = toolkit::Forms<Main_Form>::loaded();
    return main ? main->SSTab1->currentIndex() : 0;
}

bool ShellAnswers::gridStyleSelected() { return toolkit::Forms<Form2>::get().Option1->isChecked(); }

ShellAnswers& shellAnswers() {
    static ShellAnswers answers;
    return answers;
}

}  // namespace plotdesk
