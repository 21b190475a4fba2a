#include "Stations/InputCheck.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextBoundaryFinder>
#include <QWheelEvent>

#include "Model/EvdevKeyMap.h"

namespace zantiva {
namespace {

// Characters as the user sees them (a letter with its accents is one), leaving out the spaces
// and tabs before and after the text.
int typedLength(const QString& text) {
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.mid(begin, end - begin));
    int count = 0;
    while (finder.toNextBoundary() != -1) ++count;
    return count;
}

} // namespace

InputCheck::InputCheck(QObject* parent) : QObject(parent) {}

InputCheck::~InputCheck() { stopWatching(); }

void InputCheck::setTyped(const QString& text) {
    InputStationState next = state_;
    next.typedLength = typedLength(text);
    update(std::move(next));
}

void InputCheck::beginKeySweep() {
    if (state_.phase != KeyboardTestPhase::typing) return;
    InputStationState next = state_;
    next.phase = KeyboardTestPhase::keySequence;
    watch(Watch::keys);
    update(std::move(next));
}

void InputCheck::finishKeySweep() {
    if (state_.phase != KeyboardTestPhase::keySequence) return;
    InputStationState next = state_;
    next.result = state_.tracker.result();
    next.phase = KeyboardTestPhase::touchpad;
    watch(Watch::scrolls);
    update(std::move(next));
}

void InputCheck::noteMove() {
    InputStationState next = state_;
    next.sawMove = true;
    update(std::move(next));
}

void InputCheck::noteClick() {
    InputStationState next = state_;
    next.sawClick = true;
    update(std::move(next));
}

void InputCheck::stopWatching() { watch(Watch::nothing); }

KeyboardTestResult InputCheck::keyResult() const { return state_.result.value_or(state_.tracker.result()); }

void InputCheck::watch(Watch what) {
    QCoreApplication* app = QCoreApplication::instance();
    if (watching_ != Watch::nothing && app) app->removeEventFilter(this);
    watching_ = what;
    if (watching_ != Watch::nothing && app) app->installEventFilter(this);
}

bool InputCheck::eventFilter(QObject* /*watched*/, QEvent* event) {
    switch (watching_) {
    case Watch::keys: return takeKey(*event);
    case Watch::scrolls: noteScroll(*event); return false;
    case Watch::nothing: break;
    }
    return false;
}

bool InputCheck::takeKey(QEvent& event) {
    switch (event.type()) {
    case QEvent::ShortcutOverride:
        // Accepted, the key is no shortcut: it comes as a key press, taken below.
        event.accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(event);
        // The physical key, whatever the keyboard layout makes of it.
        if (const auto code = macKeyCodeForScanCode(key.nativeScanCode())) {
            InputStationState next = state_;
            next.tracker.key(*code, key.type() == QEvent::KeyPress, key.isAutoRepeat());
            update(std::move(next));
        }
        event.accept();
        return true;
    }
    case QEvent::InputMethod:
        // Text an input method made of the keys would still reach a text field.
        return true;
    default: return false;
    }
}

void InputCheck::noteScroll(const QEvent& event) {
    if (event.type() != QEvent::Wheel) return;
    // A touchpad's scroll begins and ends with events that move nothing.
    const auto& wheel = static_cast<const QWheelEvent&>(event);
    if (wheel.pixelDelta().isNull() && wheel.angleDelta().isNull()) return;
    InputStationState next = state_;
    next.sawScroll = true;
    update(std::move(next));
}

void InputCheck::update(InputStationState next) {
    if (next == state_) return;
    state_ = std::move(next);
    emit stateChanged();
}

} // namespace zantiva
