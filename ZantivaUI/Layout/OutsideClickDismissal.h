#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace zantiva {

// Closes a pop-up when the user clicks anywhere in the application or presses Escape. While the
// pop-up's flag is true it watches the application's events through an application event filter
// (never a Qt::Popup window, which would swallow the outside click): the release of the left or
// right mouse button schedules the close for the next turn of the event loop, so that the click
// first reaches its own target (a row of the list, the button that opened it); Escape closes at
// once and is consumed. It never decides where the click landed. Other keys, presses and drags
// pass untouched.
class OutsideClickDismissal : public QObject {
    Q_OBJECT
public:
    // close sets the pop-up's flag to false; it may run when the flag already is false.
    OutsideClickDismissal(QWidget* host, std::function<void()> close);
    ~OutsideClickDismissal() override;

    // Tell it each new value of the flag: true starts watching (once, never twice), false stops.
    void setPresented(bool presented);
    bool isWatching() const { return watching_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void install();
    void remove();
    void scheduleClose();

    QPointer<QWidget> host_;
    std::function<void()> close_;
    bool presented_ = false;
    bool watching_ = false;
    bool closePending_ = false;
};

} // namespace zantiva
