#pragma once
// The drawing on the board as a document, behind the main window's 文件
// menu: new, open, save, save as, the drawings opened last, the window
// title that names the document and marks unsaved changes, the question
// before unsaved changes would be lost, and the recovery file that keeps
// them through a crash.
//
// Opening a document lays the board out from the document alone: no stored
// setting is read for it or changed by it. The list of drawings opened last
// is kept under the settings key "recentdrawings", written at the program's
// close only when it changed.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace plotdesk {

class BoardModel;
class DrawingRecovery;
class mForm1;

class DrawingDocument : public QObject {
    Q_OBJECT
public:
    // At most this many drawings are listed under 最近的画板.
    static constexpr int kRecentDrawings = 6;

    // The document of the program's one board; `window` carries its title
    // and its messages.
    explicit DrawingDocument(QWidget* window);
    ~DrawingDocument() override;

    // Follows a board window created afresh: its changes mark the title and
    // reach the recovery file, and closing it asks about unsaved changes.
    void attach(mForm1& board);

    // The 文件 menu's entries, added to `menu` before its first entry.
    void addMenuEntries(QMenu* menu);

    // The menu's commands. Each that would drop unsaved changes asks first
    // (保存 / 不保存 / 取消) and does nothing when cancelled; each failure is
    // told in a message box that names the file, the board left as it was.
    void newDrawing();
    void openDrawing();
    bool open(const QString& path);
    bool save();
    bool saveAs();
    // Saves the drawing to `path`, which becomes the document's file.
    bool saveTo(const QString& path);

    // Asks about unsaved changes: true when the caller may go on (saved, or
    // the user let them go), false when cancelled or the save failed.
    bool maySave();
    bool modified() const;
    QString path() const { return path_; }
    QStringList recentDrawings() const { return recent_; }
    // The "recentdrawings" value to store when the list changed since it
    // was read; null otherwise.
    QString recentDrawingsToStore() const;

    // What the program's start asks for (see openAtStart and
    // keepDrawingsSafeIn): keeping the drawing in a recovery file, and
    // opening the drawing named on the command line, or else offering the
    // drawing a run that ended without its clean exit left behind.
    void start();
    // The program ends: a clean end removes the recovery file; an end forced
    // by the session keeps unsaved changes in it for the next start.
    void programEnding(bool keepUnsaved);

    // The 文件 menu's entries.
    QAction* newAction = nullptr;     // 新建画板
    QAction* openAction = nullptr;    // 打开画板…
    QMenu* recentMenu = nullptr;      // 最近的画板
    QAction* saveAction = nullptr;    // 保存画板
    QAction* saveAsAction = nullptr;  // 画板另存为…
    QAction* printAction = nullptr;   // 打印…

private:
    BoardModel* model() const;
    void startDocument(const QString& path);
    void remember(const QString& path);
    void fillRecentMenu();
    void offerLeftDrawing();
    void updateTitle();
    void drawingChanged();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* window_;
    QString classicTitle_;
    mForm1* board_ = nullptr;
    QString path_;
    QStringList recent_;
    QString recentAsRead_;
    std::unique_ptr<DrawingRecovery> recovery_;
};

// A drawing named on the command line, opened once the main window is up.
void openAtStart(const QString& path);
// Recovery files in `folder`, from the program's start on.
void keepDrawingsSafeIn(const QString& folder);

}  // namespace plotdesk
