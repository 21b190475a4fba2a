#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "Platform/ProcessActivity.h"

namespace zantiva {

// Stands in for an activity source that costs something to make (the desktop's bus
// connections): it is made at the first begin(), by whichever thread asks first, so a run
// that never keeps the machine awake (a mode that fails at once, a window left idle) never
// makes it.
class DeferredActivity final : public ProcessActivity {
public:
    using Maker = std::function<std::shared_ptr<ProcessActivity>()>;
    explicit DeferredActivity(Maker make);

    std::unique_ptr<ActivityHold> begin(std::string_view reason, ActivityOptions options) override;

private:
    Maker make_;
    std::once_flag once_;
    std::shared_ptr<ProcessActivity> made_;
};

} // namespace zantiva
