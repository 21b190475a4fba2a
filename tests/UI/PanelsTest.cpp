#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Charts/HistoryChart.h"
#include "Controls/RetroToggle.h"
#include "Panels/SpecsCardView.h"
#include "Panels/SpecsPanel.h"
#include "Panels/SpecsStorageCard.h"
#include "Panels/TelemetryFigureView.h"
#include "Panels/TelemetryPanel.h"
#include "Gallery/PreviewSamples.h"
#include "Layout/ReflowGate.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/TelemetryHistory.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

TelemetryHistory rising(int count) {
    TelemetryHistory history(90);
    for (int i = 0; i < count; ++i) history.append(i);
    return history;
}

struct Dashboard {
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    QWidget window;
    SpecsPanel* panel;

    explicit Dashboard(bool withGpu = true) {
        SpecsPanel::Histories histories{{SpecsChart::cpu, rising(30)}, {SpecsChart::memory, TelemetryHistory(90)}};
        if (withGpu) histories.emplace(SpecsChart::gpu, TelemetryHistory(90));
        panel = new SpecsPanel(notifier, PreviewSamples::systemSpecs(), std::move(histories));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        window.resize(900, 800);
        window.show();
        QCoreApplication::processEvents();
    }

    RetroToggle* toggle(SpecsChart chart) const { return panel->card(chart)->toggle(); }
    void click(SpecsChart chart) {
        QTest::mouseClick(toggle(chart), Qt::LeftButton, {}, QPoint(5, 5));
        QCoreApplication::processEvents();
    }
};

QStringList labelTexts(QWidget& widget) {
    QStringList texts;
    for (auto* label : widget.findChildren<QLabel*>())
        if (label->isVisibleTo(&widget)) texts << label->text();
    return texts;
}

// The shown sentences that mix Persian and figures without keeping the figures left to right,
// where "12.5 از 31 GB" would read "12.5 از GB 31".
QStringList scrambledFigures(QWidget& root) {
    QStringList found;
    for (auto* label : root.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (label->isVisibleTo(&root) && holdsRightToLeftLetter(text) && text.contains(QRegularExpression("[0-9]")) &&
            !text.contains(QChar(0x2066)))
            found << text;
    }
    return found;
}

} // namespace

TEST(SpecsPanel, LoadingShowsOneCardAndWatchesNoClicks) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    QWidget window;
    auto* panel = new SpecsPanel(notifier, std::nullopt, {{SpecsChart::cpu, TelemetryHistory(90)}}, SpecsChart::cpu,
                                 &window);
    window.resize(600, 400);
    window.show();
    EXPECT_TRUE(panel->isLoading());
    EXPECT_TRUE(panel->loadingCard()->isVisible());
    EXPECT_FALSE(panel->card(0)->isVisible());
    EXPECT_FALSE(panel->isWatchingClicks());
    EXPECT_FALSE(panel->card(SpecsChart::cpu)->isPopupShown());
    const QStringList texts = labelTexts(*panel->loadingCard());
    EXPECT_EQ(texts, QStringList{"Loading system specs\u2026"});
    EXPECT_GE(panel->loadingCard()->findChild<QLabel*>()->height(), 120);

    // Once the specs are read the chart asked for at the start opens.
    panel->setSpecs(PreviewSamples::systemSpecs());
    EXPECT_TRUE(panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_TRUE(panel->isWatchingClicks());
}

