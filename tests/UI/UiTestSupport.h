#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QWidget>

// Small helpers of the widget tests: pointer hover without a real pointer, waiting for
// animations to settle, and reading the pixels a widget draws.
namespace zantiva::uitest {

inline void hover(QWidget& widget) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), widget.mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(&widget, &enter);
}

inline void leave(QWidget& widget) {
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(&widget, &leaveEvent);
}

// True once the condition holds; the event loop runs meanwhile, so animations advance.
template <typename Condition> bool settles(Condition condition) { return QTest::qWaitFor(condition, 2000); }

// The widget as drawn, on an opaque background of the given colour.
inline QImage render(QWidget& widget, QColor background = Qt::white) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(background);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace zantiva::uitest
