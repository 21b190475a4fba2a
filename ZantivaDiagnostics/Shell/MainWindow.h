#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

#include "Presenters/WindowPlacement.h"
#include "Shell/ManagedWindow.h"
#include "Shell/WindowManagerWatch.h"

class QScreen;
class QScrollArea;

namespace zantiva {

class LocNotifier;

// The screens as the window is fitted to them: each one's available area, cut to what the window
// surely fits in at the screen's scale (at least one area), and which of them the window is on.
struct ScreenAreas {
    std::vector<WindowRect> areas;
    std::size_t own = 0;
};
using ScreenReader = std::function<ScreenAreas(const QWidget& window)>;

// The screens as they are now: under X11 the X server's monitors, whichever the window lies on most
// its own; elsewhere the system's screens, in its order. One standing in for the preferred size
// where there is none.
ScreenAreas systemScreenAreas(const QWidget& window);

// The program's one window: the window root (fonts, palette, direction by language) around
// one content widget, 1440 x 900 where the screen has room. The content is laid out in no less
// than 1100 x 720; the window keeps to that least size wherever the screen's available area
// allows it, and on a smaller (or scaled) screen it fits the area and the content scrolls.
// Where screens are added, go away or change it comes back inside what is left, and so does a
// size or place the window manager gives back from before such a change (a restore, an untile)
// that the screens can't show whole; the user's own moves and sizes stand, and nothing moves it
// during a drag. Its state is the one the window manager holds, read from the X server under
// X11. Closing it quits the program.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize minimumSize{WindowPlacementRule::contentMinimum.width,
                                       WindowPlacementRule::contentMinimum.height};

    explicit MainWindow(LocNotifier& loc, ScreenReader screens = systemScreenAreas);

    // Shows content as the whole of the window, which takes it over; the one before goes.
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

    // Brought back whole onto the screens, unshaded, raised and activated (its modal dialog, where
    // one is open, with it): a sign-in came back through the browser, or the program was started
    // again (with that launch's startup id, if any). The window manager is asked once, and what it
    // made of that checked once; whatever the user does after the launch stands.
    void bringToFront(const QByteArray& startupId = {});

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // How long the window manager is still before a restored window is judged.
    static constexpr std::chrono::milliseconds restoreSettling{150};
    // How many places a restored window asks for before it leaves the manager's own standing.
    static constexpr int restoreFitLimit = 5;
    // How often a judgement put off while a pointer button is held looks whether it was let go.
    static constexpr std::chrono::milliseconds dragPolling{50};
    // How many of the window's places it remembers from the screens before (and as they are).
    static constexpr std::size_t placesKept = 32;

    FrameMargins frameMargins() const;
    // The least size follows the screen the window is on. The window is placed where the rule
    // puts it when `anew`, else brought back onto the screens when they no longer show all of it;
    // only in its normal state (never maximised, full screen or minimised, where the least size
    // is at most lowered to what the screen the window fills allows). Whether it asked for
    // another place.
    bool fit(bool anew);
    void watchScreen(QScreen* screen);
    // The window's state as the window manager holds it now (Qt's own record off X11).
    ManagerState managerState() const;
    // Judges what the window manager or the screens changed, by the state and size they left.
    void managerChanged();
    // Judges the window in its normal state: a place or size that a change of the screens left,
    // or that the manager gives back from before one, is fitted once the manager has been still;
    // any other is the user's and stands. Put off while a pointer button is held.
    void judgeNormal();
    // Whether the screens are others than those the window was last judged on; from then on they
    // are, and the places it had before are the earlier screens'.
    bool screensChangedSinceJudged(const std::vector<WindowRect>& screens);
    // The window stands where it is on the screens as they are.
    void remember(const QRect& place);
    // Reads once what the window manager made of a launch's request, and logs what it left undone.
    void presentAgain();

    ScreenReader screens_;
    QScrollArea* scroll_;
    QWidget* content_ = nullptr;
    bool framed_ = false; // placed again once the window manager's frame was known
    // Left by a change of the screens, or given back from before one, and not yet found whole since.
    bool restored_ = false;
    FrameMargins normalFrame_; // the frame last drawn around the window in its normal state
    ManagerState state_; // as last read
    std::vector<WindowRect> judgedScreens_; // the screens as the window was last judged in its normal state
    std::vector<QRect> placesNow_; // where it stood on those screens, the latest last
    std::vector<QRect> placesBefore_; // where it stood on earlier screens, the latest last
    WindowManagerWatch watch_;
    QTimer judging_; // the change the watch told of has reached Qt too
    QTimer refit_;
    QTimer restoring_; // the window manager's restore has settled
    int restoreFits_ = 0; // places asked for since the last restore
    QTimer dragEnded_; // the pointer button held during a judgement was let go
    QTimer presenting_; // the window manager has settled after a launch's requests
    int launchAsks_ = 0; // the launch's requests not yet checked (one at most)
};

} // namespace zantiva
