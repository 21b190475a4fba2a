// The program's window with the washer or the display test full-screen over it, started as
// the window starts them, and the program's own handling of quit signals. It says "ready"
// once the full-screen window shows and, when its event loop has ended and everything is
// torn down, how many keep-awake holds are still taken. Run by quit-signals.sh.
// Usage: quit_probe washer|display-test

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <memory>
#include <string>

#include "../Support/RecordingActivity.h"
#include "App/QuitSignals.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Shell/MainWindow.h"
#include "Stations/DisplayTestController.h"
#include "WasherWindow/ScreenWasherController.h"

using namespace zantiva;

namespace {

bool fullScreenShows() {
    for (const QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isExposed() && window->visibility() == QWindow::FullScreen) return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string what = argc == 2 ? argv[1] : "";
    if (what != "washer" && what != "display-test") {
        std::cerr << "usage: quit_probe washer|display-test\n";
        return 2;
    }
    QuitSignals quitSignals;
    quitOnSignals(quitSignals);

    const auto holds = std::make_shared<testing::RecordingActivity>();
    int status = 0;
    {
        Loc loc(AppLanguage::english);
        LocNotifier notifier(loc);
        MainWindow window(notifier);
        ScreenWasherController washer(holds, notifier);
        DisplayTestController displayTest(notifier);
        window.show();
        if (what == "washer")
            washer.start({.duration = ScreenWasherDuration::manual}, QGuiApplication::primaryScreen());
        else
            displayTest.present(QGuiApplication::primaryScreen(), [](std::optional<DisplayTestResult>) {});

        QTimer ready;
        QObject::connect(&ready, &QTimer::timeout, [&ready] {
            if (!fullScreenShows()) return;
            ready.stop();
            std::cout << "ready" << std::endl;
        });
        ready.start(20);
        status = application.exec();
    }
    std::cout << "holds taken: " << holds->held << std::endl;
    return status;
}
