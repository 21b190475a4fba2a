#pragma once

#include <functional>
#include <optional>

#include "Model/SystemSpecs.h"

class QObject;

namespace zantiva {

// The machine's specs as read so far, for a page that shows part of them: it may be built
// before the read ends, so it hears of each change.
class SpecsFeed {
public:
    virtual const std::optional<SystemSpecs>& specs() const = 0;
    // Calls changed after each change of the specs, for as long as context lives.
    virtual void watchSpecs(const QObject* context, std::function<void()> changed) const = 0;

protected:
    ~SpecsFeed() = default;
};

} // namespace zantiva
