#include "shell/Main_Form.h"

#include "board/mForm1.h"
#include "settings/product.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "shell/board_window.h"
#include "shell/drawing_document.h"
#include "shell/drawing_undo_keys.h"
#include "shell/frmSplash.h"
#include "shell/help_text.h"
#include "shell/history_file.h"
#include "shell/history_items.h"
#include "shell/history_place.h"
#include "shell/main_form_layout.h"
#include "shell/program_exit.h"
#include "toolkit/forms.h"
#include "toolkit/stay_on_top.h"
#include "toolkit/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <limits>
#include <utility>

namespace plotdesk {
namespace {

namespace layout = main_form_layout;

enum MainTab { kFunctionTab = 0, kParametricTab = 1, kHelpTab = 2 };

// A history item read from its file keeps the line's bytes here.
constexpr int kLineRole = Qt::UserRole;

// Places `widget` inside its parent at a rectangle given in twips.
void place(QWidget* widget, const QRect& twips) {
    widget->setGeometry(toolkit::twipsToPixelsX(twips.left()), toolkit::twipsToPixelsY(twips.top()),
                        toolkit::twipsToPixelsX(twips.width()), toolkit::twipsToPixelsY(twips.height()));
}

void setHeightTwips(QWidget* widget, int twips) { widget->resize(widget->width(), toolkit::twipsToPixelsY(twips)); }

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent, const QRect& twips) {
    auto* result = named(new QPushButton(QString::fromUtf8(caption), parent), name);
    place(result, twips);
    return result;
}

QLabel* label(const char* name, const char* caption, QWidget* parent, const QRect& twips) {
    auto* result = named(new QLabel(QString::fromUtf8(caption), parent), name);
    place(result, twips);
    return result;
}

QLineEdit* entry(const char* name, QWidget* parent, const QRect& twips) {
    auto* result = named(new QLineEdit(parent), name);
    // An expression is never cut short (a line edit keeps 32,767 characters by default).
    result->setMaxLength(std::numeric_limits<int>::max());
    place(result, twips);
    return result;
}

}  // namespace

Main_Form::Main_Form() {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Main_Form"));
    setWindowTitle(QString::fromUtf8(product::kWindowTitle));

    auto* client = new QWidget(this);
    setCentralWidget(client);
    SSTab1 = named(new QTabWidget(client), "SSTab1");
    place(SSTab1, layout::kTabs);

    createMenus();
    createFunctionTab();
    createParametricTab();
    createHelpTab();
    connectHandlers();
    addDrawingUndoKeys(*this);

    setFixedWidth(toolkit::twipsToPixelsX(layout::kWindowWidth));
    setGeometry(toolkit::twipsToPixelsX(layout::kInitialLeft), toolkit::twipsToPixelsY(layout::kInitialTop), width(),
                toolkit::twipsToPixelsY(layout::kInitialHeight));
}

void Main_Form::createMenus() {
    file = named(menuBar()->addMenu(QStringLiteral("文件(&F)")), "file");
    sf = named(file->addAction(QStringLiteral("显示画板")), "sf");
    close_ = named(file->addAction(QStringLiteral("关闭(&C)")), "close");
    sd = named(menuBar()->addAction(QStringLiteral("选项(&S)")), "sd");
    help1 = named(menuBar()->addMenu(QStringLiteral("帮助(&H)")), "help1");
    help = named(help1->addAction(QStringLiteral("帮助主提")), "help");
    help3 = named(help1->addAction(QStringLiteral("关于...")), "help3");
    document_ = new DrawingDocument(this);
    document_->addMenuEntries(file);
}

void Main_Form::createFunctionTab() {
    auto* page = new QWidget;
    SSTab1->addTab(page, QStringLiteral("函数表达式"));
    Frame4 = named(new QGroupBox(QStringLiteral("关于 x 的函数表达式"), page), "Frame4");
    place(Frame4, layout::kFrame4);
    Label1 = label("Label1", "f(x)=", Frame4, layout::kLabel1);
    Text1 = entry("Text1", Frame4, layout::kText1);
    Command1 = button("Command1", "画图", Frame4, layout::kCommand1);
    Command8 = button("Command8", "清屏", Frame4, layout::kCommand8);
    Command4 = button("Command4", "从列表删除", Frame4, layout::kCommand4);
    Command3 = button("Command3", "储存式子", Frame4, layout::kCommand3);
    List1 = named(new QListWidget(page), "List1");
    place(List1, layout::kList1);
}

