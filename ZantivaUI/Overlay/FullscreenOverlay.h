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

// One frameless window that covers a whole screen above the program, with the event filters
// that belong to it. While it shows, every key press, key release and shortcut of the
// application is consumed (none reaches another window, no menu shortcut fires) and each
// press is handed to the owner by its physical key. The pointer is hidden until the mouse
// moves. dismiss() takes all of it down in one step; so does the overlay's end.
class FullscreenOverlay : public QObject {
    Q_OBJECT
public:
    // keyCode: the keyboard layout's code of the physical key that was pressed (Space 49,
    // Enter 36, Escape 53, Right Arrow 124, "1" 18); keys the layout does not draw, and
    // events without a scan code, are consumed without a call.
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

    // The chosen screen while it is still connected, else the primary screen (null only
    // when the system has no screen).
    static QScreen* screenFor(QScreen* chosen);

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
