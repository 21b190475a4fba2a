#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "Controls/RetroButton.h"
#include "Controls/RetroToggle.h"
#include "Localization/Loc.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

void settle(const RetroButton& button) {
    EXPECT_TRUE(uitest::settles([&] { return !button.surface().isAnimating(); }));
}

// The widths of the words drawn inside the area, left to right: runs of columns with ink,
// split where at least `gap` blank columns lie between them.
std::vector<int> drawnWordWidths(const QImage& image, const QRect& area, int gap) {
    const QColor blank = image.pixelColor(area.topLeft());
    std::vector<int> widths;
    int start = -1, last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        bool ink = false;
        for (int y = area.top(); y <= area.bottom() && !ink; ++y) ink = image.pixelColor(x, y) != blank;
        if (!ink) continue;
        if (start < 0 || x - last > gap) {
            if (start >= 0) widths.push_back(last - start + 1);
            start = x;
        }
        last = x;
    }
    if (start >= 0) widths.push_back(last - start + 1);
    return widths;
}

} // namespace

TEST(RetroButton, AWideLabelWrapsAndTheCompactShorthandIsTheCompactSize) {
    // A label too wide for its room wraps onto more lines.
    RetroButton wordy("Run every test of this computer now", RetroButtonKind::primary, RetroButtonSize::regular);
    EXPECT_GT(wordy.heightForWidth(wordy.minimumSizeHint().width()), wordy.sizeHint().height());

    // The compact shorthand is the compact size.
    RetroButton compact("Go", RetroButtonKind::outline, true);
    RetroButton sized("Go", RetroButtonKind::outline, RetroButtonSize::compact);
    EXPECT_EQ(compact.sizeHint(), sized.sizeHint());
    EXPECT_EQ(compact.font(), sized.font());
}

TEST(RetroButton, AClickOnThePaddingOrTheShadowRoomCounts) {
    RetroButton button("Start", RetroButtonKind::primary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(button.width() - 2, button.height() - 2));
    EXPECT_EQ(clicks.count(), 2);
}

TEST(RetroButton, LiftsUnderThePointerAndSinksWhileHeld) {
    RetroButton button("Start", RetroButtonKind::secondary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.show();
    EXPECT_EQ(button.surface().style().fill, color(PaletteColor::secondary));

    uitest::hover(button);
    EXPECT_EQ(button.lift(), 2);
    settle(button);
    EXPECT_EQ(button.surface().pose().displacement, -2);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.isShownPressed());
    EXPECT_EQ(button.surface().style().lift, 0);
    EXPECT_TRUE(button.surface().style().pressed);
    EXPECT_TRUE(button.surface().isAnimating());
    settle(button);
    EXPECT_EQ(button.surface().pose().displacement, 4);
    EXPECT_EQ(button.surface().pose().shadowOpacity, 0);

    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(button.surface().style().pressed);
    EXPECT_EQ(button.surface().style().lift, 2);
    uitest::leave(button);
    EXPECT_EQ(button.surface().style().lift, 0);
}

