#include "Layout/ReflowGate.h"

#include <QEvent>
#include <QResizeEvent>

namespace zantiva {

ReflowGate::ReflowGate(QWidget* content, QWidget* parent) : QWidget(parent), content_(content) {
    content_->setParent(this);
    followPolicy();
}

QSize ReflowGate::sizeHint() const { return content_->sizeHint(); }

QSize ReflowGate::minimumSizeHint() const { return content_->minimumSizeHint(); }

bool ReflowGate::hasHeightForWidth() const { return content_->hasHeightForWidth(); }

int ReflowGate::heightForWidth(int width) const { return content_->heightForWidth(width); }

int ReflowGate::neededHeight() const { return hasHeightForWidth() ? heightForWidth(width()) : sizeHint().height(); }

bool ReflowGate::followPolicy() {
    if (content_->sizePolicy() == sizePolicy()) return false;
    setSizePolicy(content_->sizePolicy()); // tells the layout around
    return true;
}

bool ReflowGate::event(QEvent* event) {
    // A change of the content's policy while the holder was hidden wasn't passed on.
    if (event->type() == QEvent::Show) followPolicy();
    // Having no layout, the holder hears of every change of its content's geometry this way.
    if (event->type() != QEvent::LayoutRequest) return QWidget::event(event);
    const int needed = neededHeight();
    if (!followPolicy() && needed != passedOn_) updateGeometry();
    passedOn_ = needed;
    return true;
}

void ReflowGate::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    content_->setGeometry(rect());
    // Laid out at this width: the layout took the content's height for it.
    passedOn_ = neededHeight();
}

} // namespace zantiva