void Main_Form::createParametricTab() {
    auto* page = new QWidget;
    SSTab1->addTab(page, QStringLiteral("参数方程"));
    Frame5 = named(new QGroupBox(QStringLiteral("关于 t 的参数方程"), page), "Frame5");
    place(Frame5, layout::kFrame5);
    Label6 = label("Label6", "X =", Frame5, layout::kLabel6);
    Text3 = entry("Text3", Frame5, layout::kText3);
    Label7 = label("Label7", "Y =", Frame5, layout::kLabel7);
    Text4 = entry("Text4", Frame5, layout::kText4);
    Command5 = button("Command5", "画图", Frame5, layout::kCommand5);
    Command2 = button("Command2", "清屏", Frame5, layout::kCommand2);
    Command7 = button("Command7", "从列表删除", Frame5, layout::kCommand7);
    Command6 = button("Command6", "储存式子", Frame5, layout::kCommand6);
    List2 = named(new QListWidget(page), "List2");
    place(List2, layout::kList2);
}

void Main_Form::createHelpTab() {
    auto* page = new QWidget;
    SSTab1->addTab(page, QStringLiteral("帮助"));
    Text2 = named(new QPlainTextEdit(page), "Text2");
    Text2->setReadOnly(true);
    Text2->setPlainText(helpText());
    place(Text2, layout::kText2);
}

void Main_Form::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Main_Form::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Main_Form::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Main_Form::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Main_Form::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Main_Form::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Main_Form::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Main_Form::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Main_Form::Command8_Click);

    // Enter in an entry box draws, as the panel's "画图" does.
    connect(Text1, &QLineEdit::returnPressed, this, &Main_Form::Command1_Click);
    connect(Text3, &QLineEdit::returnPressed, this, &Main_Form::Command5_Click);
    connect(Text4, &QLineEdit::returnPressed, this, &Main_Form::Command5_Click);

    // A click recalls an item, and so does choosing one with the keyboard.
    connect(List1, &QListWidget::itemClicked, this, &Main_Form::List1_Click);
    connect(List2, &QListWidget::itemClicked, this, &Main_Form::List2_Click);
    // Selection, not the current row: tabbing into a list makes its first
    // row current without choosing it, and that must not recall anything.
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!changingListsQuietly_ && !List1->selectedItems().isEmpty()) List1_Click();
    });
    connect(List2, &QListWidget::itemSelectionChanged, this, [this] {
        if (!changingListsQuietly_ && !List2->selectedItems().isEmpty()) List2_Click();
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, &Main_Form::List1_DblClick);
    connect(List2, &QListWidget::itemDoubleClicked, this, &Main_Form::List2_DblClick);

    connect(sf, &QAction::triggered, this, &Main_Form::sf_Click);
    connect(close_, &QAction::triggered, this, &Main_Form::close_Click);
    connect(sd, &QAction::triggered, this, &Main_Form::sd_Click);
    connect(help, &QAction::triggered, this, &Main_Form::help_Click);
    connect(help3, &QAction::triggered, this, &Main_Form::help3_Click);
}

void Main_Form::Form_Load() {
    toolkit::StayOnTop(this);
    boardWindow().show();
    readHistories();
    document_->start();
}

void Main_Form::Form_Resize() {
    // The window's width stays fixed: its outer width is the fixed twips.
    const int frameExtra = frameGeometry().width() - width();
    const int fixedWidth = toolkit::twipsToPixelsX(layout::kWindowWidth) - frameExtra;
    if (fixedWidth > 0 && fixedWidth != minimumWidth()) setFixedWidth(fixedWidth);

    const auto heights = layout::resizedHeights(static_cast<int>(toolkit::pixelsToTwipsY(frameGeometry().height())));
    if (heights.tabs) setHeightTwips(SSTab1, *heights.tabs);
    if (heights.lists) {
        setHeightTwips(List1, *heights.lists);
        setHeightTwips(List2, *heights.lists);
    }
    if (heights.helpText) setHeightTwips(Text2, *heights.helpText);
}

void Main_Form::Form_Unload() {
    // Each file on its own: one that cannot be saved does not stop the others.
    const QStringList unsaved = writeHistories() + saveExitSettings();
    reportUnsavedFiles(unsaved, this);
    endProgram();
}

void Main_Form::Command1_Click() {
    mForm1& board = boardWindow();
    board.model().setFunctionText(Text1->text());
    board.Command1_Click();
}

void Main_Form::Command5_Click() {
    mForm1& board = boardWindow();
    board.model().setParametricTexts(Text3->text(), Text4->text());
    Command1_Click();
}

void Main_Form::Command8_Click() { boardWindow().Command2_Click(); }

