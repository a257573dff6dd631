#pragma once
// The main window: the f(x) and parametric entry panels with their history
// lists, the help tab, and the menus that open the other windows. It fills
// the board's expression holders and calls the board's draw and clear.

#include "shell/history_file.h"

#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace plotdesk {

class DrawingDocument;

class Main_Form : public QMainWindow {
    Q_OBJECT
public:
    Main_Form();

    void Form_Load();
    void Form_Resize();
    // Saves both histories and the board picture's position, tells the user
    // about every file that could not be saved, then ends the program. Runs
    // when the window is closed by its close box.
    void Form_Unload();

    void Command1_Click();  // draw f(x)
    void Command5_Click();  // draw the parametric pair
    void Command8_Click();  // clear the board
    void Command2_Click();  // clear the board
    void Command3_Click();  // store f(x)
    void Command6_Click();  // store the parametric pair
    void Command4_Click();  // delete the selected f(x) item
    void Command7_Click();  // delete the selected parametric item
    void List1_Click();     // a click on an f(x) history item puts it back into Text1
    void List1_DblClick();  // a double click draws it
    void List2_Click();     // a click on a parametric item puts X and Y back into Text3 and Text4
    void List2_DblClick();  // a double click draws the pair
    void sf_Click();        // 文件 > 显示画板: shows the board window
    void close_Click();     // 文件 > 关闭: ends the program without saving
    void sd_Click();        // 选项: shows the settings dialog
    void help_Click();      // 帮助 > 帮助主提: turns to the help tab
    void help3_Click();     // 帮助 > 关于...: shows the splash window as the About box

    // The drawing as a document, behind the 文件 menu's first entries.
    DrawingDocument& document() { return *document_; }
    // Closes the window as the session's or the system's end asks: without
    // a question, unsaved changes to the drawing kept for the next start.
    void closeAtSessionEnd();

    QTabWidget* SSTab1;  // tabs 函数表达式, 参数方程, 帮助
    QGroupBox* Frame4;   // 关于 x 的函数表达式
    QGroupBox* Frame5;   // 关于 t 的参数方程
    QLabel* Label1;      // "f(x)="
    QLabel* Label6;      // "X ="
    QLabel* Label7;      // "Y ="
    QLineEdit* Text1;    // the f(x) entry box
    QLineEdit* Text3;    // the X(t) entry box
    QLineEdit* Text4;    // the Y(t) entry box
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QListWidget* List1;     // the f(x) history
    QListWidget* List2;     // the parametric history
    QPlainTextEdit* Text2;  // the help text

    QMenu* file;  // 文件(&F)
    QAction* sf;  // 显示画板
    // The "关闭(&C)" entry (object name "close"; a member named close would
    // hide QWidget::close()).
    QAction* close_;
    QAction* sd;     // 选项(&S)
    QMenu* help1;    // 帮助(&H)
    QAction* help;   // 帮助主提
    QAction* help3;  // 关于...

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createFunctionTab();
    void createParametricTab();
    void createHelpTab();
    void connectHandlers();
    void removeSelectedItem(QListWidget* list);
    void readHistories();
    // Each returns the files it could not save, each with the reason.
    QStringList writeHistories();
    // The board picture's position, and the drawings opened last when
    // that list changed.
    QStringList saveExitSettings();

    DrawingDocument* document_;
    bool sessionEnding_ = false;
    // Set while the program itself changes a list's current row, so that
    // only the user's choices recall an item.
    bool changingListsQuietly_ = false;
    // The history files as read at load, to tell at exit whether another
    // instance saved them meanwhile.
    HistoryFile functionsAsRead_;
    HistoryFile parametricAsRead_;
};

}  // namespace plotdesk
