#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QScreen;

namespace zantiva {

// One frameless window that covers a whole screen above every other window, with the event filters
// that belong to it. While it shows, every key press, key release and shortcut of the
// application is consumed (none reaches another window, no menu shortcut fires) and each
// press is handed to the owner by its physical key. The pointer is hidden until the mouse
// moves. dismiss() takes all of it down in one step; so does the overlay's end.
class FullscreenOverlay : public QObject {
    Q_OBJECT
public:
    // keyCode: the keyboard layout's code of the physical key that was pressed (Space 49,
    // Enter 36, Escape 53, Right Arrow 124, "1" 18); keys the layout does not draw are
    // consumed without a call. A press without a scan code counts only for Escape, Space,
    // Enter and the arrows, by the key it means.
    using KeyHandler = std::function<void(std::uint16_t keyCode, const QKeyEvent& event)>;

    explicit FullscreenOverlay(QObject* parent = nullptr);
    ~FullscreenOverlay() override;

    // Shows content (which the overlay then owns) full screen on the screen (see screenFor).
    // Refused, the content deleted, while a window already shows or when there is no screen.
    bool present(std::unique_ptr<QWidget> content, QScreen* screen, KeyHandler onKey);
    // Installs a filter on the application until dismiss(), which deletes it; only while
    // showing (otherwise the filter is deleted at once).
    void addEventFilter(std::unique_ptr<QObject> filter);
    // Removes the filters, hides and releases the window, and shows the pointer again.
    // Safe to call when nothing shows, and from within the content's own event handlers.
    void dismiss();

    bool isShowing() const { return !window_.isNull(); }
    // The window while it shows, else null.
    QWidget* window() const { return window_; }
    bool isCursorHidden() const { return cursorHidden_; }
    // Hides the pointer over the window again until the mouse next moves.
    void hideCursorUntilMouseMoves();

    // The chosen screen while it is still connected, else the primary screen (null only
    // when the system has no screen).
    static QScreen* screenFor(QScreen* chosen);

signals:
    // The window manager asked to close the window (Alt+F4, a panel's close): the window stays
    // until the owner dismisses it, so the owner's own end runs for this way out too.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCursor();

    QPointer<QWidget> window_;
    std::vector<std::unique_ptr<QObject>> filters_;
    KeyHandler onKey_;
    bool cursorHidden_ = false;
    QPointF cursorAtShow_;
};

} // namespace zantiva
