#include "Overlay/FullscreenOverlay.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "Model/EvdevKeyMap.h"
#include "Model/MacKeyboardLayout.h"

namespace zantiva {
namespace {

// Some input methods, remote desktops and synthetic input send keys without a scan code.
// The keys that step or end a full-screen check are then known by what they mean; every
// other key is known only by its place.
std::optional<std::uint16_t> keyCodeWithoutScanCode(int key) {
    switch (key) {
    case Qt::Key_Escape: return MacKeyboardLayout::escape;
    case Qt::Key_Space: return MacKeyboardLayout::space;
    case Qt::Key_Return: return MacKeyboardLayout::enter;
    case Qt::Key_Left: return MacKeyboardLayout::leftArrow;
    case Qt::Key_Right: return MacKeyboardLayout::rightArrow;
    case Qt::Key_Up: return MacKeyboardLayout::upArrow;
    case Qt::Key_Down: return MacKeyboardLayout::downArrow;
    default: return std::nullopt;
    }
}

std::optional<std::uint16_t> keyCodeOf(const QKeyEvent& key) {
    return key.nativeScanCode() ? macKeyCodeForScanCode(key.nativeScanCode()) : keyCodeWithoutScanCode(key.key());
}

} // namespace

FullscreenOverlay::FullscreenOverlay(QObject* parent) : QObject(parent) {}

FullscreenOverlay::~FullscreenOverlay() { dismiss(); }

QScreen* FullscreenOverlay::screenFor(QScreen* chosen) {
    // A screen that was unplugged since it was chosen is no longer in the list.
    if (chosen && QGuiApplication::screens().contains(chosen)) return chosen;
    return QGuiApplication::primaryScreen();
}

bool FullscreenOverlay::present(std::unique_ptr<QWidget> content, QScreen* screen, KeyHandler onKey) {
    screen = screenFor(screen);
    if (isShowing() || !screen) return false;

    // Above the other windows, as a screen saver is, for as long as it shows.
    auto* window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette black = window->palette();
    black.setColor(QPalette::Window, Qt::black);
    window->setPalette(black);
    window->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content.release());

    window_ = window;
    onKey_ = std::move(onKey);
    qApp->installEventFilter(this);

    window->setScreen(screen);
    window->setGeometry(screen->geometry());
    window->showFullScreen();
    window->raise();
    window->activateWindow();

    hideCursorUntilMouseMoves();
    return true;
}

void FullscreenOverlay::hideCursorUntilMouseMoves() {
    if (!isShowing() || cursorHidden_) return;
    cursorAtShow_ = QCursor::pos(window_->screen());
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    cursorHidden_ = true;
}

void FullscreenOverlay::addEventFilter(std::unique_ptr<QObject> filter) {
    if (!isShowing()) return;
    qApp->installEventFilter(filter.get());
    filters_.push_back(std::move(filter));
}

void FullscreenOverlay::dismiss() {
    if (qApp) qApp->removeEventFilter(this);
    for (auto& filter : filters_)
        if (qApp) qApp->removeEventFilter(filter.get());
    filters_.clear();
    onKey_ = nullptr;
    if (QWidget* window = window_) {
        window_ = nullptr;
        window->hide();
        // Dismissal may come from a button inside the window, which must outlive its click.
        window->deleteLater();
    }
    showCursor();
}

void FullscreenOverlay::showCursor() {
    if (!cursorHidden_) return;
    cursorHidden_ = false;
    QGuiApplication::restoreOverrideCursor();
}

bool FullscreenOverlay::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepted, the key counts as taken by its target, so no shortcut fires for it.
        event->accept();
        return true;
    case QEvent::KeyRelease: return true;
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const auto code = keyCodeOf(key);
        if (code && onKey_) {
            // The handler may dismiss the overlay, which drops the handler itself.
            const KeyHandler handler = onKey_;
            handler(*code, key);
        }
        return true;
    }
    case QEvent::Close:
        if (watched != window_) break;
        event->ignore();
        emit closeRequested();
        return true;
    case QEvent::MouseMove:
        if (cursorHidden_ && static_cast<const QMouseEvent&>(*event).globalPosition() != cursorAtShow_) showCursor();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zantiva