TEST(RetroButton, ADisabledButtonNeitherLiftsNorClicksAndIsDrawnFaded) {
    RetroButton button("Start", RetroButtonKind::primary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.setEnabled(false);
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    uitest::hover(button);
    EXPECT_EQ(button.lift(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.surface().style().fill, color(PaletteColor::primary));

    // The whole button at 0.45 over white: the face's colour, faded, with no shadow showing
    // through the face.
    const QColor drawn = uitest::render(button).pixelColor(10, button.height() / 2);
    EXPECT_NEAR(drawn.red(), qRound(214 * 0.45 + 255 * 0.55), 2);
    EXPECT_NEAR(drawn.green(), qRound(24 * 0.45 + 255 * 0.55), 2);
}

TEST(RetroButton, APersianLabelReadsRightToLeftWithItsLatinWordsLeftToRight) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    // One short Persian word, then a long Latin name: right to left the name ends the line on
    // the left.
    auto* button = new RetroButton(u"تست SSD-NVMe-PCIe"_qs, RetroButtonKind::outline, RetroButtonSize::regular, &window);
    button->resize(button->sizeHint());
    const int gap = button->fontMetrics().horizontalAdvance(' ') - 1;
    // Enabled on the window's painter, disabled through the faded layer.
    for (const bool enabled : {true, false}) {
        button->setEnabled(enabled);
        const RetroButtonSize& size = button->buttonSize();
        const QRect inside = button->surface()
                                 .geometry(button->rect())
                                 .face.marginsRemoved({size.horizontal, size.vertical, size.horizontal, size.vertical})
                                 .toAlignedRect();
        const std::vector<int> words = drawnWordWidths(uitest::render(*button), inside, gap);
        ASSERT_EQ(words.size(), 2u) << enabled;
        EXPECT_GT(words[0], 2 * words[1]) << enabled;
    }
}

// ⏸ and ⏹ are drawn flat in the label's colour, like ▶ and ■: never as a colour emoji, whose
// tiles are orange, a hue that no button colour has.
TEST(RetroButton, MediaSymbolsAreDrawnAsTextNotAsColourEmoji) {
    const auto isOrange = [](const QColor& pixel) {
        const float hue = pixel.hsvHueF() * 360;
        return hue >= 15 && hue <= 50 && pixel.hsvSaturationF() > 0.5 && pixel.valueF() > 0.5;
    };
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
        const Loc loc(language);
        for (const char* key : {"Common.Pause", "Suite.Stop"}) {
            for (const RetroButtonKind kind : {RetroButtonKind::primary, RetroButtonKind::outline}) {
                RetroButton button(QString::fromStdString(loc[key]), kind, RetroButtonSize::regular);
                button.resize(button.sizeHint());
                const QImage image = uitest::render(button);
                int orange = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) orange += isOrange(image.pixelColor(x, y));
                EXPECT_EQ(orange, 0) << key << " " << loc[key];
            }
        }
    }
}

// The same drawing where fontconfig knows no font but the colour emoji one and puts it first
// among every text's fallbacks, as on a desktop set up for emoji everywhere: the marks must come
// from the program's bundle, before any fallback.
TEST(RetroButton, MediaSymbolsStayTextWhereTheSystemFallsBackToColourEmoji) {
    const QString emoji = QStringLiteral("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf");
    if (!QFileInfo::exists(emoji)) GTEST_SKIP() << "no colour emoji font to fall back to";
    QTemporaryDir scratch;
    const QDir folder(scratch.path());
    ASSERT_TRUE(folder.mkdir("fonts") && QFile::link(emoji, folder.filePath("fonts/NotoColorEmoji.ttf")));
    QFile configuration(folder.filePath("fonts.conf"));
    ASSERT_TRUE(configuration.open(QIODevice::WriteOnly));
    configuration.write(QStringLiteral("<fontconfig><dir>%1</dir><cachedir>%2</cachedir>"
                                       "<match><edit name=\"family\" mode=\"append\"><string>Noto Color Emoji</string>"
                                       "</edit></match></fontconfig>\n")
                            .arg(folder.filePath("fonts"), folder.filePath("cache"))
                            .toUtf8());
    configuration.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("FONTCONFIG_FILE", configuration.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=RetroButton.MediaSymbolsAreDrawnAsTextNotAsColourEmoji"});
    ASSERT_TRUE(child.waitForFinished(60'000));
    const std::string output = child.readAll().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

TEST(RetroToggle, LatchesDownInCrimsonWhileOn) {
    RetroToggle toggle("GPU");
    toggle.resize(toggle.sizeHint());
    toggle.show();
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::card));

    uitest::hover(toggle);
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(toggle.isChecked());
    // Released, and still down on its shadow, in crimson, without lift under the pointer.
    EXPECT_TRUE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().lift, 0);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::primary));
    EXPECT_EQ(toggle.lift(), 0);

    QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_FALSE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().lift, 2);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::card));

    toggle.setChecked(true);
    toggle.setEnabled(false);
    EXPECT_TRUE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::primary));
}

TEST(RetroButton, ALayoutRemeasuresTheLabelWhenTheDirectionChanges) {
    // A Persian label with a Latin word measures differently right to left; a layout that
    // measured it left to right must not keep that width once the window turns.
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* button = new RetroButton(u"باز کردن CSV"_qs, RetroButtonKind::outline, RetroButtonSize::regular);
    row->addWidget(button);
    row->addStretch();
    window.resize(600, 100);
    window.show();
    QCoreApplication::processEvents();
    window.setLayoutDirection(Qt::RightToLeft);
    QCoreApplication::processEvents();
    EXPECT_EQ(button->width(), button->sizeHint().width());
}
