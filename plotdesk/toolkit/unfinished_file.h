#pragma once
// A temporary file that is still being written, and that the signals which
// end a program (SIGTERM, SIGINT, SIGHUP) remove on their way: a large
// picture takes a while to reach the disk, and a kill or Ctrl+C meanwhile
// would otherwise leave tens of megabytes behind under a hidden name.
//
// Only a signal that would end the program as it stands is caught; one the
// program already handles (the windows close through their saving close,
// see session_end.h) or ignores is left to that. The handler removes the
// file and then ends the program as the signal would have.
//
// One such file is guarded at a time; a second made meanwhile (from another
// thread) is created and removed as usual but not guarded.

#include <QByteArray>

#include <csignal>

namespace plotdesk::toolkit {

class UnfinishedFile {
public:
    // Creates a new file from `pathTemplate`, which ends in "XXXXXX", as
    // mkstemp does.
    explicit UnfinishedFile(QByteArray pathTemplate);
    // Closes the file and removes it, unless it took another's place.
    ~UnfinishedFile();
    UnfinishedFile(const UnfinishedFile&) = delete;
    UnfinishedFile& operator=(const UnfinishedFile&) = delete;

    // The open file; -1 when it could not be made (errno says why) or once
    // it is closed.
    int descriptor() const { return descriptor_; }
    // Closes the descriptor; false when the close failed (errno says why).
    bool close();
    // Renames the file to `target`, replacing what is there; false when it
    // could not (errno says why), and the file is still to be removed.
    bool replace(const QByteArray& target);

private:
    void stopGuarding();

    QByteArray path_;
    int descriptor_ = -1;
    bool made_ = false;
    bool renamed_ = false;
    bool guarded_ = false;
    struct sigaction previous_[3] = {};
};

}  // namespace plotdesk::toolkit
