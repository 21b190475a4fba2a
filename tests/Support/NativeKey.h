#pragma once

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <cstdint>

namespace zantiva::testing {

// Linux input-event codes of the keys the tests press.
namespace Evdev {
inline constexpr std::uint32_t escape = 1, one = 2, q = 16, enter = 28, a = 30, space = 57, right = 106;
}

// Presses and releases a key as the X server's keyboard delivers it: with the key's evdev code
// + 8 as its native scan code, to the window that has the keyboard focus (or to target).
// Whether the press was taken (accepted by a receiver or consumed by a filter).
inline bool pressNativeKey(std::uint32_t evdevCode, Qt::Key key, const QString& text = {},
                           Qt::KeyboardModifiers modifiers = {}, QObject* target = nullptr) {
    if (!target) target = QGuiApplication::focusWindow();
    if (!target) return false;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, evdevCode + 8, 0, 0, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, evdevCode + 8, 0, 0, text);
    const bool taken = QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
    return taken;
}

} // namespace zantiva::testing
