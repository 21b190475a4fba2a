#include "Platform/DeferredActivity.h"

namespace zantiva {

DeferredActivity::DeferredActivity(Maker make) : make_(std::move(make)) {}

std::unique_ptr<ActivityHold> DeferredActivity::begin(std::string_view reason, ActivityOptions options) {
    std::call_once(once_, [this] { made_ = make_(); });
    return made_->begin(reason, options);
}

} // namespace zantiva
