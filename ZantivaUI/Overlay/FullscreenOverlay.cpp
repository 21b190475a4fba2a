#include "Overlay/FullscreenOverlay.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "Probes/EvdevKeyMap.h"

namespace zantiva {

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

    auto* window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
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

    cursorAtShow_ = QCursor::pos(screen);
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    cursorHidden_ = true;
    return true;
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
        const auto code = key.nativeScanCode() ? macKeyCodeForScanCode(key.nativeScanCode()) : std::nullopt;
        if (code && onKey_) {
            // The handler may dismiss the overlay, which drops the handler itself.
            const KeyHandler handler = onKey_;
            handler(*code, key);
        }
        return true;
    }
    case QEvent::MouseMove:
        if (cursorHidden_ && static_cast<const QMouseEvent&>(*event).globalPosition() != cursorAtShow_) showCursor();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zantiva
