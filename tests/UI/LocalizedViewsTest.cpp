#include <gtest/gtest.h>

#include <QLabel>
#include <QVBoxLayout>

#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/LocText.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

TEST(LocNotifier, SignalsEachRealChangeOnceAndStopsWithItsLife) {
    Loc loc(AppLanguage::english);
    int heard = 0;
    {
        LocNotifier notifier(loc);
        QObject::connect(&notifier, &LocNotifier::languageChanged, [&](AppLanguage language) {
            ++heard;
            EXPECT_EQ(language, AppLanguage::persian);
        });
        loc.setLanguage(AppLanguage::persian);
        loc.setLanguage(AppLanguage::persian);
        EXPECT_EQ(heard, 1);
        EXPECT_EQ(notifier.layoutDirection(), Qt::RightToLeft);
    }
    // A dead notifier is no longer subscribed.
    loc.setLanguage(AppLanguage::english);
    EXPECT_EQ(heard, 1);
}

TEST(LocNotifier, BindingsEndWithTheirContext) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    int runs = 0;
    {
        QObject context;
        notifier.bind(&context, [&] { ++runs; });
        EXPECT_EQ(runs, 1);
        loc.setLanguage(AppLanguage::persian);
        EXPECT_EQ(runs, 2);
    }
    loc.setLanguage(AppLanguage::english);
    EXPECT_EQ(runs, 2);
}

TEST(LocText, PlaceholdersAreFilledOnlyWithArgumentsAndTheTextFollowsTheLanguage) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    LocText bare(notifier, "Battery.ChargePercent", TextRole::label, color(PaletteColor::text));
    EXPECT_EQ(bare.text(), QStringLiteral("{0}% charge"));
    EXPECT_EQ(bare.textFormat(), Qt::PlainText);
    EXPECT_EQ(bare.font(), font(TextRole::label));
    EXPECT_NEAR(bare.palette().color(QPalette::WindowText).alphaF(), 0.65, 1e-3);

    LocText filled(notifier, "Battery.ChargePercent", TextRole::body, color(PaletteColor::text), {87});
    EXPECT_EQ(filled.text(), QStringLiteral("87% charge"));
    loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(filled.text(), QStringLiteral("87% شارژ"));
    filled.setArgs({12});
    EXPECT_EQ(filled.text(), QStringLiteral("12% شارژ"));

    LocText missing(notifier, "No.Such.Key", TextRole::body, color(PaletteColor::text));
    EXPECT_EQ(missing.text(), QStringLiteral("[No.Such.Key]"));
}

TEST(ZantivaRoot, DirectionFollowsTheLanguageInAnOpenWindow) {
    Loc loc(AppLanguage::persian);
    LocNotifier notifier(loc);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new QLabel("text");
    layout->addWidget(plain);
    applyZantivaRoot(window, notifier);
    window.show();

    EXPECT_EQ(window.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(plain->layoutDirection(), Qt::RightToLeft);
    loc.setLanguage(AppLanguage::english);
    EXPECT_EQ(window.layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(plain->layoutDirection(), Qt::LeftToRight);
}

TEST(ZantivaRoot, PersianProseRunsRightToLeftEvenWhenItStartsWithALatinWord) {
    Loc loc(AppLanguage::persian);
    LocNotifier notifier(loc);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    // The memory card's line, which starts with the machine's memory type.
    auto* line = new LocText(notifier, "Dashboard.RamDetail", TextRole::body, color(PaletteColor::text), {"DDR5", 5600, 2});
    layout->addWidget(line);
    applyZantivaRoot(window, notifier);
    window.resize(480, 60);
    window.show();
    ASSERT_TRUE(line->text().startsWith("DDR5"));

    const QImage shown = uitest::render(*line, Qt::black);
    QImage blank(shown.size(), shown.format());
    blank.fill(Qt::black);
    ASSERT_NE(shown, blank);
    // Drawn exactly as Qt draws the same sentence when a right-to-left mark opens it: right to
    // left from the leading (right) edge, "DDR5" first.
    line->setText(QChar(0x200F) + line->text());
    EXPECT_EQ(uitest::render(*line, Qt::black), shown);
}
