#include "Shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "Assets/LogoPicture.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Platform/Log.h"
#include "Shell/ServerScreens.h"
#include "Shell/WindowManagerRequests.h"

namespace zantiva {
namespace {

// The frame around the window in its normal state. A manager that hands a maximised size over
// before the state draws the maximised frame (borders dropped) around a window that still counts
// as normal, so the widest frame seen stands.
FrameMargins widest(const FrameMargins& a, const FrameMargins& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

WindowRect windowRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// The states in which the window manager, not the window, holds its size and place.
bool held(const ManagerState& state) { return state.maximised || state.fullScreen || state.minimised; }

// The part of a screen's available area that the window surely fits in at the screen's scale.
WindowRect screenArea(const QScreen* screen) {
    if (!screen) return {0, 0, WindowPlacementRule::preferredSize.width, WindowPlacementRule::preferredSize.height};
    return WindowPlacementRule::scaledArea(windowRect(screen->availableGeometry()), screen->devicePixelRatio());
}

constexpr char logCategory[] = "window";

// The window that takes the keyboard for the main window: the program's modal dialog open over
// it, else the window itself.
QWidget& keyboardWindow(QWidget& window) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? *modal : window;
}

} // namespace

ScreenAreas systemScreenAreas(const QWidget& window) {
    if (auto managed = ManagedWindow::of(window)) {
        if (const std::vector<QRect> monitors = serverScreens(*managed); !monitors.empty()) {
            // In Qt's logical pixels, as it gives screens: each keeps its place, its size scaled.
            const double scale = window.devicePixelRatioF();
            const auto logical = [scale](const QRect& rect) {
                return WindowRect{rect.x(), rect.y(), int(rect.width() / scale), int(rect.height() / scale)};
            };
            ScreenAreas shown;
            for (const QRect& monitor : monitors)
                shown.areas.push_back(WindowPlacementRule::scaledArea(logical(monitor), scale));
            // Its own: the one its frame lies on most, wherever the system last said it was.
            shown.own = WindowPlacementRule::homeArea(logical(managed->frame()), {}, shown.areas);
            return shown;
        }
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    ScreenAreas shown{{}, static_cast<std::size_t>(std::max<qsizetype>(0, screens.indexOf(window.screen())))};
    for (const QScreen* screen : screens) shown.areas.push_back(screenArea(screen));
    if (shown.areas.empty()) shown.areas.push_back(screenArea(nullptr));
    return shown;
}

MainWindow::MainWindow(LocNotifier& loc, ScreenReader screens)
    : screens_(std::move(screens)), scroll_(new QScrollArea), watch_(*this) {
    applyZantivaRoot(*this, loc);
    // The product's name, the same in both languages.
    setWindowTitle(QStringLiteral("Zantiva Diagnostics"));
    if (!logoPicture().isNull()) setWindowIcon(QIcon(QPixmap::fromImage(logoPicture())));

    // Scroll bars only while the window is smaller than the content's least size.
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    // Once the screens have settled: a monitor unplugged moves and resizes the others in steps,
    // and the window would otherwise be fitted to each step in turn.
    refit_.setSingleShot(true);
    refit_.setInterval(0);
    connect(&refit_, &QTimer::timeout, this, [this] {
        if (held(managerState())) fit(false);
        else judgeNormal();
    });
    // A window manager may hand a restore over in steps, and undo a place asked for meanwhile:
    // the restored window is judged once the manager has been still for a moment, and again
    // after each place it was given, until it lies whole where it is.
    restoring_.setSingleShot(true);
    restoring_.setInterval(restoreSettling);
    connect(&restoring_, &QTimer::timeout, this, [this] {
        // A drag begun meanwhile is the user's, and so is where it leaves the window.
        if (watch_.pointerHeld()) return judgeNormal();
        // A manager that never takes the place asked for is not asked again and again.
        if (!fit(false) || ++restoreFits_ >= restoreFitLimit) {
            restored_ = false;
            remember(geometry());
        }
    });
    dragEnded_.setSingleShot(true);
    dragEnded_.setInterval(dragPolling);
    connect(&dragEnded_, &QTimer::timeout, &refit_, qOverload<>(&QTimer::start));
    // Every screen, not only the window's own: the system may move the window to another screen
    // as a monitor blinks, and not move it back, before the monitor it lies on goes for good.
    for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &MainWindow::watchScreen);
    connect(qGuiApp, &QGuiApplication::screenRemoved, &refit_, qOverload<>(&QTimer::start));
    // The X server's own word on the screens, which Qt's list may not follow, and on the window,
    // whose state Qt may not follow: judged once Qt has taken the same events.
    connect(&watch_, &WindowManagerWatch::screensChanged, &refit_, qOverload<>(&QTimer::start));
    judging_.setSingleShot(true);
    judging_.setInterval(0);
    connect(&judging_, &QTimer::timeout, this, &MainWindow::managerChanged);
    connect(&watch_, &WindowManagerWatch::windowChanged, &judging_, qOverload<>(&QTimer::start));
    // A launch's requests are judged once the window manager has been still for a moment.
    presenting_.setSingleShot(true);
    presenting_.setInterval(restoreSettling);
    connect(&presenting_, &QTimer::timeout, this, &MainWindow::presentAgain);
    fit(true);
}

void MainWindow::setContent(QWidget* content) {
    if (QWidget* before = scroll_->takeWidget()) before->deleteLater();
    content_ = content;
    if (!content_) return;
    content_->setMinimumSize(minimumSize);
    content_->setAutoFillBackground(false);
    scroll_->setWidget(content_);
}

FrameMargins MainWindow::frameMargins() const {
    // Under X11 what the manager says it draws now (`_NET_FRAME_EXTENTS`: left, right, top,
    // bottom), in Qt's logical pixels: Qt may have read its margins before fluxbox said so, from
    // the frame window's place, which leaves out that window's border.
    if (auto managed = ManagedWindow::of(*this)) {
        if (const auto extents = managed->cardinals(false, "_NET_FRAME_EXTENTS"); extents.size() == 4) {
            const double scale = devicePixelRatioF();
            const auto logical = [scale](std::uint32_t pixels) { return int(std::ceil(pixels / scale)); };
            return {logical(extents[0]), logical(extents[2]), logical(extents[1]), logical(extents[3])};
        }
    }
    // Nothing around the window before a window manager framed it, nor without one.
    const QRect outer = frameGeometry(), inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(), outer.bottom() - inner.bottom()};
}

