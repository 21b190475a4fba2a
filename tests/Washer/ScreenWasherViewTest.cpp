#include <QTest>
#include <gtest/gtest.h>

#include "Cards/RetroBadge.h"
#include "Controls/RetroButton.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Typography/ProseLabel.h"
#include "Washer/ScreenWasherView.h"
#include "Washer/WasherControls.h"
#include "Washer/WasherPatternSurface.h"

namespace zantiva {
namespace {

TEST(ScreenWasherView, TheControlsDriveTheRunAndFollowIt) {
    Loc english(AppLanguage::english);
    LocNotifier loc(english);
    int stops = 0;
    ScreenWasherRunState state({.duration = ScreenWasherDuration::manual}, [&] { ++stops; });
    ScreenWasherView view;
    view.resize(1280, 800);
    bindScreenWasherView(view, state, loc);
    view.show();

    WasherControls& controls = *view.controls();
    EXPECT_FALSE(controls.flashingBadge()->isHidden());
    EXPECT_TRUE(controls.slideBadge()->isHidden());
    EXPECT_EQ(controls.patternButton(ScreenWasherPattern::noise)->kind(), RetroButtonKind::secondary);

    controls.patternButton(ScreenWasherPattern::gradientSweep)->click();
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::gradientSweep);
    EXPECT_TRUE(controls.flashingBadge()->isHidden());
    EXPECT_EQ(controls.patternButton(ScreenWasherPattern::gradientSweep)->kind(), RetroButtonKind::secondary);
    EXPECT_EQ(controls.patternButton(ScreenWasherPattern::noise)->kind(), RetroButtonKind::outline);

    // The frame clock moves the run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return state.engine().elapsedSeconds() > 0; }, 2000));
    EXPECT_TRUE(controls.timeText()->prose().endsWith(" elapsed"));

    controls.patternButton(ScreenWasherPattern::uniformitySlides)->click();
    EXPECT_FALSE(controls.slideBadge()->isHidden());

    controls.stopButton()->click();
    EXPECT_EQ(stops, 1);
}

TEST(ScreenWasherView, TheNoiseFillsAFieldOfTheSurfacesDevicePixels) {
    WasherPatternSurface surface;
    surface.resize(320, 200);
    surface.show(ScreenWasherEngine{});
    const QImage frame = surface.grab().toImage();
    EXPECT_EQ(surface.noise().width(), static_cast<int>(320 * surface.devicePixelRatioF()));
    int grey = 0;
    for (int x = 0; x < 50; ++x) {
        const QColor pixel = frame.pixelColor(x, 10);
        grey += pixel.red() == pixel.green() && pixel.green() == pixel.blue();
    }
    EXPECT_EQ(grey, 50) << "the run starts on grey noise";
}

} // namespace
} // namespace zantiva
