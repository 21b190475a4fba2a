#pragma once

#include <QWidget>
#include <memory>

namespace zantiva {

class LocNotifier;

// The screen washer on sample data: its set-up card over the window, and each of its
// patterns with the controls showing.
namespace WasherSamples {

std::unique_ptr<QWidget> setup(LocNotifier& loc);
std::unique_ptr<QWidget> noise(LocNotifier& loc);
std::unique_ptr<QWidget> colorCycle(LocNotifier& loc);
std::unique_ptr<QWidget> gradient(LocNotifier& loc);
std::unique_ptr<QWidget> slides(LocNotifier& loc);

} // namespace WasherSamples
} // namespace zantiva