void Main_Form::Command2_Click() { boardWindow().Command2_Click(); }

void Main_Form::Command3_Click() { List1->addItem(functionItem(Text1->text())); }

void Main_Form::Command6_Click() { List2->addItem(parametricItem(Text3->text(), Text4->text())); }

void Main_Form::Command4_Click() { removeSelectedItem(List1); }

void Main_Form::Command7_Click() { removeSelectedItem(List2); }

void Main_Form::List1_Click() {
    const QListWidgetItem* item = List1->currentItem();
    if (!item) return;
    const auto function = recallFunction(item->text());
    if (!function) return;
    Text1->setText(*function);
    boardWindow().model().setFunctionText(Text1->text());
}

void Main_Form::List1_DblClick() { boardWindow().Command1_Click(); }

void Main_Form::List2_Click() {
    const QListWidgetItem* item = List2->currentItem();
    if (!item) return;
    const auto texts = recallParametric(item->text());
    if (!texts) return;
    Text4->setText(texts->yOfT);
    Text3->setText(texts->xOfT);
}

void Main_Form::List2_DblClick() {
    mForm1& board = boardWindow();
    board.model().setParametricTexts(Text3->text(), Text4->text());
    board.Command1_Click();
}

void Main_Form::sf_Click() {
    mForm1& board = boardWindow();
    board.show();
    board.raise();
}

void Main_Form::close_Click() {
    if (!document_->maySave()) return;
    document_->programEnding(false);
    endProgram();
}

void Main_Form::sd_Click() { showSettingsDialog(); }

void Main_Form::help_Click() { SSTab1->setCurrentIndex(kHelpTab); }

void Main_Form::help3_Click() { toolkit::Forms<frmSplash>::get().show(); }

void Main_Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Main_Form::closeEvent(QCloseEvent* event) {
    if (!sessionEnding_ && !document_->maySave()) {
        event->ignore();
        return;
    }
    document_->programEnding(sessionEnding_);
    Form_Unload();
    event->accept();
}

void Main_Form::closeAtSessionEnd() {
    sessionEnding_ = true;
    close();
}

void Main_Form::removeSelectedItem(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0 || !list->item(row)->isSelected()) return;
    changingListsQuietly_ = true;
    delete list->takeItem(row);
    // As after any removal, no item is chosen until the user picks one.
    list->setCurrentRow(-1);
    list->clearSelection();
    changingListsQuietly_ = false;
}

void Main_Form::readHistories() {
    const HistoryPlaces places = historyPlaces();
    functionsAsRead_ = readHistoryFile(places.read.functions);
    parametricAsRead_ = readHistoryFile(places.read.parametric);
    changingListsQuietly_ = true;
    for (const auto& [list, file] : {std::pair{List1, &functionsAsRead_}, std::pair{List2, &parametricAsRead_}}) {
        for (const HistoryItem& read : file->items) {
            auto* item = new QListWidgetItem(read.text, list);
            item->setData(kLineRole, read.bytes);
        }
    }
    changingListsQuietly_ = false;
}

QStringList Main_Form::writeHistories() {
    const HistoryPlaces places = historyPlaces();
    QStringList unsaved;
    const auto save = [&unsaved](const QString& path, const HistoryFile& asRead, const QListWidget* list) {
        QList<QByteArray> lines;
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            // An item read from the file goes back as it was read.
            const QVariant read = item->data(kLineRole);
            const std::optional<QByteArray> line = read.isValid() ? read.toByteArray() : historyLine(item->text());
            if (!line) {
                unsaved << unsavedFile(path, QStringLiteral("系统缺少 GB18030 编码转换"));
                return;
            }
            lines << *line;
        }
        if (const auto problem = saveHistoryFile(path, asRead, lines)) unsaved << unsavedFile(path, *problem);
    };
    save(places.write.functions, functionsAsRead_, List1);
    save(places.write.parametric, parametricAsRead_, List2);
    return unsaved;
}

QStringList Main_Form::saveExitSettings() {
    SettingValues values;
    // Only a loaded board has a picture position worth keeping.
    if (const mForm1* board = toolkit::Forms<mForm1>::loaded()) values = board->picturePosition();
    if (const QString recent = document_->recentDrawingsToStore(); !recent.isNull())
        values.append({QString::fromLatin1(key::recentdrawings), recent});
    if (values.isEmpty()) return {};
    const auto problem = SaveSettings(values);
    if (!problem) return {};
    return {unsavedFile(settingsFilePath(), *problem)};
}

}  // namespace plotdesk
