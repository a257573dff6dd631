#include "shell/board_window.h"

#include "board/mForm1.h"
#include "shell/Form2.h"
#include "shell/Main_Form.h"
#include "shell/drawing_document.h"
#include "toolkit/forms.h"
#include "toolkit/stay_on_top.h"

#include <QPointer>

namespace plotdesk {

mForm1& boardWindow() {
    static QPointer<mForm1> hooked;
    mForm1& board = toolkit::Forms<mForm1>::get();
    if (hooked != &board) {
        hooked = &board;
        QObject::connect(&board, &mForm1::optionsRequested, &board, &showSettingsDialog);
        // A board created afresh starts with its own built-in range; a
        // settings dialog that stayed loaded gives it the range it shows.
        if (Form2* dialog = toolkit::Forms<Form2>::loaded()) dialog->passSamplingFieldsToNewBoard();
        if (Main_Form* main = toolkit::Forms<Main_Form>::loaded()) main->document().attach(board);
    }
    return board;
}

void showSettingsDialog() {
    Form2& dialog = toolkit::Forms<Form2>::get();
    // The main window stays on top of everything; so must the dialog it opens.
    toolkit::StayOnTop(&dialog);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

}  // namespace plotdesk
