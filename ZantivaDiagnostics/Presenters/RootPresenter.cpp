#include "Presenters/RootPresenter.h"

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"
#include "Localization/UnicodeText.h"

namespace zantiva::RootPresenter {
namespace {

std::string capped(const std::string& text, std::size_t limit) {
    const auto characters = unicode::characters(text);
    if (characters.size() <= limit) return text;
    std::string cut;
    for (std::size_t i = 0; i < limit; ++i) cut += characters[i];
    return cut + "\u2026";
}

std::string statusText(const LocalizedMessage& message, const Loc& loc) {
    std::vector<FormatArg> arguments;
    for (const std::string& argument : message.arguments())
        arguments.emplace_back(capped(argument, statusArgumentLimit));
    return CompositeFormat::format(Loc::string(message.key(), loc.language()), arguments);
}

} // namespace

RootContentView present(const RootState& state, const Loc& loc) {
    RootContentView view{.screen = state.screen};
    std::vector<LocalizedMessage> lines = state.banners;
    if (state.status) lines.push_back(*state.status);
    for (const LocalizedMessage& line : lines)
        view.status = (view.status ? *view.status + "\n" : std::string()) + statusText(line, loc);
    if (state.unexpectedError)
        view.overlay = ErrorNoticeView{.title = loc["App.UnexpectedError.Title"],
                                       .body = loc.f("App.UnexpectedError.Body", *state.unexpectedError),
                                       .continueLabel = loc["Common.Continue"]};
    else if (state.isLoginPromptVisible)
        view.overlay = LoginPromptView{.title = loc["Login.Title"],
                                       .body = loc["Login.Body"],
                                       .siteLabel = loc["Login.Site"],
                                       .domain = state.siteDomain,
                                       .signInLabel = loc[state.isSigningIn ? "Login.Waiting" : "Login.Button"],
                                       .forgotLabel = loc["Login.Forgot"],
                                       .continueWithoutLabel = loc["Login.ContinueWithout"]};
    else if (state.isWasherSetupVisible)
        view.overlay = WasherSetupOverlay{};
    return view;
}

bool backdropClickCloses(std::optional<Clock::time_point> activatedAt, Clock::time_point clickedAt) {
    return !activatedAt || clickedAt - *activatedAt >= activationGrace;
}

} // namespace zantiva::RootPresenter
