#include "Platform/ProcessActivity.h"

namespace zantiva {

std::unique_ptr<ActivityHold> NoProcessActivity::begin(std::string_view, ActivityOptions) {
    return std::make_unique<ActivityHold>();
}

std::shared_ptr<ProcessActivity> noProcessActivity() {
    static const auto instance = std::make_shared<NoProcessActivity>();
    return instance;
}

} // namespace zantiva
