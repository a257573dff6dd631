#pragma once
// The settings dialog: axis scales, board size, colours, background
// picture, pen widths and the sampling range and step. It edits the settings
// record; "应用" saves and lays the board out from the store, "确定" lays it
// out from the record without saving, "取消" leaves.
//
// A numeric field that does not hold a number is marked and named in the
// dialog; "应用" and "确定" then take nothing until it is corrected.

#include <QColor>
#include <QWidget>

#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace plotdesk {

namespace toolkit {
class ImageControl;
}

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    void Form_Load();
    void Command1_Click();  // 应用
    void Command2_Click();  // 取消
    void Command3_Click();  // 确定
    void Command4_Click();  // choose the background colour
    void Command5_Click();  // choose the grid colour
    void Command6_Click();  // choose the background picture
    void Option1_Click();
    void Option2_Click();

    // Runs the change rules of the sampling fields (start, end, step), so
    // the board's bottom bar shows the dialog's values; used at load and
    // when a board window is created afresh while the dialog stays loaded.
    void passSamplingFieldsToBoard();

    // The colour and file choosers behind Command4 to Command6: they get the
    // current value and give the chosen one, or nothing when cancelled. By
    // default the platform's colour dialog and file-open dialog.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;
    using FileChooser = std::function<std::optional<QString>(const QString& current, QWidget* parent)>;
    static void setChoosers(ColourChooser colour, FileChooser file);

    // The colour word a swatch shows.
    static int32_t swatchColour(const QLabel* swatch);

    QTabWidget* SSTab1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    // "坐标"
    QGroupBox* Frame1;
    QLineEdit* 横坐标起始刻度;
    QLineEdit* 横坐标结束刻度;
    QLineEdit* x最小刻度值;
    QGroupBox* Frame2;
    QLineEdit* 起始刻度;
    QLineEdit* 结束刻度;
    QLineEdit* y最小刻度值;
    QGroupBox* Frame3;
    QRadioButton* Option1;
    QRadioButton* Option2;
    toolkit::ImageControl* Image1;
    toolkit::ImageControl* Image2;
    QLabel* Label17;
    // "画板"
    QGroupBox* Frame6;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QGroupBox* Frame5;
    QLineEdit* 画板长度;
    QLineEdit* 画板高度;
    QGroupBox* Frame4;
    QLabel* 背景颜色;
    QPushButton* Command4;
    QLabel* 网格颜色;
    QPushButton* Command5;
    QLineEdit* Text4;
    QPushButton* Command6;
    // "自变量"
    QGroupBox* Frame7;
    QLineEdit* 初始值;
    QLineEdit* 最大值;
    QLineEdit* Text1;
    // Names the field that keeps "应用" and "确定" from taking the values.
    QLabel* fieldProblem;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createCoordinatesTab();
    void createBoardTab();
    void createVariableTab();
    void connectHandlers();

    // Change rules.
    void Text1_Change();
    void 初始值_Change();
    void 最大值_Change();
    void Text2_Change();
    void Text3_Change();
    void 画板长度_Change();
    void 画板高度_Change();

    // Marks every numeric field that does not hold a number; names the first
    // one in fieldProblem, shows it and returns false.
    bool checkFields();
    // Takes the dialog's values into the settings record.
    void takeFieldsIntoRecord();
    void chooseColour(QLabel* swatch);
};

}  // namespace plotdesk
