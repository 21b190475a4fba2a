#pragma once

#include <functional>

class QObject;

namespace zantiva {

// Whether the washer's set-up card is asked for: the dashboard opens it, the card closes it.
class WasherSetupPrompt {
public:
    virtual bool isWasherSetupVisible() const = 0;
    virtual void setWasherSetupVisible(bool visible) = 0;
    // Calls changed after each change of the visibility, for as long as context lives.
    virtual void watchWasherSetupVisible(const QObject* context, std::function<void()> changed) const = 0;

protected:
    ~WasherSetupPrompt() = default;
};

} // namespace zantiva
