#include "Layout/FloatingOverlay.h"

#include <QEvent>
#include <QWidget>

namespace zantiva {

FloatingOverlay::FloatingOverlay(QWidget* anchor, QWidget* content, Placement place)
    : QObject(anchor), anchor_(anchor), content_(content), place_(std::move(place)) {
    content_->hide();
    content_->setParent(anchor_->window());
    anchor_->installEventFilter(this);
}

FloatingOverlay::~FloatingOverlay() { delete content_.data(); }

void FloatingOverlay::setShown(bool shown) {
    shown_ = shown;
    if (!content_) return;
    if (!shown || !anchor_->isVisible()) {
        content_->hide();
        return;
    }
    // The anchor may have moved into another window since the content was made.
    if (content_->parentWidget() != anchor_->window()) content_->setParent(anchor_->window());
    watchAncestors();
    place();
    content_->show();
    content_->raise();
}

void FloatingOverlay::watchAncestors() {
    for (QWidget* widget = anchor_->parentWidget(); widget; widget = widget->parentWidget())
        widget->installEventFilter(this);
}

void FloatingOverlay::place() {
    // Until it is shown again, content made before the anchor went into its window waits there.
    if (!content_ || content_->parentWidget() != anchor_->window()) return;
    const QPoint origin = anchor_->mapTo(content_->parentWidget(), QPoint(0, 0));
    content_->setGeometry(place_(QRect(origin, anchor_->size()), *content_));
}

bool FloatingOverlay::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (shown_ && content_ && content_->isVisible()) place();
        break;
    case QEvent::Show:
        if (watched == anchor_ && shown_) setShown(true);
        break;
    case QEvent::Hide:
        if (watched == anchor_ && content_) content_->hide();
        break;
    default: break;
    }
    return false;
}

} // namespace zantiva