TEST(SpecsPanel, ShowsTheCardsAndFollowsTheLanguage) {
    Dashboard d;
    EXPECT_EQ(d.panel->card(0)->title()->text(), "PROCESSOR");
    EXPECT_EQ(d.panel->card(1)->shownDetails(),
              (std::vector<SpecsDetail>{{SpecsDetail::Kind::prose, "DDR4 \u00B7 3200 MHz \u00B7 2 module(s)"}}));
    EXPECT_FALSE(d.panel->card(3)->toggle()->isVisible()); // firmware never charts
    EXPECT_EQ(d.toggle(SpecsChart::cpu)->toolTip(), "Show CPU load history");
    const QStringList storage = labelTexts(*d.panel->storageCard());
    EXPECT_TRUE(storage.contains("External"));
    EXPECT_TRUE(storage.contains("SSD \u00B7 USB"));
    EXPECT_TRUE(storage.contains("1000 GB"));

    d.loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(d.panel->card(0)->title()->text().toStdString(), Loc::string("Dashboard.Processor", AppLanguage::persian));
    EXPECT_EQ(d.panel->card(0)->value()->text(), "13th Gen Intel(R) Core(TM) i7-1360P"); // machine text as reported
    d.window.setLayoutDirection(Qt::RightToLeft); // as the window root does for Persian
    d.click(SpecsChart::cpu);                     // the pop-up's title: "… 90 ثانیهٔ اخیر"
    ASSERT_TRUE(d.panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_EQ(scrambledFigures(d.window), QStringList());
}

TEST(SpecsPanel, OneChartAtATimeAndEveryClickClosesIt) {
    Dashboard d;
    d.click(SpecsChart::cpu);
    EXPECT_EQ(d.panel->openChart(), SpecsChart::cpu);
    EXPECT_TRUE(d.panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_TRUE(d.toggle(SpecsChart::cpu)->isChecked());
    EXPECT_TRUE(d.panel->isWatchingClicks());
    EXPECT_EQ(d.panel->card(SpecsChart::cpu)->chart()->accessibleDescription(), "29");
    // A new sample reaches the open chart, which stays open.
    d.panel->setHistories({{SpecsChart::cpu, rising(31)}, {SpecsChart::memory, TelemetryHistory(90)}});
    EXPECT_EQ(d.panel->card(SpecsChart::cpu)->chart()->accessibleDescription(), "30");
    EXPECT_TRUE(d.panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_FALSE(d.toggle(SpecsChart::gpu)->isVisible());
    d.panel->setHistories({{SpecsChart::cpu, rising(31)}, {SpecsChart::memory, TelemetryHistory(90)},
                           {SpecsChart::gpu, TelemetryHistory(90)}});

    // Another card's toggle: it opens its chart, then the deferred close of the click clears it.
    d.click(SpecsChart::memory);
    EXPECT_EQ(d.panel->openChart(), std::nullopt);
    EXPECT_FALSE(d.panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_FALSE(d.toggle(SpecsChart::memory)->isChecked());
    EXPECT_FALSE(d.panel->isWatchingClicks());

    // A second click opens it; its pop-up lies over the graphics card below.
    d.click(SpecsChart::memory);
    ASSERT_EQ(d.panel->openChart(), SpecsChart::memory);
    QWidget* popup = d.panel->card(SpecsChart::memory)->popup();
    const QRect card = d.panel->card(SpecsChart::memory)->geometry();
    const QRect graphics(d.panel->card(3)->mapTo(&d.window, QPoint(0, 0)), d.panel->card(3)->size());
    EXPECT_EQ(popup->pos(), d.panel->card(SpecsChart::memory)->mapTo(&d.window, QPoint(0, 56)));
    EXPECT_EQ(popup->width(), card.width());
    ASSERT_TRUE(popup->geometry().intersects(graphics));
    QWidget* top = d.window.childAt(popup->geometry().intersected(graphics).center());
    EXPECT_TRUE(top == popup || popup->isAncestorOf(top));

    // Its own toggle closes it and it stays closed; Escape closes too.
    d.click(SpecsChart::memory);
    EXPECT_EQ(d.panel->openChart(), std::nullopt);
    d.click(SpecsChart::gpu);
    QTest::keyClick(&d.window, Qt::Key_Escape);
    EXPECT_EQ(d.panel->openChart(), std::nullopt);
    EXPECT_FALSE(d.panel->card(SpecsChart::gpu)->isPopupShown());
}

TEST(SpecsPanel, ACardWithoutItsRingHasNoToggle) {
    Dashboard d(false);
    EXPECT_FALSE(d.toggle(SpecsChart::gpu)->isVisible());
    EXPECT_TRUE(d.toggle(SpecsChart::cpu)->isVisible());
    d.panel->setOpenChart(SpecsChart::gpu);
    EXPECT_FALSE(d.panel->card(SpecsChart::gpu)->isPopupShown());
}

TEST(SpecsPanel, AnEmptyDriveListSaysNotReportedDimmed) {
    Dashboard d;
    SystemSpecs specs = PreviewSamples::systemSpecs();
    specs.storageDevices.clear();
    d.panel->setSpecs(specs);
    const auto labels = d.panel->storageCard()->findChildren<QLabel*>();
    const auto notReported = std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Not reported"; });
    ASSERT_NE(notReported, labels.end());
    EXPECT_NEAR((*notReported)->palette().color(QPalette::WindowText).alphaF(), 0.6, 0.01);
}

TEST(TelemetryPanel, AMissingReadingIsAFaintDashWithItsTooltip) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    TelemetryPanel panel(notifier, SensorSnapshot());
    panel.show();

    QLabel* dash = panel.cpuTemperature()->value();
    EXPECT_EQ(dash->text(), "\u2014");
    EXPECT_EQ(dash->toolTip(), "not reported");
    EXPECT_EQ(dash->accessibleName(), "not reported");
    EXPECT_EQ(dash->palette().color(QPalette::WindowText), color(PaletteColor::outlineSubtle));
    EXPECT_EQ(dash->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(panel.cpuLoad()->value()->text(), "0%");
    EXPECT_TRUE(panel.noSensorsNotice()->isVisible());
    EXPECT_EQ(panel.thermalText()->text(), "Not reported"); // no thermal source in an empty snapshot

    SensorSnapshot snapshot = PreviewSamples::sensorSnapshot();
    snapshot.cpuTemperatureCelsius = 90;
    panel.setSnapshot(snapshot);
    snapshot = SensorSnapshot(); // the panel shows its own copy
    EXPECT_EQ(dash->text(), "90\u00B0C");
    EXPECT_TRUE(dash->toolTip().isEmpty());
    EXPECT_EQ(dash->palette().color(QPalette::WindowText), color(PaletteColor::primary));
    EXPECT_FALSE(panel.noSensorsNotice()->isVisible());

    loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(dash->text(), "90\u00B0C");
    EXPECT_EQ(panel.fan()->value()->text(), "1850 RPM");
    EXPECT_EQ(panel.memoryFootnote()->prose().toStdString(),
              Loc::format("Telemetry.MemoryUsed", AppLanguage::persian, {13.9, 32.0}) + " \u00B7 " +
                  Loc::string("Telemetry.Pressure.Normal", AppLanguage::persian));
    panel.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(scrambledFigures(panel), QStringList());
}

// Counts the events of one type that widgets receive, by receiver.
struct Events : QObject {
    QEvent::Type type;
    std::vector<QObject*> receivers;
    explicit Events(QEvent::Type type) : type(type) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type) receivers.push_back(watched);
        return false;
    }
    std::size_t take() { return std::exchange(receivers, {}).size(); }
    long count(const QObject* receiver) const { return std::count(receivers.begin(), receivers.end(), receiver); }
};

// A telemetry panel of the dashboard's width on a shown window, with the sample readings.
struct ShownTelemetryPanel {
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    QWidget window;
    QVBoxLayout* column = new QVBoxLayout(&window);
    TelemetryPanel* panel = new TelemetryPanel(notifier);
    SensorSnapshot snapshot = PreviewSamples::sensorSnapshot();

    ShownTelemetryPanel() {
        panel->setFixedWidth(340);
        column->addWidget(panel);
    }
};

TEST(TelemetryPanel, NewReadingsLayOutNothingAroundThePanel) {
    ShownTelemetryPanel shown;
    auto& [loc, notifier, window, column, panel, snapshot] = shown;
    column->addStretch();
    snapshot.cpuLoadPercent = 23;
    panel->setSnapshot(snapshot);
    window.show();
    QCoreApplication::processEvents();
    Events requests(QEvent::LayoutRequest), paints(QEvent::Paint);

    // The same glyphs in another order take the same room: only the value is drawn again.
    snapshot.cpuLoadPercent = 32;
    panel->setSnapshot(snapshot);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->cpuLoad()->value()->text(), "32%");
    EXPECT_EQ(requests.take(), 0u);
    EXPECT_EQ(paints.count(panel->thermalBadge()), 0)
        << "the thermal state did not change";

    // A new memory footnote lays out the panel, which keeps to its height.
    snapshot.ramUsedGB += 1.0;
    panel->setSnapshot(snapshot);
    QCoreApplication::processEvents();
    EXPECT_EQ(requests.count(&window), 0);
    requests.take();

    // A wider reading, or a notice that needs more room, still gets it.
    snapshot.cpuLoadPercent = 100;
    snapshot.hasSensorAccess = false;
    const int height = panel->height();
    panel->setSnapshot(snapshot);
    QCoreApplication::processEvents();
    QLabel* value = panel->cpuLoad()->value();
    EXPECT_EQ(value->text(), "100%");
    EXPECT_GE(value->width(), value->fontMetrics().horizontalAdvance("100%"));
    EXPECT_TRUE(panel->noSensorsNotice()->isVisible());
    EXPECT_GT(panel->height(), height);
    ProseLabel* notice = panel->noSensorsNotice();
    EXPECT_GE(notice->height(), notice->heightForWidth(notice->width()));   // not cut off
}

// What the deliveries post in turn as well: an event posted while posted events are sent waits
// for the next round.
void deliverAll() {
    for (int round = 0; round < 4; ++round) QCoreApplication::processEvents();
}

TEST(TelemetryPanel, ANewFootnoteOfTheSameHeightIsOnlyDrawnAgain) {
    ShownTelemetryPanel shown;
    auto& [loc, notifier, window, column, panel, snapshot] = shown;
    panel->setSnapshot(snapshot);
    window.show();
    deliverAll();
    Events requests(QEvent::LayoutRequest), paints(QEvent::Paint);

    snapshot.ramUsedGB = 12.8;
    panel->setSnapshot(snapshot);
    deliverAll();
    ProseLabel* footnote = panel->memoryFootnote();
    EXPECT_TRUE(footnote->prose().startsWith("12.8")) << footnote->prose().toStdString();
    for (QObject* receiver : requests.receivers) EXPECT_EQ(receiver, footnote->parentWidget()) << "laid out again";
    EXPECT_GE(paints.count(footnote), 1);
}

TEST(TelemetryPanel, ASampleTouchesOnlyTheReadingsThatChanged) {
    ShownTelemetryPanel shown;
    auto& [loc, notifier, window, column, panel, snapshot] = shown;
    snapshot.cpuLoadPercent = 23;
    panel->setSnapshot(snapshot);
    window.show();
    deliverAll();
    Events tooltips(QEvent::ToolTipChange), palettes(QEvent::PaletteChange), paints(QEvent::Paint);

    // A later sample that reads the same: nothing is set again or drawn.
    snapshot.timestamp += std::chrono::seconds(1);
    panel->setSnapshot(snapshot);
    deliverAll();
    EXPECT_EQ(tooltips.take(), 0u);
    EXPECT_EQ(palettes.take(), 0u);
    EXPECT_EQ(paints.take(), 0u);

    // One new reading: its value alone is set and drawn again, not the card beneath.
    snapshot.cpuLoadPercent = 24;
    panel->setSnapshot(snapshot);
    deliverAll();
    QLabel* load = panel->cpuLoad()->value();
    EXPECT_EQ(load->text(), "24%");
    EXPECT_EQ(tooltips.take(), 0u);
    EXPECT_EQ(palettes.take(), 0u);
    EXPECT_GE(paints.count(load), 1);
    EXPECT_EQ(paints.count(panel->memoryFootnote()), 0);
    EXPECT_EQ(paints.count(panel->cpuTemperature()->value()), 0);
    auto* card = panel->findChild<RetroCard*>();
    EXPECT_EQ(paints.count(card), 0);

    snapshot.ramUsedGB = 12.8;
    panel->setSnapshot(snapshot);
    deliverAll();
    EXPECT_GE(paints.count(panel->memoryFootnote()), 1);
    EXPECT_EQ(paints.count(card), 0);
}

TEST(SpecsPanel, ANewSampleSetsOnlyTheChartsValues) {
    Dashboard d;
    d.click(SpecsChart::cpu);
    deliverAll();
    Events tooltips(QEvent::ToolTipChange), paints(QEvent::Paint);

    d.panel->setHistories({{SpecsChart::cpu, rising(31)}, {SpecsChart::memory, TelemetryHistory(90)},
                           {SpecsChart::gpu, TelemetryHistory(90)}});
    deliverAll();
    HistoryChart* chart = d.panel->card(SpecsChart::cpu)->chart();
    EXPECT_EQ(chart->accessibleDescription(), "30");
    EXPECT_TRUE(d.panel->card(SpecsChart::cpu)->isPopupShown());
    EXPECT_GE(paints.count(chart), 1);
    EXPECT_EQ(tooltips.take(), 0u) << "the words stay as they were";

    // They change with the language.
    d.loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(d.toggle(SpecsChart::cpu)->toolTip().toStdString(),
              Loc::string("Dashboard.CpuHistoryTip", AppLanguage::persian));
}

TEST(ReflowGate, PassesAChangeOnOnlyWhenTheContentNeedsOtherRoom) {
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* label = new QLabel("12.5 of 31 GB");
    label->setWordWrap(true);
    column->addWidget(new ReflowGate(label));
    column->addStretch();
    window.setFixedWidth(160);
    window.show();
    deliverAll();
    const int oneLine = label->height();
    Events requests(QEvent::LayoutRequest);

    label->setText("13.9 of 31 GB");
    deliverAll();
    EXPECT_EQ(requests.count(&window), 0);
    EXPECT_EQ(label->height(), oneLine);

    label->setText("13.9 of 31 GB used, with a good many words after the figures");
    deliverAll();
    EXPECT_GE(requests.count(&window), 1);
    EXPECT_GT(label->height(), oneLine);
    EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "cut off";
    EXPECT_EQ(label->width(), label->parentWidget()->width());
}

TEST(SpecsPanel, ALongValueShrinksToFitTwoLinesAndStandsAtTheLeadingEdge) {
    Dashboard d;
    d.window.resize(520, 800);
    SystemSpecs specs = PreviewSamples::systemSpecs();
    specs.cpuName = "Intel Core i7-1360P";
    d.panel->setSpecs(specs);
    QCoreApplication::processEvents();
    HardwareText* value = d.panel->card(0)->value();
    EXPECT_EQ(value->font().pixelSize(), 20);

    specs.cpuName = "AMD Ryzen Threadripper PRO 7995WX 96-Cores";
    d.panel->setSpecs(specs);
    QCoreApplication::processEvents();
    EXPECT_LT(value->font().pixelSize(), 20);
    EXPECT_GE(value->font().pixelSize(), 14);
    EXPECT_LE(value->height(), 2 * QFontMetrics(value->font()).lineSpacing());

    EXPECT_TRUE(value->alignment() & Qt::AlignLeft);
    d.window.setLayoutDirection(Qt::RightToLeft);
    EXPECT_TRUE(value->alignment() & Qt::AlignRight);
    EXPECT_EQ(value->layoutDirection(), Qt::LeftToRight);
}
