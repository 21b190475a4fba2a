#pragma once

#include <QWidget>
#include <memory>

namespace zantiva {

class DashboardScreen;
class ExternalBenchmarksCard;
class LocNotifier;

// The dashboard of a Linux laptop: its specs, live telemetry, an update offer with its notes
// unfolded, an unfinished run and a grade.
std::unique_ptr<QWidget> dashboardSample(LocNotifier& loc);
// The same, scrolled down to its tests as a user does in a window at its least size.
std::unique_ptr<QWidget> dashboardTestsSample(LocNotifier& loc);
// The same sample on a dashboard and its outside-benchmarks card made elsewhere (the window's own).
void showDashboardSample(DashboardScreen& screen, ExternalBenchmarksCard& externalCard, LocNotifier& loc);
// The header bar signed out, and below it signed in.
std::unique_ptr<QWidget> headerSample(LocNotifier& loc);

} // namespace zantiva
