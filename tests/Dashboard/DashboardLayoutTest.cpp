// The dashboard at the narrowest and a very wide window, in both languages: every part
// inside its parent, no two overlapping, no text cut short.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "../Support/SampleSpecs.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Dashboard/DashboardScreen.h"
#include "Dashboard/DeviceHeading.h"
#include "Dashboard/GradeDot.h"
#include "Dashboard/FittedHardwareText.h"
#include "Panels/TelemetryPanel.h"
#include "Dashboard/TestLauncher.h"
#include "Dashboard/UpdateNoticeCard.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Model/TestPlans.h"

using namespace zantiva;

namespace {

DashboardState everything(const SystemSpecs& specs) {
    BenchmarkSession unfinished = BenchmarkSession::start(specs, TestPlans::full);
    unfinished.completedSteps = {TestModule::cpuBenchmark};
    return {
        .update = UpdateNoticeState{.offeredVersion = "1.1.0",
                                    .runningVersion = "1.0.0",
                                    .released = Date{},
                                    .fileSizeBytes = 48'234'496,
                                    // The site's text may hold a run with nowhere to wrap.
                                    .notes = {"Faster memory test", std::string(400, 'x')}},
        .resumable = unfinished,
        .device = {.specs = specs, .hasResults = true, .grade = DeviceGrade::c},
        .launcher = {.hasSpecs = true},
        .runningVersion = "1.0.0",
    };
}

std::string describe(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    return std::string(widget->metaObject()->className()) + " \"" + text.left(30).toStdString() + "\"";
}

// What is wrong with the shown widgets under root: a part outside its parent, two siblings
// overlapping, a text or button given less room than it needs.
std::vector<std::string> faults(QWidget& root, const QWidget& scrolled) {
    std::vector<std::string> found;
    QList<QWidget*> parents = root.findChildren<QWidget*>();
    parents << &root;
    for (QWidget* parent : parents) {
        if (!parent->isVisible()) continue;
        std::vector<QWidget*> shown;
        for (QObject* child : parent->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible() && !w->isWindow()) shown.push_back(w);
        for (QWidget* child : shown) {
            // The scrolled page is taller than its viewport by design; its width is not.
            const bool inside = child == &scrolled ? child->width() <= parent->width()
                                                   : parent->rect().contains(child->geometry());
            if (!inside) found.push_back(describe(child) + " outside " + describe(parent));
            if (auto* label = qobject_cast<QLabel*>(child); label && !qobject_cast<FittedHardwareText*>(child)) {
                const bool ignoresWidth = label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored;
                if (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                      : !ignoresWidth && label->width() < label->sizeHint().width())
                    found.push_back(describe(label) + " cut short");
            }
            if (auto* box = qobject_cast<RetroCheckBox*>(child); box && box->height() < box->heightForWidth(box->width()))
                found.push_back(describe(box) + " cut short");
            if (auto* button = qobject_cast<RetroButton*>(child);
                button && (button->height() < button->heightForWidth(button->width()) ||
                           button->width() < button->minimumSizeHint().width()))
                found.push_back(describe(button) + " cut short");
        }
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    found.push_back(describe(shown[i]) + " overlaps " + describe(shown[j]));
    }
    return found;
}

struct Window {
    int width;
    AppLanguage language;
};

void PrintTo(const Window& window, std::ostream* out) { *out << window.width << " " << rawValue(window.language); }

class DashboardLayoutTest : public ::testing::TestWithParam<Window> {
protected:
    void SetUp() override {
        applyZantivaRoot(screen_, notifier_);
        screen_.show(DashboardPresenter::present(everything(zantiva::testing::sampleLaptopSpecs()), loc_));
        screen_.showSpecs(zantiva::testing::sampleLaptopSpecs());
        screen_.updateCard()->notesButton()->click();
        screen_.resize(GetParam().width, 900);
        screen_.show();
        QCoreApplication::processEvents();
    }

    Loc loc_{GetParam().language};
    LocNotifier notifier_{loc_};
    DashboardScreen screen_{notifier_, new ExternalBenchmarksCard};
};

TEST_P(DashboardLayoutTest, NothingOverlapsOrIsCutOff) {
    for (const auto& fault : faults(screen_, *screen_.scrollArea()->widget())) ADD_FAILURE() << fault;
    EXPECT_FALSE(screen_.scrollArea()->horizontalScrollBar()->isVisible());
}

TEST_P(DashboardLayoutTest, ColumnIsABandBesideTheFixedSidebar) {
    const QRect column(screen_.column()->mapTo(&screen_, QPoint()), screen_.column()->size());
    const QRect sidebar(screen_.telemetryPanel()->mapTo(&screen_, QPoint()), screen_.telemetryPanel()->size());
    EXPECT_EQ(sidebar.width(), DashboardScreen::sidebarWidth);
    EXPECT_LE(column.width(), DashboardScreen::columnWidth);
    if (GetParam().language == AppLanguage::persian)
        EXPECT_LT(sidebar.right(), column.left()) << "the sidebar stands on the trailing side";
    else
        EXPECT_LT(column.right(), sidebar.left());
    // Centred in the room the viewport gives it.
    const QWidget* viewport = screen_.scrollArea()->viewport();
    const int room = viewport->width() - column.width() - 2 * DashboardScreen::padding;
    const int before = screen_.column()->x() - DashboardScreen::padding;
    EXPECT_NEAR(before, room / 2, 1);
}

INSTANTIATE_TEST_SUITE_P(Widths, DashboardLayoutTest,
                         ::testing::Values(Window{1100, AppLanguage::english}, Window{1100, AppLanguage::persian},
                                           Window{1280, AppLanguage::english}, Window{1280, AppLanguage::persian},
                                         Window{2560, AppLanguage::english}, Window{2560, AppLanguage::persian}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) +
                                    (info.param.language == AppLanguage::persian ? "Persian" : "English");
                         });

TEST(DeviceHeading, LongNameShrinksToItsFloorThenIsCutBesideTheDot) {
    DeviceHeading heading;
    heading.resize(500, 80);
    heading.show();
    heading.show(DeviceHeadingView{.name = "ThinkPad T14", .gradeDot = GradeDotView{.letter = "A"}});
    QCoreApplication::processEvents();
    EXPECT_EQ(heading.name()->shownPixelSize(), 30);
    EXPECT_EQ(heading.name()->text(), "ThinkPad T14");

    heading.show(DeviceHeadingView{.name = std::string(60, 'W'), .gradeDot = GradeDotView{.letter = "A"}});
    QCoreApplication::processEvents();
    EXPECT_EQ(heading.name()->shownPixelSize(), 18);
    EXPECT_TRUE(heading.name()->text().endsWith(QChar(0x2026)));
    EXPECT_LE(heading.name()->geometry().right(), heading.gradeDot()->geometry().left());
}

TEST(TestLauncher, AnAmpersandInALabelIsNoShortcut) {
    Loc loc(AppLanguage::english);
    TestLauncher launcher;
    launcher.show(LauncherPresenter::present({.hasSpecs = true}, loc));
    const RetroButton* audio = launcher.testButtons().at(5);
    EXPECT_EQ(audio->text(), "Speakers & Mic");
    EXPECT_TRUE(audio->shortcut().isEmpty());
    EXPECT_EQ(launcher.fullRunButton()->text(), "\u25B6 Run Full Diagnostic & Benchmark");
    EXPECT_TRUE(launcher.fullRunButton()->shortcut().isEmpty());
}

} // namespace