bool MainWindow::fit(bool anew) {
    const ScreenAreas screens = screens_(*this);
    const WindowRect& own = screens.areas[std::min(screens.own, screens.areas.size() - 1)];
    // Maximised, full screen or minimised, the window manager holds the window's size and place,
    // and those it gives back: neither the least size nor the place changes until the window is
    // back in its normal state, where the restore is fitted. A new least size has Qt write the
    // size hints anew with the size the window has, which a manager may take as the one to give
    // back; a place asked for brings a minimised window back. Only a least size that the screen
    // the window now fills can't hold is lowered to what it allows, and the manager asked to fill
    // that screen again: it fits the window to the screen no further than its least size (xfwm4
    // not before it is asked again, and until then won't restore it). The size it gives back
    // doesn't fit that screen either, and is fitted once restored.
    if (const ManagerState state = managerState(); held(state)) {
        if (state.maximised || state.fullScreen) {
            const WindowSize allowed = WindowPlacementRule::place(own, normalFrame_).minimum;
            const QSize least = QWidget::minimumSize();
            const QSize lowered(std::min(least.width(), allowed.width), std::min(least.height(), allowed.height));
            if (lowered != least) {
                setMinimumSize(lowered);
                fillScreenAgain(*this, state.fullScreen);
            }
        }
        return false;
    }
    // Where the user put the window stays while the screens show all of it; a screen unplugged,
    // or made smaller, brings the window back inside what is left.
    screensChangedSinceJudged(screens.areas);
    // Just restored, the window manager may not have drawn its borders back yet.
    const FrameMargins frame = restored_ ? widest(normalFrame_, frameMargins()) : frameMargins();
    const WindowRect current = windowRect(geometry());
    const WindowPlacement wanted =
        anew ? WindowPlacementRule::place(own, frame)
             : WindowPlacementRule::keepInSight(current, frame, screens.own, screens.areas);
    setMinimumSize(wanted.minimum.width, wanted.minimum.height);
    if (wanted.geometry == current) return false;
    setGeometry(wanted.geometry.x, wanted.geometry.y, wanted.geometry.width, wanted.geometry.height);
    return true;
}

void MainWindow::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, &refit_, qOverload<>(&QTimer::start), Qt::UniqueConnection);
    connect(screen, &QScreen::availableGeometryChanged, &refit_, qOverload<>(&QTimer::start), Qt::UniqueConnection);
    refit_.start();
}

bool MainWindow::event(QEvent* event) {
    // A window manager's frame is known only once it has taken the window (by the time it
    // activates it, at the latest): the window is placed again then, once, so that the frame too
    // fits the screen.
    const bool handled = QWidget::event(event);
    const auto type = event->type();
    if (type == QEvent::Show && windowHandle()) {
        connect(windowHandle(), &QWindow::screenChanged, &refit_, qOverload<>(&QTimer::start), Qt::UniqueConnection);
        refit_.start();
    }
    if (!framed_ && isVisible() &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate) &&
        frameGeometry() != geometry()) {
        framed_ = true;
        normalFrame_ = frameMargins();
        fit(true);
    }
    // The state is judged as it changes; a place or size once the change has reached Qt.
    if (type == QEvent::WindowStateChange) managerChanged();
    else if (type == QEvent::Resize || type == QEvent::Move) judging_.start();
    return handled;
}

