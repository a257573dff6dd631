#pragma once
// Keeping the drawing safe from a crash: while the program runs, the
// drawing is written as a document to a recovery file of its own in the
// per-user data folder, a moment after each change (so that a drag does not
// write it a hundred times). A clean exit removes the file; after a crash
// or a kill it stays, and the next start finds it and offers it back.
//
// Each running program has its own recovery file, held by a lock file, so
// two programs never take each other's drawing; a file whose lock no living
// program holds was left behind.

#include "board/board_state.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QTimer;

namespace plotdesk {

class DrawingRecovery : public QObject {
    Q_OBJECT
public:
    // A change is written this long after it, together with the changes
    // that follow meanwhile.
    static constexpr int kWriteDelayMs = 1000;

    // The per-user folder the recovery files live in.
    static QString defaultFolder();

    // Takes a recovery file of this run's own in `folder`; `drawing` gives
    // the drawing to write.
    DrawingRecovery(const QString& folder, std::function<BoardState()> drawing, int writeDelayMs = kWriteDelayMs,
                    QObject* parent = nullptr);
    // Leaves the recovery file where it is: only discard() removes it.
    ~DrawingRecovery() override;

    // The drawing changed: it is written once the delay has passed.
    void drawingChanged();
    // Writes the drawing at once (and cancels the pending write). Nothing
    // when done, else why not.
    std::optional<QString> writeNow();
    // Nothing to keep (the drawing was saved, or the program ends
    // cleanly): removes this run's recovery file until the next change.
    void discard();

    // A drawing a run left behind: the newest one that can be read, held
    // for this run until it is forgotten.
    struct LeftDrawing {
        QDateTime written;
        BoardState state;
    };
    std::optional<LeftDrawing> leftDrawing();
    // Removes the left drawing found last, once it is restored or declined.
    void forgetLeftDrawing();

    // This run's recovery file.
    QString file() const { return file_; }

private:
    QString folder_;
    QString file_;
    std::unique_ptr<QLockFile> lock_;
    std::function<BoardState()> drawing_;
    QTimer* timer_;
    // The left drawing found last, and the lock that keeps it from others.
    QString leftFile_;
    std::unique_ptr<QLockFile> leftLock_;
};

}  // namespace plotdesk
