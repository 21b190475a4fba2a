#pragma once

#include <QObject>

#include "Presenters/InputStationPresenter.h"

class QEvent;
class QString;

namespace zantiva {

// The keyboard-and-touchpad check behind its page: free typing, then a sweep in which every key
// of the program is taken and counted by its physical key, then the touchpad. While the sweep
// runs the check filters the whole application's events, so no key reaches a window, a text
// field or a shortcut; on the touchpad it only watches scrolls. Owned by its page: whichever way
// the check ends, the filter goes with it.
class InputCheck : public QObject {
    Q_OBJECT

public:
    explicit InputCheck(QObject* parent = nullptr);
    ~InputCheck() override;

    const InputStationState& state() const { return state_; }
    // The filter is in place (the sweep, or the touchpad).
    bool isWatching() const { return watching_ != Watch::nothing; }

    // The typing step's text; only its length counts.
    void setTyped(const QString& text);
    // From typing to the sweep, and from the sweep to the touchpad; once each, in that order.
    void beginKeySweep();
    void finishKeySweep();
    void noteMove();
    void noteClick();
    // Takes the filter away; the check then sees nothing more.
    void stopWatching();
    // The result the sweep ended with, else what the presses so far give.
    KeyboardTestResult keyResult() const;

signals:
    void stateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Watch { nothing, keys, scrolls };

    void watch(Watch what);
    bool takeKey(QEvent& event);
    void noteScroll(const QEvent& event);
    void update(InputStationState next);

    InputStationState state_;
    Watch watching_ = Watch::nothing;
};

} // namespace zantiva
