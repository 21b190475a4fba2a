// The results screen inside a window root, switched from one language to the other while it
// shows, with few and with many drives on its health card.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QVBoxLayout>

#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Results/DriveHealthCard.h"
#include "Results/ResultScreen.h"

namespace zantiva::testing {
namespace {

// Counts the times a widget is given a new size.
class ResizeCount : public QObject {
public:
    explicit ResizeCount(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) ++count;
        return false;
    }
};

ResultScreenState withDrives(int count) {
    ResultScreenState state;
    std::vector<DriveHealthInfo> drives;
    for (int i = 0; i < count; ++i) {
        DriveHealthInfo drive("sd" + std::to_string(i));
        drive.model = "Samsung SSD 870 EVO 1TB";
        drive.status = DriveHealthStatus::caution;
        drive.issues = {DriveHealthIssue::overheated};
        drives.push_back(drive);
    }
    state.report.driveHealth = DriveHealthReport{.drives = drives, .checkedAt = {}};
    return state;
}

// How often the drive card was laid out anew while the shown screen switched to the language.
int relayoutsOnSwitch(int drives, AppLanguage from, AppLanguage to) {
    Loc loc(from);
    LocNotifier notifier(loc);
    QWidget window;
    applyZantivaRoot(window, notifier);
    auto* screen = new ResultScreen;
    (new QVBoxLayout(&window))->addWidget(screen);
    const ResultScreenState state = withDrives(drives);
    notifier.bind(screen, [&] { screen->show(ResultPresenter::present(state, loc)); });
    window.resize(1200, 900);
    window.show();
    QCoreApplication::processEvents();

    const ResizeCount resizes(*screen->driveHealthCard());
    loc.setLanguage(to);
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->driveHealthCard()->layoutDirection(), to == AppLanguage::persian ? Qt::RightToLeft : Qt::LeftToRight);
    return resizes.count;
}

TEST(ResultScreenLanguage, TheDriveCardIsLaidOutOncePerSwitchHoweverManyDrivesItHolds) {
    for (const auto& [from, to] : {std::pair{AppLanguage::english, AppLanguage::persian},
                                   std::pair{AppLanguage::persian, AppLanguage::english}}) {
        const int few = relayoutsOnSwitch(5, from, to);
        EXPECT_LE(few, 3);
        EXPECT_EQ(relayoutsOnSwitch(60, from, to), few) << "to " << rawValue(to);
    }
}

} // namespace
} // namespace zantiva::testing
