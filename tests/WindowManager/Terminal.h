#pragma once

// A terminal the user works in beside the program's window: an xterm whose lines go into a file
// of the test's own (it runs `tee`), so a test sees where the user's typing went.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <xcb/xcb.h>

#include "Desktop.h"

namespace zantiva::testing {

class Terminal {
public:
    // Started with these xterm options (its place, full screen) and waited for until the manager
    // shows it; `id()` is none where it never did.
    Terminal(Desktop& desktop, const QStringList& options);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    xcb_window_t id() const { return id_; }
    // The lines typed into it so far.
    QString typed() const;

private:
    QTemporaryDir folder_;
    QProcess process_;
    xcb_window_t id_ = XCB_WINDOW_NONE;
};

} // namespace zantiva::testing
