#pragma once

// The program's window as the window-manager tests show it: with an empty content, on the
// desktop the test script started. Failures name places, not bytes.

#include <QRect>
#include <QWidget>
#include <ostream>
#include <xcb/xcb.h>

#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Shell/MainWindow.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
QT_END_NAMESPACE

namespace zantiva::testing {

struct ShownWindow {
    ShownWindow() {
        window.setContent(new QWidget);
        window.show();
    }

    xcb_window_t id() const { return xcb_window_t(window.winId()); }

    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    MainWindow window{notifier};
};

} // namespace zantiva::testing
