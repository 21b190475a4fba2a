#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/ProcessActivity.h"

namespace zantiva::testing {

// A ProcessActivity that records what a run asked to keep awake, and when it let go.
// Begun from the engine's thread; read by the test once the run has returned.
class RecordingActivity final : public ProcessActivity {
public:
    std::unique_ptr<ActivityHold> begin(std::string_view reason, ActivityOptions options) override {
        reasons.emplace_back(reason);
        lastOptions = options;
        return std::make_unique<Hold>(*this);
    }

    std::atomic<int> held{0};  // begun and not yet ended
    std::atomic<int> ended{0};
    std::vector<std::string> reasons;
    ActivityOptions lastOptions;

private:
    struct Hold final : ActivityHold {
        explicit Hold(RecordingActivity& owner) : owner(owner) { ++owner.held; }
        ~Hold() override {
            --owner.held;
            ++owner.ended;
        }
        RecordingActivity& owner;
    };
};

} // namespace zantiva::testing
