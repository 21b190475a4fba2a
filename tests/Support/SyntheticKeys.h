#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// Key events as the window system hands them to the program: with the physical key's native
// scan code (the XKB key code, which is the input-event code plus 8), sent through the
// application, so that its event filters and its shortcuts meet them as they meet a real key.

namespace zantiva::testing {

inline void sendKey(QWidget* target, QEvent::Type type, quint32 evdevCode, Qt::Key key = Qt::Key_unknown,
                    Qt::KeyboardModifiers modifiers = {}, const QString& text = {}, bool autoRepeat = false) {
    constexpr quint32 xkbOffset = 8;
    QKeyEvent event(type, key, modifiers, evdevCode + xkbOffset, 0, 0, text, autoRepeat);
    QApplication::sendEvent(target, &event);
}

// A press and its release.
inline void tapKey(QWidget* target, quint32 evdevCode, Qt::Key key = Qt::Key_unknown, Qt::KeyboardModifiers modifiers = {},
                   const QString& text = {}) {
    sendKey(target, QEvent::KeyPress, evdevCode, key, modifiers, text);
    sendKey(target, QEvent::KeyRelease, evdevCode, key, modifiers, text);
}

} // namespace zantiva::testing
