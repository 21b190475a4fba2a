#pragma once

#include <QWidget>
#include <memory>

#include "Presenters/RootPresenter.h"
#include "Shell/RootView.h"

namespace zantiva {

class LocNotifier;

// The whole main window on sample data: the header, the status line and the notices over the
// sample dashboard, each retold when the language changes. Built anew on each call.
namespace WindowSamples {

// The window as the state has it, over the sample dashboard; its other screens are empty.
std::unique_ptr<RootView> window(LocNotifier& loc, RootState state, bool signedIn);

std::unique_ptr<QWidget> dashboard(LocNotifier& loc);
// The results of a full run, signed in, with a sign-in that came back for the other site.
std::unique_ptr<QWidget> results(LocNotifier& loc);
// The results of a run that the full disk kept from being saved, and the line that says so.
std::unique_ptr<QWidget> resultsNotSaved(LocNotifier& loc);
// The sign-in prompt waiting for the browser.
std::unique_ptr<QWidget> signIn(LocNotifier& loc);
// The notice of an exception whose text runs longer than the window.
std::unique_ptr<QWidget> error(LocNotifier& loc);

} // namespace WindowSamples
} // namespace zantiva
