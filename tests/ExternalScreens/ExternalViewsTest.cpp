// The outside benchmarks' card and run screen: offscreen on hand-built views, then bound to
// a real app model whose runner runs our tool scripts.

#include <gtest/gtest.h>

#include <QCoro/QCoroTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "../App/AppModelFixture.h"
#include "../UI/UiTestSupport.h"
#include "Controls/RetroButton.h"
#include "ExternalScreens/ConsoleView.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "ExternalScreens/ExternalCardBinding.h"
#include "ExternalScreens/ExternalRunBinding.h"
#include "ExternalScreens/ExternalRunScreen.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "External/ProcessLauncher.h"
#include "LocalizedViews/LocNotifier.h"
#include "Shell/Navigation.h"
#include "Typography/ProseLabel.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;
using Kind = ExternalTestKind;

const fs::path tools = fs::path(ZANTIVA_FIXTURES) / "outside-tools";

// Whether a shown label under the widget reads the text.
bool shows(const QWidget& widget, const std::string& text) {
    for (const auto* label : widget.findChildren<ProseLabel*>())
        if (label->isVisibleTo(&widget) && label->prose() == QString::fromStdString(text)) return true;
    return false;
}

ExternalCardView cardView(bool expanded) {
    const ExternalCardState state{
        .isExpanded = expanded, .canStart = true, .isRunning = false,
        .apps = {{.app = App::geekbench, .name = "Geekbench", .path = "/opt/g", .isAvailable = true},
                 {.app = App::cinebench2024, .name = "Cinebench 2024"}}};
    return ExternalCardPresenter::present(state, Loc(AppLanguage::english));
}

ExternalRunView runView(bool running) {
    ExternalRunState state{.isRunning = running, .stepCount = 2, .cooldown = ExternalRunState::Rest{"Cinebench 2026", 12}};
    state.console = {{1, "first"}, {2, "second"}};
    return ExternalRunPresenter::present(state, Loc(AppLanguage::english));
}

} // namespace

TEST(ExternalBenchmarksCard, ButtonsAskForWhatTheyShow) {
    ExternalBenchmarksCard card;
    std::vector<bool> expand;
    std::vector<ExternalBenchmarkStep> steps;
    std::vector<App> all, chosen;
    QObject::connect(&card, &ExternalBenchmarksCard::expandRequested, [&](bool e) { expand.push_back(e); });
    QObject::connect(&card, &ExternalBenchmarksCard::stepRequested, [&](ExternalBenchmarkStep s) { steps.push_back(s); });
    QObject::connect(&card, &ExternalBenchmarksCard::runAllRequested, [&](App a) { all.push_back(a); });
    QObject::connect(&card, &ExternalBenchmarksCard::chooseRequested, [&](App a) { chosen.push_back(a); });

    card.show(cardView(false));
    EXPECT_FALSE(card.section(App::geekbench)) << "folded: the header alone";
    card.toggleButton()->click();
    card.show(cardView(true));
    card.toggleButton()->click();
    EXPECT_EQ(expand, (std::vector{true, false}));

    const auto geekbench = *card.section(App::geekbench);
    ASSERT_EQ(geekbench.runs.size(), 4u);
    geekbench.runs[2]->click();
    geekbench.runs[3]->click();
    geekbench.choose->click();
    EXPECT_EQ(steps, (std::vector{ExternalBenchmarkStep{App::geekbench, Kind::gpu}}));
    EXPECT_EQ(all, std::vector{App::geekbench});
    EXPECT_EQ(chosen, std::vector{App::geekbench});
    // Without an installation its tests can't start.
    EXPECT_FALSE(card.section(App::cinebench2024)->runs[0]->isEnabled());
    EXPECT_TRUE(card.openCsvButton()->isEnabled());
}

TEST(ExternalRunScreen, SectionsButtonsAndTheFoldedConsole) {
    ExternalRunScreen screen;
    int skips = 0, stops = 0, backs = 0, csvs = 0;
    QObject::connect(&screen, &ExternalRunScreen::skipCooldownRequested, [&] { ++skips; });
    QObject::connect(&screen, &ExternalRunScreen::stopRequested, [&] { ++stops; });
    QObject::connect(&screen, &ExternalRunScreen::backRequested, [&] { ++backs; });
    QObject::connect(&screen, &ExternalRunScreen::openCsvRequested, [&] { ++csvs; });
    screen.resize(1000, 900);
    screen.show(runView(true));
    screen.QWidget::show();
    EXPECT_TRUE(screen.runningSection()->isVisible());
    EXPECT_FALSE(screen.finishedSection()->isVisible());
    EXPECT_TRUE(shows(screen, "Cooling down before Cinebench 2026"));
    ASSERT_TRUE(screen.skipButton()->isVisible());
    screen.skipButton()->click();
    screen.stopButton()->click();

    screen.consoleToggle()->click();
    EXPECT_FALSE(screen.console()->isVisible());
    EXPECT_EQ(screen.consoleToggle()->text(), "Show");
    screen.show(runView(false));
    EXPECT_FALSE(screen.console()->isVisible()) << "the choice holds while the screen is up";
    EXPECT_TRUE(screen.finishedSection()->isVisible());
    screen.backButton()->click();
    screen.openCsvButton()->click();
    EXPECT_EQ(std::tuple(skips, stops, backs, csvs), std::tuple(1, 1, 1, 1));
    screen.hide();
    EXPECT_TRUE(screen.isConsoleShown()) << "it unfolds again the next time";
}

