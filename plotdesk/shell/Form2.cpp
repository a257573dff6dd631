#include "shell/Form2.h"

#include "board/mForm1.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"
#include "shell/board_window.h"
#include "shell/shell_pictures.h"
#include "toolkit/color_word.h"
#include "toolkit/file_chooser.h"
#include "toolkit/forms.h"
#include "toolkit/image_control.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QSignalBlocker>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <vector>

namespace plotdesk {
namespace {

constexpr double kPenWidthMax = 6;
constexpr double kPenWidthMin = 1;
constexpr double kBoardSizeMax = 5500;
const QString kPenWidthMaxText = QStringLiteral("6");
const QString kPenWidthMinText = QStringLiteral("1");
const QString kBoardSizeFallback = QStringLiteral("2000");
const QString kTickValueTip = QStringLiteral("大于 1 的数");
const QString kBoardSizeTip = QStringLiteral("小于 5500, 大于 100");
const QString kMarkedField = QStringLiteral("QLineEdit { background-color: #ffd6d6; }");

// The end-tick fields show half the record's value; the record takes twice
// the typed value, rounded to the nearest integer (a half to the even one).
std::optional<int32_t> doubledTick(const QString& text) {
    const auto value = toDouble(text);
    if (!value) return std::nullopt;
    const double doubled = std::nearbyint(*value * 2);
    if (doubled < std::numeric_limits<int32_t>::min() || doubled > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(doubled);
}

// Why `text` cannot be taken as a value of `form`, or nothing when it can.
std::optional<QString> fieldFault(const QString& text, DialogForm form) {
    const QString notANumber = QStringLiteral("必须是一个数");
    switch (form) {
        case DialogForm::Integer:
            if (!toInt32HalfEven(text)) return notANumber;
            break;
        case DialogForm::DoubledTick:
            if (!doubledTick(text)) return notANumber;
            break;
        case DialogForm::Number:
            if (!toDouble(text)) return notANumber;
            break;
        case DialogForm::Step: {
            const auto step = toInt32HalfEven(text);
            if (!step) return notANumber;
            if (*step == 0) return QStringLiteral("按整数保存时为 0，步长不能为 0");
            break;
        }
        default: break;
    }
    return std::nullopt;
}

// Whether the dialog shows `form` in a text field that must hold a number.
bool isNumericField(DialogForm form) {
    return form == DialogForm::Integer || form == DialogForm::DoubledTick || form == DialogForm::Number ||
           form == DialogForm::Step;
}

bool isTextField(DialogForm form) { return isNumericField(form) || form == DialogForm::Path; }

void markField(QLineEdit* edit, bool wrong) { edit->setStyleSheet(wrong ? kMarkedField : QString()); }

void setSwatchColour(QLabel* swatch, int32_t colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, toolkit::colorFromWord(colour));
    swatch->setPalette(palette);
}

// Keeps a pen width between 1 and 6; text that is no number yet is left to
// the user (the field is marked).
void boundPenWidth(QLineEdit* edit) {
    const auto width = toDouble(edit->text());
    if (!width) return;
    if (*width > kPenWidthMax) edit->setText(kPenWidthMaxText);
    if (!(toDouble(edit->text()).value_or(0) >= kPenWidthMin)) edit->setText(kPenWidthMinText);
}

void boundBoardSize(QLineEdit* edit) {
    const auto size = toDouble(edit->text());
    if (size && *size > kBoardSizeMax) edit->setText(kBoardSizeFallback);
}

// The value of an integer field that checkFields() has passed.
int32_t checkedInteger(const QLineEdit* edit) { return toInt32HalfEven(edit->text()).value_or(0); }

std::optional<QColor> platformColourChooser(const QColor& current, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

std::optional<QString> platformFileChooser(const QString& current, QWidget* parent) {
    return toolkit::choosePictureFile(current, parent);
}

Form2::ColourChooser& colourChooser() {
    static Form2::ColourChooser chooser = platformColourChooser;
    return chooser;
}

Form2::FileChooser& fileChooser() {
    static Form2::FileChooser chooser = platformFileChooser;
    return chooser;
}

QGroupBox* frame(const char* name, const char* caption) {
    auto* box = new QGroupBox(QString::fromUtf8(caption));
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QLineEdit* field(const char* name, const char* initialText = "") {
    auto* edit = new QLineEdit(QString::fromUtf8(initialText));
    edit->setObjectName(QString::fromUtf8(name));
    return edit;
}

QPushButton* chooserButton(const char* name) {
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(QString::fromUtf8(name));
    button->setFixedWidth(32);
    return button;
}

QLabel* swatch(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromUtf8(name));
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    label->setMinimumSize(48, 20);
    return label;
}

// Adds a caption and its field as one row of `grid`.
void addRow(QGridLayout* grid, const char* caption, QWidget* widget, QWidget* extra = nullptr) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
    grid->addWidget(widget, row, 1);
    if (extra) grid->addWidget(extra, row, 2);
}

}  // namespace

Form2::Form2() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Dialog);
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("设置"));

    SSTab1 = new QTabWidget;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    createCoordinatesTab();
    createBoardTab();
    createVariableTab();

    fieldProblem = new QLabel;
    fieldProblem->setObjectName(QStringLiteral("fieldProblem"));
    fieldProblem->setWordWrap(true);
    QPalette warning = fieldProblem->palette();
    warning.setColor(QPalette::WindowText, Qt::red);
    fieldProblem->setPalette(warning);

    Command3 = new QPushButton(QStringLiteral("确定"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command2 = new QPushButton(QStringLiteral("取消"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("应用"));
    Command1->setObjectName(QStringLiteral("Command1"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(SSTab1);
    outer->addWidget(fieldProblem);
    outer->addLayout(buttons);

    connectHandlers();
    adjustSize();
}

void Form2::createCoordinatesTab() {
    Frame1 = frame("Frame1", "横坐标");
    横坐标起始刻度 = field("横坐标起始刻度");
    横坐标结束刻度 = field("横坐标结束刻度");
    x最小刻度值 = field("x最小刻度值");
    x最小刻度值->setToolTip(kTickValueTip);
    auto* grid1 = new QGridLayout(Frame1);
    addRow(grid1, "起始刻度：", 横坐标起始刻度);
    addRow(grid1, "结束刻度：", 横坐标结束刻度);
    addRow(grid1, "最小刻度值：", x最小刻度值);

    Frame2 = frame("Frame2", "纵坐标");
    起始刻度 = field("起始刻度");
    结束刻度 = field("结束刻度");
    y最小刻度值 = field("y最小刻度值");
    y最小刻度值->setToolTip(kTickValueTip);
    auto* grid2 = new QGridLayout(Frame2);
    addRow(grid2, "起始刻度：", 起始刻度);
    addRow(grid2, "结束刻度：", 结束刻度);
    addRow(grid2, "最小刻度值：", y最小刻度值);

    Frame3 = frame("Frame3", " 样式 ");
    Option1 = new QRadioButton(QStringLiteral("网格"));
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("数轴"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Image1 = new toolkit::ImageControl;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setImage(drawGridPreview());
    Image2 = new toolkit::ImageControl;
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setImage(drawAxesPreview());
    Image2->hide();
    auto* grid3 = new QGridLayout(Frame3);
    grid3->addWidget(Option1, 0, 0);
    grid3->addWidget(Option2, 1, 0);
    // The two previews share one place; the chosen style's one is shown.
    grid3->addWidget(Image1, 0, 1, 2, 1);
    grid3->addWidget(Image2, 0, 1, 2, 1);

    Label17 = new QLabel(
        QStringLiteral("    坐标值设置不当会引过长时间的循环， 程序没反应，请重启本程序，按提示单击启动画面的文字"));
    Label17->setObjectName(QStringLiteral("Label17"));
    Label17->setWordWrap(true);

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(Frame1, 0, 0);
    grid->addWidget(Frame2, 0, 1);
    grid->addWidget(Frame3, 1, 0);
    grid->addWidget(Label17, 1, 1);
    SSTab1->addTab(page, QStringLiteral("坐标"));
}

void Form2::createBoardTab() {
    Frame6 = frame("Frame6", "位置");
    Text2 = field("Text2", "1");
    Text3 = field("Text3", "1");
    auto* grid6 = new QGridLayout(Frame6);
    addRow(grid6, "网格线宽度：", Text2);
    addRow(grid6, "线条宽度：", Text3);
    Check1 = new QCheckBox(QStringLiteral("平滑线条"));
    Check1->setObjectName(QStringLiteral("Check1"));
    grid6->addWidget(Check1, grid6->rowCount(), 0, 1, 2);

    Frame5 = frame("Frame5", "大小");
    画板长度 = field("画板长度", "1500");
    画板长度->setToolTip(kBoardSizeTip);
    画板高度 = field("画板高度", "1500");
    画板高度->setToolTip(kBoardSizeTip);
    auto* grid5 = new QGridLayout(Frame5);
    addRow(grid5, "画板长度：", 画板长度);
    addRow(grid5, "画板高度：", 画板高度);

    Frame4 = frame("Frame4", "颜色");
    背景颜色 = swatch("背景颜色");
    Command4 = chooserButton("Command4");
    网格颜色 = swatch("网格颜色");
    Command5 = chooserButton("Command5");
    Text4 = field("Text4");
    Command6 = chooserButton("Command6");
    auto* grid4 = new QGridLayout(Frame4);
    addRow(grid4, "背景颜色：", 背景颜色, Command4);
    addRow(grid4, "网格颜色：", 网格颜色, Command5);
    addRow(grid4, "图片：", Text4, Command6);

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(Frame6, 0, 0);
    grid->addWidget(Frame5, 0, 1);
    grid->addWidget(Frame4, 1, 0, 1, 2);
    SSTab1->addTab(page, QStringLiteral("画板"));
}

void Form2::createVariableTab() {
    Frame7 = frame("Frame7", "取值");
    初始值 = field("初始值", "-10");
    最大值 = field("最大值", "10");
    Text1 = field("Text1", "2");
    auto* grid7 = new QGridLayout(Frame7);
    addRow(grid7, " 初始值：", 初始值);
    addRow(grid7, "最大值：", 最大值);
    addRow(grid7, "精确度：", Text1);

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(Frame7);
    column->addStretch();
    SSTab1->addTab(page, QStringLiteral("自变量"));
}

void Form2::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(Option1, &QRadioButton::clicked, this, &Form2::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form2::Option2_Click);

    connect(Text1, &QLineEdit::textChanged, this, &Form2::Text1_Change);
    connect(初始值, &QLineEdit::textChanged, this, &Form2::初始值_Change);
    connect(最大值, &QLineEdit::textChanged, this, &Form2::最大值_Change);
    connect(Text2, &QLineEdit::textChanged, this, &Form2::Text2_Change);
    connect(Text3, &QLineEdit::textChanged, this, &Form2::Text3_Change);
    connect(画板长度, &QLineEdit::textChanged, this, &Form2::画板长度_Change);
    connect(画板高度, &QLineEdit::textChanged, this, &Form2::画板高度_Change);

    // Every numeric field shows at once whether it holds a number.
    for (const SettingKey& row : settingKeys()) {
        if (!isNumericField(row.dialogForm)) continue;
        QLineEdit* edit = textField(row);
        const DialogForm form = row.dialogForm;
        connect(edit, &QLineEdit::textChanged, this,
                [edit, form](const QString& text) { markField(edit, fieldFault(text, form).has_value()); });
    }
}

QLineEdit* Form2::textField(const SettingKey& row) const {
    return findChild<QLineEdit*>(QString::fromUtf8(row.dialogControl));
}

QLabel* Form2::colourSwatch(const SettingKey& row) const {
    return findChild<QLabel*>(QString::fromUtf8(row.dialogControl));
}

void Form2::showSetting(const SettingKey& row, const SettingsRecord& record) {
    const QString stored = row.field ? QString() : GetSetting(QString::fromLatin1(row.name), defaultText(row.name));
    switch (row.dialogForm) {
        case DialogForm::Integer:
        case DialogForm::Step: textField(row)->setText(integerText(record.*row.field)); break;
        case DialogForm::DoubledTick: textField(row)->setText(generalNumberText(record.*row.field / 2.0)); break;
        case DialogForm::Colour: setSwatchColour(colourSwatch(row), record.*row.field); break;
        // The pen widths and the picture show what is stored, so saving
        // other settings keeps them.
        case DialogForm::Number:
        case DialogForm::Path: textField(row)->setText(stored); break;
        case DialogForm::Switch:
            findChild<QCheckBox*>(QString::fromUtf8(row.dialogControl))
                ->setChecked(toInt32HalfEven(stored).value_or(0) != 0);
            break;
        case DialogForm::None: break;
    }
}

QString Form2::savedText(const SettingKey& row) const {
    if (row.field) return integerText(Settings().*row.field);
    if (row.dialogForm == DialogForm::Switch)
        return findChild<QCheckBox*>(QString::fromUtf8(row.dialogControl))->isChecked() ? QStringLiteral("1")
                                                                                        : QStringLiteral("0");
    return textField(row)->text();
}

void Form2::Form_Load() {
    // The texts the sampling fields had before: only a changed one reaches
    // the board.
    const QString startBefore = 初始值->text();
    const QString endBefore = 最大值->text();
    const QString stepBefore = Text1->text();
    {
        const SettingsRecord record = Settings();
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        for (const SettingKey& row : settingKeys()) {
            if (!row.dialogControl) continue;
            if (isTextField(row.dialogForm)) quiet.push_back(std::make_unique<QSignalBlocker>(textField(row)));
            showSetting(row, record);
        }
    }
    // The loaded values kept within the bounds typing keeps, and marked as
    // typing marks them.
    boundPenWidth(Text2);
    boundPenWidth(Text3);
    boundBoardSize(画板长度);
    boundBoardSize(画板高度);
    for (const SettingKey& row : settingKeys())
        if (isNumericField(row.dialogForm))
            markField(textField(row), fieldFault(textField(row)->text(), row.dialogForm).has_value());

    if (初始值->text() != startBefore) 初始值_Change();
    if (最大值->text() != endBefore) 最大值_Change();
    if (Text1->text() != stepBefore) Text1_Change();
    // The board's start always follows the record's start, even when
    // 初始值's text did not change.
    boardWindow().model().setStartText(integerText(Settings().start));
    passSamplingFieldsToNewBoard();
}

void Form2::Command1_Click() {
    if (!checkFields()) return;
    takeFieldsIntoRecord();
    SettingValues values;
    for (const SettingKey& row : settingKeys())
        if (row.savedByApply) values.append({QString::fromLatin1(row.name), savedText(row)});
    if (const auto problem = SaveSettings(values)) {
        // The store keeps its old values; this session still uses the new
        // ones, and the dialog stays open to say so.
        boardWindow().relayoutFromRecord();
        fieldProblem->setText(QStringLiteral("设置未能保存到 %1：%2。这些设置只在本次运行中有效。")
                                  .arg(QDir::toNativeSeparators(settingsFilePath()), *problem));
        return;
    }
    boardWindow().reuse();
    close();
}

void Form2::Command2_Click() { close(); }

void Form2::Command3_Click() {
    if (!checkFields()) return;
    takeFieldsIntoRecord();
    // Laid out from the record as it now stands: the values take effect at
    // once without being saved.
    boardWindow().relayoutFromRecord();
    close();
}

void Form2::Command4_Click() { chooseColour(背景颜色); }

void Form2::Command5_Click() { chooseColour(网格颜色); }

void Form2::Command6_Click() {
    if (const auto chosen = fileChooser()(Text4->text(), this)) Text4->setText(*chosen);
}

void Form2::Option1_Click() {
    Image1->setVisible(true);
    Image2->setVisible(false);
}

void Form2::Option2_Click() {
    Image2->setVisible(true);
    Image1->setVisible(false);
}

void Form2::passSamplingFieldsToNewBoard() {
    static QPointer<mForm1> givenTheRange;
    mForm1* board = toolkit::Forms<mForm1>::loaded();
    if (!board || givenTheRange == board) return;
    givenTheRange = board;
    Text1_Change();
    初始值_Change();
    最大值_Change();
}

void Form2::setChoosers(ColourChooser colour, FileChooser file) {
    colourChooser() = colour ? std::move(colour) : ColourChooser(platformColourChooser);
    fileChooser() = file ? std::move(file) : FileChooser(platformFileChooser);
}

int32_t Form2::swatchColour(const QLabel* swatch) {
    return toolkit::colorWord(swatch->palette().color(QPalette::Window));
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Command2_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form2::Text1_Change() {
    const auto step = toInt32HalfEven(Text1->text());
    if (!step) return;
    boardWindow().model().setStepText(Text1->text());
    Settings().step = *step;
}

void Form2::初始值_Change() {
    const auto start = toInt32HalfEven(初始值->text());
    if (!start) return;
    boardWindow().model().setStartText(初始值->text());
    Settings().start = *start;
}

void Form2::最大值_Change() {
    const auto end = toInt32HalfEven(最大值->text());
    if (!end) return;
    boardWindow().model().setEndText(最大值->text());
    Settings().end = *end;
}

void Form2::Text2_Change() { boundPenWidth(Text2); }

void Form2::Text3_Change() { boundPenWidth(Text3); }

void Form2::画板长度_Change() { boundBoardSize(画板长度); }

void Form2::画板高度_Change() { boundBoardSize(画板高度); }

bool Form2::checkFields() {
    std::set<QWidget*> wrong;
    for (const SettingKey& row : settingKeys()) {
        if (!isNumericField(row.dialogForm)) continue;
        QLineEdit* edit = textField(row);
        const auto fault = fieldFault(edit->text(), row.dialogForm);
        markField(edit, fault.has_value());
        if (fault) wrong.insert(edit);
    }
    if (wrong.empty()) {
        fieldProblem->clear();
        return true;
    }
    // The first wrong field in the dialog's tab order is named.
    QWidget* first = nextInFocusChain();
    while (!wrong.contains(first)) first = first->nextInFocusChain();
    QLineEdit* edit = static_cast<QLineEdit*>(first);
    const SettingKey* row = nullptr;
    for (const SettingKey& candidate : settingKeys())
        if (isNumericField(candidate.dialogForm) && textField(candidate) == edit) row = &candidate;
    fieldProblem->setText(QStringLiteral("“%1”%2，请改正后再按“确定”或“应用”。")
                              .arg(QString::fromUtf8(row->dialogLabel), *fieldFault(edit->text(), row->dialogForm)));
    for (int tab = 0; tab < SSTab1->count(); ++tab)
        if (SSTab1->widget(tab)->isAncestorOf(edit)) SSTab1->setCurrentIndex(tab);
    edit->setFocus();
    return false;
}

void Form2::takeFieldsIntoRecord() {
    SettingsRecord& record = Settings();
    for (const SettingKey& row : settingKeys()) {
        if (!row.field || !row.dialogControl) continue;
        switch (row.dialogForm) {
            case DialogForm::Integer:
            case DialogForm::Step: record.*row.field = checkedInteger(textField(row)); break;
            case DialogForm::DoubledTick:
                record.*row.field = doubledTick(textField(row)->text()).value_or(record.*row.field);
                break;
            case DialogForm::Colour: record.*row.field = swatchColour(colourSwatch(row)); break;
            default: break;
        }
    }
}

void Form2::chooseColour(QLabel* swatch) {
    const QColor current = toolkit::colorFromWord(swatchColour(swatch));
    if (const auto chosen = colourChooser()(current, this)) setSwatchColour(swatch, toolkit::colorWord(*chosen));
}

}  // namespace plotdesk
