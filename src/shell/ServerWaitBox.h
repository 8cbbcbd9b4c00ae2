#pragma once
// The program's way of waiting for the database server (store/ServerWait.h):
// while a call waits longer than a moment, the windows keep painting and the
// clocks keep ticking, the mouse pointer is the busy one and a small box over
// the active window says that the program waits for the server; the keys and
// clicks typed meanwhile are thrown away, so that none of them reaches the
// screen or the message box that follows the wait.

#include "store/ServerWait.h"

#include <QObject>
#include <QPointer>

class QLabel;

namespace yb {

class ServerWaitBox : public QObject, public ServerWait {
public:
    ServerWaitBox();
    ~ServerWaitBox() override;

    void begin(const QString& server) override;
    void tick() override;
    void end() override;

    // The box's text while it is shown; empty otherwise.
    QString text() const;
    // User input events thrown away since the program started.
    int droppedInput() const { return dropped_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLabel> box_;
    bool waiting_ = false;
    int dropped_ = 0;
};

// Installs the box as the store's wait hook for as long as the application runs.
void installServerWait();
// Takes the hook away and deletes the box, while the application still lives.
void removeServerWait();
ServerWaitBox* serverWaitBox();

} // namespace yb