// The time a step has taken is a sentence of the language: its words in the interface's face,
// only the clock in machine lettering.
TEST(ExternalRunScreen, OnlyTheClockOfTheElapsedLineIsMachineText) {
    ExternalRunScreen screen;
    screen.setLayoutDirection(Qt::RightToLeft);
    const auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours{1};
    ExternalRunState state{.isRunning = true, .stepCount = 1, .stepStartedAt = now - std::chrono::seconds{125}, .now = now};
    screen.show(ExternalRunPresenter::present(state, Loc(AppLanguage::persian)));
    const auto labels = screen.findChildren<QLabel*>();
    const auto elapsed = std::find_if(labels.begin(), labels.end(), [](const QLabel* l) { return l->text().contains("2:05"); });
    ASSERT_NE(elapsed, labels.end());
    QTextDocument drawn;
    drawn.setHtml((*elapsed)->text());
    const QString machine = hardwareFont(12, QFont::Bold).family();
    int pieces = 0;
    for (QTextBlock::iterator it = drawn.begin().begin(); !it.atEnd(); ++it, ++pieces) {
        const QTextFragment piece = it.fragment();
        const bool isClock = piece.text().contains("2:05");
        EXPECT_EQ(piece.charFormat().fontFamilies().toStringList().contains(machine), isClock) << piece.text().toStdString();
        if (isClock) {
            EXPECT_FALSE(holdsRightToLeftLetter(piece.text()));
        }
    }
    EXPECT_GE(pieces, 2) << "the words and the clock";
}

TEST(ConsoleView, AppendsNewLinesAndStartsAfreshWhenTheyAreOthers) {
    ConsoleView console;
    console.show({}, "No output yet.");
    EXPECT_EQ(console.text()->toPlainText(), "No output yet.");
    console.show({{1, "a"}, {2, "b"}}, "No output yet.");
    console.show({{1, "a"}, {2, "b"}, {3, "c"}}, "No output yet.");
    EXPECT_EQ(console.text()->toPlainText(), "a\nb\nc");
    console.show({{2, "b"}, {3, "c"}, {4, "d"}}, "No output yet."); // the oldest dropped at the limit
    EXPECT_EQ(console.text()->toPlainText(), "b\nc\nd");
    console.show({{9, "new run"}}, "No output yet.");
    EXPECT_EQ(console.text()->toPlainText(), "new run");
}

// What the console draws on its card: the tools' lines in the text colour at 0.9, the empty
// text at 0.5. Full blocks give pixels the glyphs cover wholly; Qt blends text through a gamma
// curve, so a translucent colour comes out a little lighter than a plain blend.
TEST(ConsoleView, DrawsItsTextLightOnTheCard) {
    const QColor card = color(PaletteColor::card);
    const auto over = [&](double opacity) {
        const QColor text = color(PaletteColor::text);
        return QColor::fromRgbF(text.redF() * opacity + card.redF() * (1 - opacity),
                                text.greenF() * opacity + card.greenF() * (1 - opacity),
                                text.blueF() * opacity + card.blueF() * (1 - opacity));
    };
    const auto distance = [](QColor a, QColor b) {
        return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
    };
    const std::string blocks = "\u2588\u2588\u2588\u2588";
    const std::vector<ExternalConsoleLine> line{{1, blocks}};
    for (const auto& [lines, opacity] : {std::pair{line, 0.9}, std::pair{std::vector<ExternalConsoleLine>{}, 0.5}}) {
        ConsoleView console;
        console.resize(400, 220);
        console.show(lines, blocks);
        console.QWidget::show();
        const QImage drawn = uitest::render(console, card);
        // Inside the text's margin, clear of the rounded frame.
        const QRect inside = console.text()->viewport()->geometry().adjusted(8, 8, -8, -8);
        QColor ink = card;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (distance(drawn.pixelColor(x, y), card) > distance(ink, card)) ink = drawn.pixelColor(x, y);
        EXPECT_LE(distance(ink, over(opacity)), 16) << "opacity " << opacity << ": drawn " << ink.name().toStdString()
                                                   << ", expected " << over(opacity).name().toStdString();
    }
}

