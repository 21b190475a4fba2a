#pragma once

// The dashboard bound to a real app model over a temporary app folder (see AppModelFixture),
// shown offscreen, with a folder chooser that answers what the test set.

#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "../App/AppModelFixture.h"
#include "Dashboard/DashboardScreen.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Shell/DashboardBinding.h"
#include "Shell/Navigation.h"

namespace zantiva::testing {

class DashboardFixture : public AppModelFixture {
protected:
    LocNotifier notifier{loc};
    std::optional<std::filesystem::path> chosenFolder; // absent: the user cancels
    int chooserCalls = 0;
    std::unique_ptr<DashboardScreen> screen;

    DashboardScreen& makeDashboard(AppModelSetup setup) {
        screen.reset();
        makeModel(std::move(setup));
        screen = std::make_unique<DashboardScreen>(notifier, new ExternalBenchmarksCard);
        applyZantivaRoot(*screen, notifier);
        bindNavigation(*model);
        bindDashboard(*screen, *model, notifier, [this] {
            ++chooserCalls;
            return chosenFolder;
        });
        screen->resize(1440, 900);
        screen->show();
        QCoreApplication::processEvents();
        return *screen;
    }

    static void click(QWidget* widget, QPoint at = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
};

} // namespace zantiva::testing
