#pragma once
// The main window: the f(x) and parametric entry panels with their history
// lists, the help tab, and the menus that open the other windows. It fills
// the board's expression holders and calls the board's draw and clear.

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

class Main_Form : public QMainWindow {
    Q_OBJECT
public:
    Main_Form();

    void Form_Load();
    void Form_Resize();
    // Saves both histories and the board picture's position, then ends the
    // program. Runs when the window is closed by its close box.
    void Form_Unload();

    void Command1_Click();  // draw f(x)
    void Command5_Click();  // draw the parametric pair
    void Command8_Click();  // clear the board
    void Command2_Click();  // clear the board
    void Command3_Click();  // store f(x)
    void Command6_Click();  // store the parametric pair
    void Command4_Click();  // delete the selected f(x) item
    void Command7_Click();  // delete the selected parametric item
    void List1_Click();
    void List1_DblClick();
    void List2_Click();
    void List2_DblClick();
    void sf_Click();
    void close_Click();
    void sd_Click();
    void help_Click();
    void help3_Click();

    QTabWidget* SSTab1;
    QGroupBox* Frame4;
    QGroupBox* Frame5;
    QLabel* Label1;
    QLabel* Label6;
    QLabel* Label7;
    QLineEdit* Text1;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QListWidget* List1;
    QListWidget* List2;
    QPlainTextEdit* Text2;

    QMenu* file;
    QAction* sf;
    // The "关闭(&C)" entry (object name "close"; a member named close would
    // hide QWidget::close()).
    QAction* close_;
    QAction* sd;
    QMenu* help1;
    QAction* help;
    QAction* help3;

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
    void writeHistories();
    void savePicturePosition();

    // Set while the program itself changes a list's current row, so that
    // only the user's choices recall an item.
    bool changingListsQuietly_ = false;
};

}  // namespace plotdesk
