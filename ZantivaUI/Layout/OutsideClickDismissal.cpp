#include "Layout/OutsideClickDismissal.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zantiva {

OutsideClickDismissal::OutsideClickDismissal(QWidget* host, std::function<void()> close)
    : QObject(host), host_(host), close_(std::move(close)) {
    // The host's own showing and hiding starts and stops the watch, as its appearing does.
    host->installEventFilter(this);
}

OutsideClickDismissal::~OutsideClickDismissal() { remove(); }

void OutsideClickDismissal::setPresented(bool presented) {
    presented_ = presented;
    if (presented && host_ && host_->isVisible())
        install();
    else
        remove();
}

void OutsideClickDismissal::install() {
    if (watching_) return;
    QCoreApplication::instance()->installEventFilter(this);
    watching_ = true;
}

void OutsideClickDismissal::remove() {
    if (!watching_) return;
    QCoreApplication::instance()->removeEventFilter(this);
    watching_ = false;
}

// One release travels through the application's filters more than once (its window first, then
// the widget, then parents it is passed on to): one close is scheduled for all of them.
void OutsideClickDismissal::scheduleClose() {
    if (closePending_) return;
    closePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            closePending_ = false;
            if (close_) close_();
        },
        Qt::QueuedConnection);
}

bool OutsideClickDismissal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        if (event->type() == QEvent::Show && presented_)
            install();
        else if (event->type() == QEvent::Hide)
            remove();
        return false;
    }
    if (!watching_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton || button == Qt::RightButton) scheduleClose();
        return false;
    }
    case QEvent::ShortcutOverride:
        // Claimed, so that no shortcut takes Escape before the key press reaches this filter.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
        if (close_) close_();
        return true;
    default: return false;
    }
}

} // namespace zantiva
