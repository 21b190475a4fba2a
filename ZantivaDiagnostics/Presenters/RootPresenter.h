#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/AppScreen.h"

namespace zantiva {

class Loc;

// What the window's root is shown from: the model's screen, status line and overlay flags,
// and the session the sign-in prompt speaks of.
struct RootState {
    AppScreen screen = AppScreen::dashboard;
    std::optional<LocalizedMessage> status;
    std::vector<LocalizedMessage> banners; // the standing lines, each about a file, shown before the status
    std::optional<std::string> unexpectedError;
    bool isLoginPromptVisible = false;
    bool isSigningIn = false; // a browser sign-in waits for its return link
    std::string siteDomain;   // the active site's
    bool isWasherSetupVisible = false;
};

// The notice of an exception nobody caught.
struct ErrorNoticeView {
    std::string title;
    std::string body; // holds the exception's text in full
    std::string continueLabel;

    bool operator==(const ErrorNoticeView&) const = default;
};

// The sign-in prompt.
struct LoginPromptView {
    std::string title;
    std::string body;
    std::string siteLabel;
    std::string domain;
    std::string signInLabel; // says so while the browser sign-in is under way
    std::string forgotLabel;
    std::string continueWithoutLabel;

    bool operator==(const LoginPromptView&) const = default;
};

// The screen washer's set-up card; its content has a presenter of its own.
struct WasherSetupOverlay {
    bool operator==(const WasherSetupOverlay&) const = default;
};

// The header stays; under it the status line when there is one, then the screen, and over
// all of it at most one overlay.
struct RootContentView {
    AppScreen screen = AppScreen::dashboard;
    std::optional<std::string> status; // the banners and the status, one line each
    std::variant<std::monostate, ErrorNoticeView, LoginPromptView, WasherSetupOverlay> overlay;

    bool operator==(const RootContentView&) const = default;
};

namespace RootPresenter {

// Each argument of the status message (a site's own words among them) is cut after this
// many characters, so a chatty server cannot fill the window with its line.
inline constexpr std::size_t statusArgumentLimit = 500;

// The error notice before the sign-in prompt, the prompt before the washer's set-up; each
// waits behind the ones before it while its flag holds.
RootContentView present(const RootState& state, const Loc& loc);

// On Linux the click that brings the window back (from the browser, with the sign-in under
// way) also reaches it. Within this time after the window became active, a click on the
// prompt's backdrop is taken for that click and does not close the prompt.
inline constexpr std::chrono::milliseconds activationGrace{500};

using Clock = std::chrono::steady_clock;
bool backdropClickCloses(std::optional<Clock::time_point> activatedAt, Clock::time_point clickedAt);

} // namespace RootPresenter
} // namespace zantiva
