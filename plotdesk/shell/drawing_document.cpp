#include "shell/drawing_document.h"

#include "board/board_document.h"
#include "board/board_model.h"
#include "board/drawing_recovery.h"
#include "board/mForm1.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "shell/board_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <functional>

namespace plotdesk {
namespace {

constexpr char kUntitled[] = "未命名画板";
constexpr char kChooserFilter[] = "Curvolo 画板 (*.curvolo);;所有文件 (*)";

// What the program's start asked for.
struct StartRequest {
    QString drawing;
    QString recoveryFolder;
};
StartRequest& startRequest() {
    static StartRequest request;
    return request;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList readRecent() {
    QStringList paths = GetSetting(key::recentdrawings).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (paths.size() > DrawingDocument::kRecentDrawings) paths.resize(DrawingDocument::kRecentDrawings);
    return paths;
}

}  // namespace

void openAtStart(const QString& path) { startRequest().drawing = path; }

void keepDrawingsSafeIn(const QString& folder) { startRequest().recoveryFolder = folder; }

DrawingDocument::DrawingDocument(QWidget* window)
    : QObject(window), window_(window), classicTitle_(window->windowTitle()), recent_(readRecent()) {
    recentAsRead_ = recent_.join(QLatin1Char('\n'));
}

DrawingDocument::~DrawingDocument() = default;

BoardModel* DrawingDocument::model() const { return board_ ? &board_->model() : nullptr; }

void DrawingDocument::attach(mForm1& board) {
    board_ = &board;
    path_.clear();
    board.installEventFilter(this);
    BoardModel& model = board.model();
    connect(&model.undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        updateTitle();
        if (clean && recovery_) recovery_->discard();
    });
    connect(&model, &BoardModel::drawingChanged, this, &DrawingDocument::drawingChanged);
    connect(&board, &QObject::destroyed, this, [this, &board] {
        if (board_ != &board) return;
        board_ = nullptr;
        path_.clear();
        if (recovery_) recovery_->discard();
        updateTitle();
    });
    updateTitle();
}

void DrawingDocument::addMenuEntries(QMenu* menu) {
    QAction* first = menu->actions().value(0);
    auto add = [this, menu, first](const char* caption, const char* name, const QKeySequence& shortcut,
                                   const std::function<void()>& command) {
        auto* action = new QAction(text(caption), menu);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, command);
        menu->insertAction(first, action);
        return action;
    };
    newAction = add("新建画板", "newDrawing", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newDrawing(); });
    openAction = add("打开画板…", "openDrawing", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openDrawing(); });
    recentMenu = new QMenu(text("最近的画板"), menu);
    recentMenu->setObjectName(QStringLiteral("recentDrawings"));
    menu->insertMenu(first, recentMenu);
    saveAction = add("保存画板", "saveDrawing", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); });
    saveAsAction =
        add("画板另存为…", "saveDrawingAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
    printAction =
        add("打印…", "printDrawing", QKeySequence(Qt::CTRL | Qt::Key_P), [] { boardWindow().printPicture_Click(); });
    menu->insertSeparator(first);
    fillRecentMenu();
}

bool DrawingDocument::modified() const {
    const BoardModel* board = model();
    return board && !const_cast<BoardModel*>(board)->undoStack().isClean();
}

bool DrawingDocument::maySave() {
    if (!modified()) return true;
    QMessageBox question(QMessageBox::Question, text("保存画板"),
                         QStringLiteral("画板“%1”有未保存的改动。要保存吗？")
                             .arg(path_.isEmpty() ? text(kUntitled) : QFileInfo(path_).fileName()),
                         QMessageBox::NoButton, window_);
    QPushButton* saveButton = question.addButton(text("保存"), QMessageBox::AcceptRole);
    QPushButton* discardButton = question.addButton(text("不保存"), QMessageBox::DestructiveRole);
    question.addButton(text("取消"), QMessageBox::RejectRole);
    question.setDefaultButton(saveButton);
    question.exec();
    if (question.clickedButton() == saveButton) return save();
    return question.clickedButton() == discardButton;
}

void DrawingDocument::newDrawing() {
    if (!maySave()) return;
    boardWindow().Command2_Click();
    startDocument(QString());
}

void DrawingDocument::openDrawing() {
    if (!maySave()) return;
    const QString folder = path_.isEmpty() ? QDir::homePath() : QFileInfo(path_).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(window_, text("打开画板"), folder, text(kChooserFilter));
    if (!chosen.isEmpty()) open(chosen);
}

bool DrawingDocument::open(const QString& path) {
    auto read = readDocument(path);
    if (const QString* problem = std::get_if<QString>(&read)) {
        QMessageBox::warning(window_, text("无法打开画板"), *problem);
        return false;
    }
    boardWindow().model().restore(std::get<BoardState>(read));
    startDocument(path);
    remember(path);
    return true;
}