namespace {

// The card and the run screen bound to the model; the chooser answers what the test set.
class ExternalBindingTest : public AppModelFixture {
protected:
    LocNotifier notifier{loc};
    std::optional<fs::path> chosen;
    int chooserCalls = 0;
    std::unique_ptr<ExternalBenchmarksCard> card;
    std::unique_ptr<ExternalRunScreen> screen;
    std::chrono::steady_clock::time_point clockNow{};

    void SetUp() override {
        ExternalBenchmarkStore(folder.path())
            .setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2026,
                                                           .executablePath = (tools / "cinebench-score").string()},
                             App::cinebench2026);
        ExternalBenchmarkStore(folder.path())
            .setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                           .executablePath = (tools / "endless").string()},
                             App::cinebench2024);
        AppModelSetup s = setup();
        s.external.service.launcher = std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD);
        // The run's clock moves only when the test moves it: only Skip or Stop ends the rest.
        s.external.clock = {[this] { return clockNow; },
                            [](std::chrono::milliseconds) -> QCoro::Task<> {
                                auto turn = QCoro::sleepFor(std::chrono::milliseconds(5));
                                co_await turn;
                            }};
        makeModel(std::move(s));
        bindNavigation(*model);
        loc.setLanguage(AppLanguage::english);
        card = std::make_unique<ExternalBenchmarksCard>();
        bindExternalCard(*card, model->external(), notifier, [this](App) {
            ++chooserCalls;
            return chosen;
        });
        screen = std::make_unique<ExternalRunScreen>();
        bindExternalRunScreen(*screen, model->external(), model->telemetry(), notifier,
                              [this](AppScreen s) { model->setScreen(s); });
        screen->resize(1000, 900);
        screen->QWidget::show();
    }
    ExternalBenchmarkRunner& runner() { return model->external(); }
    void restThenCinebench() {
        runner().begin({ExternalBenchmarkPlan::Cooldown{App::cinebench2026},
                        ExternalBenchmarkStep{App::cinebench2026, Kind::cpuSingleCore}},
                       false);
        ASSERT_TRUE(runUntil([&] { return screen->skipButton()->isVisible(); }));
    }
};

} // namespace

TEST_F(ExternalBindingTest, TheCardRunsATestTheScreenShowsItAndLeadsBack) {
    card->toggleButton()->click();
    ASSERT_TRUE(runner().isExpanded());
    const auto section = card->section(App::cinebench2026);
    ASSERT_TRUE(section);
    section->runs[0]->click();
    EXPECT_EQ(model->screen(), AppScreen::external);
    EXPECT_TRUE(screen->runningSection()->isVisible());
    ASSERT_TRUE(runUntil([&] { return shows(*screen, "EXTERNAL BENCHMARK RESULTS"); }));
    EXPECT_NE(screen->console()->text()->toPlainText().indexOf("CB 123.45"), -1);
    EXPECT_TRUE(shows(*card, "Single-core")) << "the card shows the new score";

    card->openCsvButton()->click();
    ASSERT_FALSE(opened.empty());
    EXPECT_TRUE(opened.back().toLocalFile().endsWith("apps benchmarks.csv"));
    screen->backButton()->click();
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
}

TEST_F(ExternalBindingTest, ChooseAsksForAFileAndShowsWhyItWasRefused) {
    card->toggleButton()->click();
    card->section(App::geekbench)->choose->click();
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_TRUE(runner().installations().chooseError().empty()) << "cancelled: nothing changes";
    chosen = tools / "missing-program";
    card->section(App::geekbench)->choose->click();
    ASSERT_TRUE(runUntil([&] { return !runner().installations().chooseError().empty(); }));
    EXPECT_TRUE(shows(*card, loc.resolve(runner().installations().chooseError().at(App::geekbench))));
}

TEST_F(ExternalBindingTest, SkipEndsTheRestAndTheStepRuns) {
    restThenCinebench();
    EXPECT_TRUE(shows(*screen, "Cooling down before Cinebench 2026"));
    screen->skipButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    EXPECT_EQ(runner().scoredApps(), std::vector{App::cinebench2026});
}

TEST_F(ExternalBindingTest, TheElapsedTimeOfAStepIsReadOnTheRunsClock) {
    const auto showsElapsed = [&](const QString& clock) {
        const auto labels = screen->findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(),
                           [&](const QLabel* l) { return l->isVisibleTo(screen.get()) && l->text().contains(clock); });
    };
    runner().begin({ExternalBenchmarkStep{App::cinebench2024, Kind::cpuSingleCore}}, false);
    ASSERT_TRUE(runUntil([&] { return showsElapsed("0:00"); }));
    clockNow += std::chrono::seconds(125);
    EXPECT_TRUE(runUntil([&] { return showsElapsed("2:05"); }));
    screen->stopButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
}

TEST_F(ExternalBindingTest, StopDuringTheRestEndsTheRunWithNoScore) {
    restThenCinebench();
    screen->stopButton()->click();
    ASSERT_TRUE(runUntil([&] { return shows(*screen, "Cancelled"); }));
    EXPECT_FALSE(runner().csvWritten());
}