ManagerState MainWindow::managerState() const {
    if (auto managed = ManagedWindow::of(*this)) return managed->state();
    const Qt::WindowStates states = windowState();
    return {states.testFlag(Qt::WindowMaximized), states.testFlag(Qt::WindowFullScreen),
            states.testFlag(Qt::WindowMinimized), false};
}

void MainWindow::managerChanged() {
    // A window restored (from maximised, full screen or minimised) takes back the place and size
    // it had before, which the screens may no longer hold. The window manager may hand them over
    // before the change of state (its restored size while the window still counts as maximised),
    // or after it, in steps, and draw its frame around them later still: the window is judged by
    // its state, once the manager has been still for a moment after the restore.
    const ManagerState state = managerState();
    const bool filledBefore = state_.maximised || state_.fullScreen;
    state_ = state;
    if (launchAsks_ > 0) presenting_.start();
    if (held(state)) {
        restored_ = false; // held again before the restore was judged
        restoring_.stop();
        // The user may have taken the window onto a smaller screen than the one its least size
        // was set on: a least size the screen it now fills can't hold is lowered.
        if ((state.maximised || state.fullScreen) && !filledBefore) fit(false);
        return;
    }
    judgeNormal();
}

void MainWindow::judgeNormal() {
    // While a pointer button is held the user drags (the manager's move or resize, or a maximised
    // window dragged out of its state): nothing is asked of the window until it is let go, and
    // where the drag leaves it stands.
    if (watch_.pointerHeld()) {
        restored_ = false;
        restoring_.stop();
        dragEnded_.start();
        return;
    }
    // A restore, or any size or place the manager gives in the normal state (xfwm4's untile,
    // which is no change of state), is fitted only where it comes from before a change of the
    // screens: the screens changed since the window was last judged, or it is a place the window
    // had on the screens before. Any other is the user's own, wholly on the screens or not.
    const QRect place = geometry();
    const ScreenAreas screens = screens_(*this);
    const bool givenBack = screensChangedSinceJudged(screens.areas) ||
                           std::ranges::find(placesBefore_, place) != placesBefore_.end();
    if (givenBack && !restored_) {
        restored_ = true;
        restoreFits_ = 0;
    }
    if (restored_) return restoring_.start();
    remember(place);
    if (framed_) normalFrame_ = widest(normalFrame_, frameMargins());
    // The least size follows the screen the user took the window to, so that the user can make it
    // fit a smaller one, but never beyond the size it has: nothing resizes it.
    const WindowSize least =
        WindowPlacementRule::place(screens.areas[std::min(screens.own, screens.areas.size() - 1)], normalFrame_).minimum;
    setMinimumSize(std::min(least.width, place.width()), std::min(least.height, place.height()));
}

bool MainWindow::screensChangedSinceJudged(const std::vector<WindowRect>& screens) {
    if (screens == judgedScreens_) return false;
    judgedScreens_ = screens;
    placesBefore_.insert(placesBefore_.end(), placesNow_.begin(), placesNow_.end());
    placesNow_.clear();
    if (placesBefore_.size() > placesKept)
        placesBefore_.erase(placesBefore_.begin(), placesBefore_.end() - std::ptrdiff_t(placesKept));
    return true;
}

void MainWindow::remember(const QRect& place) {
    // A place judged on the screens as they are is no longer one from before them.
    std::erase(placesBefore_, place);
    if (!placesNow_.empty() && placesNow_.back() == place) return;
    std::erase(placesNow_, place);
    placesNow_.push_back(place);
    if (placesNow_.size() > placesKept) placesNow_.erase(placesNow_.begin());
}

void MainWindow::bringToFront(const QByteArray& startupId) {
    activateForLaunch(*this, keyboardWindow(*this), startupId);
    // Wherever the screens left it, a launch that hands over is always a way back to it.
    fit(false);
    launchAsks_ = 1;
    presenting_.start();
}

void MainWindow::presentAgain() {
    // Checked once, when the window manager has settled on the launch's one request, and never
    // asked again: whatever the manager made of it (a window kept on top of all others stays over
    // this one), or the user did since (a click into another window, a key, a minimise), stands.
    if (launchAsks_ <= 0) return;
    launchAsks_ = 0;
    auto managed = ManagedWindow::of(keyboardWindow(*this));
    if (!managed) return;
    if (!managed->active()) log::info(logCategory, "after a launch, another window has the keyboard");
    else if (managed->coveredBy()) log::info(logCategory, "after a launch, another window lies over this one");
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The process ends with this window, whatever other windows of it are still open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace zantiva
