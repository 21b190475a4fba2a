#include "Presenters/DisplayTestPresenter.h"

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"
#include "Presenters/StationNumbers.h"

namespace zantiva::DisplayTestPresenter {

DisplayTestView present(const DisplayTestState& state, double screenHz, bool canMeasure, const Loc& loc) {
    using Page = DisplayTestState::Page;
    DisplayTestView view{.step = state.step(), .exitTooltip = loc["Display.Exit"]};
    switch (state.step().page) {
    case Page::intro:
        view.title = loc["Display.Intro.Title"];
        view.body = loc["Display.Intro.Body"];
        view.hint = loc["Display.Intro.Advance"];
        view.exitHint = loc["Display.Intro.Exit"];
        view.begin = loc["Display.Intro.Begin"];
        break;
    case Page::color: {
        const auto& color = DisplayTestState::sweep.at(static_cast<std::size_t>(state.step().color));
        view.fill = color.rgb;
        view.caption = loc[color.key];
        view.captionOnLight = color.rgb == 0xFFFFFF;
        break;
    }
    case Page::deadPixel: view.caption = loc["Display.Label.DeadPixel"]; break;
    case Page::refresh: {
        view.title = loc["Display.Refresh.Title"];
        view.body = loc[canMeasure ? "Display.Refresh.Body" : "Display.Refresh.NotMeasured"];
        const auto rate = DisplayTestState::trustedRate(state.measuredHz(), screenHz);
        view.rate = rate ? CompositeFormat::format("{0:0} Hz", {*rate}) : StationNumbers::missing;
        view.hint = loc["Display.Refresh.Done"];
        break;
    }
    case Page::checklist:
        view.title = loc["Display.Checklist.Title"];
        for (const auto& entry : DisplayTestState::checklist)
            view.checklist.push_back({entry.issue, loc[entry.label], state.ticked().contains(entry.issue)});
        view.finish = loc["Display.Checklist.Finish"];
        break;
    }
    return view;
}

} // namespace zantiva::DisplayTestPresenter
