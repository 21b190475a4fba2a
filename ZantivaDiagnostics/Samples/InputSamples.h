#pragma once

#include <QWidget>

#include "Presenters/SuitePresenter.h"

namespace zantiva {

class LocNotifier;

// The keyboard-and-touchpad page on sample data, at each of its steps.
namespace InputSamples {

// A full run at the keyboard check, every module before it done.
SuiteState run();

// The sentence half typed.
QWidget* typing(LocNotifier& loc);
// The key sweep part-way: most letters once, a few keys twice, the last one a modifier.
QWidget* keys(LocNotifier& loc);
// The touchpad step after a sweep that missed keys and counted some twice, two of three seen.
QWidget* touchpad(LocNotifier& loc);

} // namespace InputSamples
} // namespace zantiva
