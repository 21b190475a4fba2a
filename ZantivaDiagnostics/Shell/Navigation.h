#pragma once

namespace zantiva {

class AppModel;

// The one place that chooses the screen under the header as runs begin and end: a run that
// begins shows its runner's screen (the suite, the storage test, the outside benchmarks), and
// a suite run handed over shows the results when it measured anything, else the dashboard.
void bindNavigation(AppModel& model);

} // namespace zantiva