bool DrawingDocument::save() {
    if (path_.isEmpty()) return saveAs();
    return saveTo(path_);
}

bool DrawingDocument::saveAs() {
    const QString suggested =
        path_.isEmpty() ? QDir::home().filePath(text(kUntitled) + QStringLiteral(".curvolo")) : path_;
    QString chosen = QFileDialog::getSaveFileName(window_, text("画板另存为"), suggested, text(kChooserFilter));
    if (chosen.isEmpty()) return false;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".curvolo");
    return saveTo(chosen);
}

bool DrawingDocument::saveTo(const QString& path) {
    BoardModel& board = boardWindow().model();
    if (const std::optional<QString> problem = writeDocument(path, board.state())) {
        QMessageBox::warning(window_, text("未能保存画板"), *problem);
        return false;
    }
    path_ = path;
    board.undoStack().setClean();
    remember(path);
    updateTitle();
    return true;
}

// A new document on the board: its own undo history, nothing unsaved.
void DrawingDocument::startDocument(const QString& path) {
    QUndoStack& undo = boardWindow().model().undoStack();
    undo.clear();
    undo.setClean();
    path_ = path;
    if (recovery_) recovery_->discard();
    updateTitle();
}

void DrawingDocument::remember(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(absolute);
    recent_.prepend(absolute);
    if (recent_.size() > kRecentDrawings) recent_.resize(kRecentDrawings);
    fillRecentMenu();
}

QString DrawingDocument::recentDrawingsToStore() const {
    const QString now = recent_.join(QLatin1Char('\n'));
    return now == recentAsRead_ ? QString() : now;
}

void DrawingDocument::fillRecentMenu() {
    if (!recentMenu) return;
    recentMenu->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QAction* entry = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] {
            if (maySave()) open(path);
        });
    }
    recentMenu->setEnabled(!recent_.isEmpty());
}

// The classic title until the drawing is named or changed; then the
// document's name, marked while it has unsaved changes.
void DrawingDocument::updateTitle() {
    const bool changed = modified();
    if (path_.isEmpty() && !changed) {
        window_->setWindowTitle(classicTitle_);
    } else {
        const QString name = path_.isEmpty() ? text(kUntitled) : QFileInfo(path_).fileName();
        window_->setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, classicTitle_));
    }
    window_->setWindowModified(changed);
}

void DrawingDocument::drawingChanged() {
    if (recovery_ && modified()) recovery_->drawingChanged();
}

// Closing the board window drops its drawing: unsaved changes are asked about.
bool DrawingDocument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Close && !maySave()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void DrawingDocument::start() {
    const StartRequest request = startRequest();
    if (!request.recoveryFolder.isEmpty() && !recovery_)
        recovery_ = std::make_unique<DrawingRecovery>(request.recoveryFolder, [this] {
            const BoardModel* board = model();
            return board ? board->state() : BoardState{};
        });
    // A drawing named on the command line is opened; a left one then waits
    // for a start without one.
    if (!request.drawing.isEmpty())
        QTimer::singleShot(0, this, [this, path = request.drawing] { open(path); });
    else if (recovery_)
        QTimer::singleShot(0, this, &DrawingDocument::offerLeftDrawing);
}

void DrawingDocument::offerLeftDrawing() {
    const std::optional<DrawingRecovery::LeftDrawing> left = recovery_->leftDrawing();
    if (!left) return;
    QMessageBox question(QMessageBox::Question, text("恢复画板"),
                         QStringLiteral("上次退出时有一幅画板没有保存（%1 留下，共 %2 条曲线）。要恢复它吗？")
                             .arg(QLocale().toString(left->written, QLocale::ShortFormat))
                             .arg(left->state.curves.size()),
                         QMessageBox::NoButton, window_);
    QPushButton* restoreButton = question.addButton(text("恢复"), QMessageBox::AcceptRole);
    question.addButton(text("不恢复"), QMessageBox::RejectRole);
    question.setDefaultButton(restoreButton);
    question.exec();
    if (question.clickedButton() == restoreButton) {
        BoardModel& board = boardWindow().model();
        board.restore(left->state);
        startDocument(QString());
        // Restored, but not saved anywhere yet.
        board.undoStack().resetClean();
        recovery_->writeNow();
        updateTitle();
    }
    recovery_->forgetLeftDrawing();
}

void DrawingDocument::programEnding(bool keepUnsaved) {
    if (!recovery_) return;
    if (keepUnsaved && modified())
        recovery_->writeNow();
    else
        recovery_->discard();
}

}  // namespace plotdesk
