#include "Samples/AudioSamples.h"

#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Stations/AudioStation.h"

namespace zantiva::AudioSamples {

namespace {

AudioStation* page(const AudioStationState& state, LocNotifier& loc) {
    auto* page = new AudioStation;
    loc.bind(page, [page, state, &loc] { page->show(AudioStationPresenter::present(state, loc.loc())); });
    return page;
}

} // namespace

SuiteState run() {
    SuiteState state{.plan = TestPlans::audioMic, .current = TestModule::audio, .isRunning = true};
    state.statuses[TestModule::audio] = ModuleStatus::running;
    return state;
}

AudioStation* confirming(LocNotifier& loc) { return page({.heardLeft = true}, loc); }

AudioStation* playing(LocNotifier& loc) {
    return page({.heardLeft = true,
                 .heardRight = true,
                 .selected = AudioChannel::left,
                 .track = {.isLoaded = true, .position = 13.4, .duration = 40, .volume = 0.74f}},
                loc);
}

AudioStation* failed(LocNotifier& loc) {
    return page({.toneFailed = true, .trackUnavailable = true, .track = {.volume = 0.5f, .isMuted = true}}, loc);
}

} // namespace zantiva::AudioSamples
