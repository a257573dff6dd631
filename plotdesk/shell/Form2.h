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

class QCheckBox;
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
struct SettingKey;
struct SettingsRecord;

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
    void Option1_Click();   // 网格: shows the grid preview
    void Option2_Click();   // 数轴: shows the plain-axes preview

    // A board window shows its built-in range (-100 to 100 by 2) when it is
    // created, not the settings'. The first dialog load after that, or the
    // board's creation while a dialog is loaded, runs the change rules of the
    // sampling fields (start, end, step) once, so the board takes the
    // dialog's values. After that only a changed field reaches the board, so
    // a step typed on the board stays when the dialog opens.
    void passSamplingFieldsToNewBoard();

    // The colour and file choosers behind Command4 to Command6: they get the
    // current value and give the chosen one, or nothing when cancelled. By
    // default (and after an empty function) the platform's colour dialog and
    // file-open dialog.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;
    using FileChooser = std::function<std::optional<QString>(const QString& current, QWidget* parent)>;
    static void setChoosers(ColourChooser colour, FileChooser file);

    // The colour word a swatch shows.
    static int32_t swatchColour(const QLabel* swatch);

    QTabWidget* SSTab1;     // tabs 坐标, 画板, 自变量
    QPushButton* Command1;  // 应用
    QPushButton* Command2;  // 取消
    QPushButton* Command3;  // 确定
    // "坐标"
    QGroupBox* Frame1;  // 横坐标
    QLineEdit* 横坐标起始刻度;
    QLineEdit* 横坐标结束刻度;
    QLineEdit* x最小刻度值;
    QGroupBox* Frame2;  // 纵坐标
    QLineEdit* 起始刻度;
    QLineEdit* 结束刻度;
    QLineEdit* y最小刻度值;
    QGroupBox* Frame3;              // 样式
    QRadioButton* Option1;          // 网格 (grid lines)
    QRadioButton* Option2;          // 数轴 (tick marks only)
    toolkit::ImageControl* Image1;  // preview of the grid style
    toolkit::ImageControl* Image2;  // preview of the tick style
    QLabel* Label17;                // the warning about long drawing loops
    // "画板"
    QGroupBox* Frame6;  // 位置
    QLineEdit* Text2;   // 网格线宽度 (pen width of grid and axes, 1 to 6)
    QLineEdit* Text3;   // 线条宽度 (pen width of curves, 1 to 6)
    QCheckBox* Check1;  // 平滑线条 (anti-aliased lines, the setting "smooth")
    QGroupBox* Frame5;  // 大小
    QLineEdit* 画板长度;
    QLineEdit* 画板高度;
    QGroupBox* Frame4;      // 颜色
    QLabel* 背景颜色;       // swatch of the background colour
    QPushButton* Command4;  // "..." beside it
    QLabel* 网格颜色;       // swatch of the grid colour
    QPushButton* Command5;  // "..." beside it
    QLineEdit* Text4;       // 图片: path of the background picture
    QPushButton* Command6;  // "..." beside it
    // "自变量"
    QGroupBox* Frame7;  // 取值
    QLineEdit* 初始值;
    QLineEdit* 最大值;
    QLineEdit* Text1;  // 精确度: the sampling step
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

    // The dialog's control of a settings row, found by its object name.
    QLineEdit* textField(const SettingKey& row) const;
    QLabel* colourSwatch(const SettingKey& row) const;
    // Shows the row's value: record fields from `record`, the others as stored.
    void showSetting(const SettingKey& row, const SettingsRecord& record);
    // The text "应用" saves for the row.
    QString savedText(const SettingKey& row) const;

    // Marks every numeric field that does not hold a number (or, for the
    // step, one that would be stored as 0); names the first one and the
    // reason in fieldProblem, shows it and returns false.
    bool checkFields();
    // Takes the dialog's values into the settings record.
    void takeFieldsIntoRecord();
    void chooseColour(QLabel* swatch);
};

}  // namespace plotdesk
