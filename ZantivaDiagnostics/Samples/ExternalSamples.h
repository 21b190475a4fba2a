#pragma once

#include <QWidget>
#include <memory>

namespace zantiva {

class ExternalBenchmarksCard;
class LocNotifier;

// The outside benchmarks' card, run screen and results card on sample data, each retold when
// the language changes. Built anew on each call.
namespace ExternalSamples {

// The card unfolded: Geekbench found, Cinebench 2024 on a disk image being opened after a
// refused choice, Cinebench 2026 chosen, with scores.
std::unique_ptr<QWidget> card(LocNotifier& loc);
// The same card folded, on a dashboard made elsewhere.
void showFoldedCard(ExternalBenchmarksCard& card, LocNotifier& loc);
// Step 4 of 7, a Cinebench step without progress reports.
std::unique_ptr<QWidget> running(LocNotifier& loc);
// The rest before Cinebench 2026.
std::unique_ptr<QWidget> cooldown(LocNotifier& loc);
// A run that ended with scores, a saved upload and a failed step.
std::unique_ptr<QWidget> finished(LocNotifier& loc);
// The results screen after that run, its problems and the outside scores.
std::unique_ptr<QWidget> results(LocNotifier& loc);

} // namespace ExternalSamples
} // namespace zantiva
