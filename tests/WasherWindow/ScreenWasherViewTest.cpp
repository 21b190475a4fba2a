#include <QTest>
#include <gtest/gtest.h>

#include "Cards/RetroBadge.h"
#include "Controls/RetroButton.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Typography/DirectedText.h"
#include "Typography/ProseLabel.h"
#include "WasherWindow/ScreenWasherViewBinding.h"
#include "WasherWindow/WasherControls.h"
#include "WasherWindow/WasherPatternSurface.h"

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

// In Persian the four pattern buttons read alike, each number on the right: a button lays its
// label out right to left only when the label holds a right-to-left character, which «2 · RGBW»
// has none of among its letters.
TEST(ScreenWasherView, InPersianEveryPatternButtonHasItsNumberOnTheSameSide) {
    Loc persian(AppLanguage::persian);
    LocNotifier loc(persian);
    ScreenWasherRunState state({.duration = ScreenWasherDuration::manual}, [] {});
    ScreenWasherView view;
    bindScreenWasherView(view, state, loc);
    for (const ScreenWasherPattern pattern : allCases<ScreenWasherPattern>()) {
        const QString label = view.controls()->patternButton(pattern)->text();
        EXPECT_TRUE(holdsRightToLeftLetter(label)) << label.toStdString();
    }
}

// The arrows that step through the slides stay "← →" in a right-to-left sentence: the pair is
// isolated left to right wherever a Persian text names it.
TEST(ScreenWasherView, TheSlideArrowsKeepTheirOrderInPersian) {
    const Loc persian(AppLanguage::persian);
    for (const char* key : {"Washer.ChangeSlide", "Washer.Controls"}) {
        const std::string text = persian[key];
        EXPECT_NE(text.find("\u2066\u2190 \u2192\u2069"), std::string::npos) << key << ": " << text;
    }
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

TEST(ScreenWasherView, OnAScreenLargerThanTheFieldEachNoisePixelIsAHardEdgedBlock) {
    WasherPatternSurface surface;
    surface.resize(3840, 2160);   // twice the field each way
    surface.show(ScreenWasherEngine{});
    const QImage frame = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto& field = surface.noise();
    ASSERT_EQ(field.width(), 1920);
    for (int y = 0; y < 2160; y += 2)
        for (int x = 0; x < 3840; x += 2) {
            const QRgb block = frame.pixel(x, y);
            ASSERT_EQ(block, field.pixels()[static_cast<std::size_t>(y / 2) * 1920 + x / 2]) << x << "," << y;
            ASSERT_TRUE(frame.pixel(x + 1, y) == block && frame.pixel(x, y + 1) == block && frame.pixel(x + 1, y + 1) == block)
                << x << "," << y;
        }
}

} // namespace
} // namespace zantiva
