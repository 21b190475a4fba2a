#pragma once

#include <QWidget>
#include <memory>

#include "Presenters/DisplayTestState.h"
#include "Presenters/SuitePresenter.h"

namespace zantiva {

class LocNotifier;

// The display check's page and the full-screen test's pages on sample data, each retold
// when the language changes.
namespace DisplaySamples {

// A full run at the display check, the benchmarks before it passed.
SuiteState run();
// The page before the test starts, or while it shows.
QWidget* page(LocNotifier& loc, bool testShowing);
// The test at that page: the refresh page has measured a steady 60 Hz, the checklist has
// two defects ticked.
std::unique_ptr<QWidget> test(LocNotifier& loc, DisplayTestState::Page at);
// The refresh page where the platform has no GL: the square on a timer, no rate measured.
std::unique_ptr<QWidget> refreshWithoutGl(LocNotifier& loc);

} // namespace DisplaySamples
} // namespace zantiva
