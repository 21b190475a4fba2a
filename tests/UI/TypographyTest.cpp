#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QHBoxLayout>
#include <QTemporaryDir>

#include "Assets/ZantivaFonts.h"
#include "Bundle/ResourceBundle.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/TextRole.h"

using namespace zantiva;

namespace {

// A folder with the bundle's font files, less the ones named.
QString fontFolderWithout(const QTemporaryDir& dir, std::initializer_list<VazirWeight> left) {
    const QString bundleFonts = QDir(*ResourceBundle::directory()).filePath("Fonts");
    for (const VazirWeight weight : allVazirWeights) {
        if (std::find(left.begin(), left.end(), weight) != left.end()) continue;
        const QString name = postScriptName(weight) + ".ttf";
        QFile::copy(QDir(bundleFonts).filePath(name), QDir(dir.path()).filePath(name));
    }
    return dir.path();
}

// Whether narrow and wide characters take the same width, as a reader of a column of
// identifiers sees it; fontconfig's own flag misses some monospaced families.
bool evenWidths(const QFont& font) {
    const QFontMetricsF metrics(font);
    return std::abs(metrics.horizontalAdvance(QStringLiteral("il1.:")) - metrics.horizontalAdvance(QStringLiteral("MW0m@"))) < 0.01;
}

// The families that draw the text in the font, one per run of glyphs.
QStringList drawingFamilies(const char* text, const QFont& font) {
    QTextLayout layout(QString::fromUtf8(text), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns()) families += run.rawFont().familyName();
    families.removeDuplicates();
    return families;
}

} // namespace

TEST(FontRegistration, TheBundleBesideTheProgramHoldsAllSixWeights) {
    ASSERT_TRUE(ResourceBundle::directory().has_value());
    const auto& failed = ZantivaFonts::registerFonts();
    EXPECT_TRUE(failed.empty());
    // Once per process: the same list again.
    EXPECT_EQ(&ZantivaFonts::registerFonts(), &failed);

    for (const VazirWeight weight : allVazirWeights) {
        const QFontInfo info(vazirFont(weight, 20));
        EXPECT_EQ(info.family(), QStringLiteral("Vazirmatn")) << postScriptName(weight).toStdString();
        EXPECT_EQ(info.weight(), fontWeight(weight)) << postScriptName(weight).toStdString();
        EXPECT_EQ(info.pixelSize(), 20);
    }
    ASSERT_TRUE(ResourceBundle::resource("Fonts", "Vazirmatn-Black", "ttf").has_value());
    EXPECT_FALSE(ResourceBundle::resource("Fonts", "Vazirmatn-Thin", "ttf").has_value());
    EXPECT_TRUE(ZantivaFonts::symbolsRegistered());
    EXPECT_TRUE(ResourceBundle::resource("Fonts", ZantivaFonts::symbolsPostScriptName, "ttf").has_value());
}

TEST(FontRegistration, OnlyTheMarksVazirmatnLacksComeFromTheSymbolFont) {
    const QFont font = vazirFont(VazirWeight::bold, 16);
    for (const char* mark : {"⏸", "⏹"}) EXPECT_EQ(drawingFamilies(mark, font), QStringList{symbolsFamily}) << mark;
    for (const char* text : {"Pause", "توقف تست", "1.5 GB/s"})
        EXPECT_EQ(drawingFamilies(text, font), QStringList{vazirFamily}) << text;
}

TEST(FontRegistration, AMissingOrBrokenFileFailsOnlyItsWeight) {
    ZantivaFonts::registerFonts();
    QTemporaryDir dir;
    const QString folder = fontFolderWithout(dir, {VazirWeight::semiBold, VazirWeight::black});
    QFile broken(QDir(folder).filePath("Vazirmatn-Black.ttf"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a font");
    broken.close();

    // The other four were registered already (from the bundle) and still count as usable.
    EXPECT_EQ(ZantivaFonts::registerFontsFrom(folder), (std::vector{VazirWeight::semiBold, VazirWeight::black}));
    EXPECT_FALSE(ZantivaFonts::registerSymbolsFrom(folder));

    // The copies go with the folder: leave the process with the bundle's fonts only.
    QFontDatabase::removeAllApplicationFonts();
    EXPECT_TRUE(ZantivaFonts::registerFontsFrom(QDir(*ResourceBundle::directory()).filePath("Fonts")).empty());
    EXPECT_TRUE(ZantivaFonts::registerSymbolsFrom(QDir(*ResourceBundle::directory()).filePath("Fonts")));
}

TEST(ResourceBundleLookup, TheFirstCandidateHoldingTheBundleWins) {
    QTemporaryDir share, library, program;
    for (const QTemporaryDir* dir : {&library, &program}) QDir(dir->path()).mkdir(ResourceBundle::name);
    const QStringList candidates{share.path(), library.path(), program.path()};
    EXPECT_EQ(ResourceBundle::find(candidates), QDir(library.path()).filePath(ResourceBundle::name));
    EXPECT_EQ(ResourceBundle::find({share.path()}), std::nullopt);
    EXPECT_EQ(ResourceBundle::find({}), std::nullopt);

    const QStringList real = ResourceBundle::candidates();
    ASSERT_EQ(real.size(), 2);
    EXPECT_TRUE(real.front().endsWith("/share/zantiva-diagnostics"));
    EXPECT_EQ(real.back(), QCoreApplication::applicationDirPath());
}

TEST(ResourceBundleLookup, AMissingBundleIsReportedOnceAndLeavesEveryResourceMissing) {
    QTemporaryDir empty, installed;
    int reports = 0;
    ResourceBundle::Lookup missing({empty.path()}, [&] { ++reports; });
    EXPECT_EQ(missing.resource("Fonts", "Vazirmatn-Black", "ttf"), std::nullopt);
    EXPECT_EQ(missing.resource("Images", "zantiva-logo", "png"), std::nullopt);
    EXPECT_EQ(missing.directory(), std::nullopt);
    EXPECT_EQ(reports, 1);

    const QString images = QDir(installed.path()).filePath(QString(ResourceBundle::name) + "/Images");
    ASSERT_TRUE(QDir().mkpath(images));
    QFile logo(QDir(images).filePath("zantiva-logo.png"));
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
    logo.close();
    ResourceBundle::Lookup found({empty.path(), installed.path()}, [&] { ++reports; });
    EXPECT_EQ(found.resource("Images", "zantiva-logo", "png"), logo.fileName());
    EXPECT_EQ(found.resource("Images", "zantiva-badge", "png"), std::nullopt);
    EXPECT_EQ(reports, 1);
}

TEST(TextRoles, OnlyLabelsAndSubHeadersAreDimmedAndDimmingMultiplies) {
    const QColor text = color(PaletteColor::text);
    EXPECT_NEAR(roleColor(TextRole::label, text).alphaF(), 0.65, 1e-3);
    EXPECT_NEAR(roleColor(TextRole::subHeader, text).alphaF(), 0.75, 1e-3);
    for (const TextRole role : {TextRole::title, TextRole::header, TextRole::body, TextRole::button, TextRole::input})
        EXPECT_EQ(roleColor(role, text), text);
    EXPECT_NEAR(roleColor(TextRole::label, withOpacity(text, 0.5)).alphaF(), 0.325, 1e-3);
}

TEST(HardwareText, StaysLeftToRightAndPlainInARightToLeftWindow) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* layout = new QHBoxLayout(&window);
    auto* text = new HardwareText("<b>Model</b> X1", 13, QFont::Medium, color(PaletteColor::text));
    layout->addWidget(text);
    window.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(text->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(evenWidths(text->font())) << QFontInfo(text->font()).family().toStdString();
    EXPECT_EQ(text->font().pixelSize(), 13);
}

TEST(HardwareText, IsMonospacedWhicheverFamilyTheSystemOffers) {
    // Vazirmatn stands in for a proportional family that "monospace" may be mapped to.
    const QFont proportional = vazirFont(VazirWeight::medium, 13);
    ASSERT_FALSE(evenWidths(proportional));
    const QFont font = monospacedFont(proportional);
    EXPECT_TRUE(evenWidths(font)) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(font.weight(), proportional.weight());
    for (const QFont::Weight weight : {QFont::Medium, QFont::Bold, QFont::Black})
        EXPECT_TRUE(evenWidths(hardwareFont(20, weight))) << weight;
}

TEST(DirectedText, LatinRunsInRightToLeftTextStayLeftToRight) {
    const QString rlm(QChar(0x200F)), lrm(QChar(0x200E));
    const auto ltr = [](const QString& run) { return QChar(0x2066) + run + QChar(0x2069); };
    const struct {
        QString text;
        QString laidOut;
    } rows[] = {
        {u"تست سرعت SSD"_qs, rlm + u"تست سرعت "_qs + ltr("SSD")},
        {u"SSD / درایو"_qs, rlm + ltr("SSD") + u" / درایو"_qs},
        {u"16 رشته · بیشینه 94°C"_qs, rlm + ltr("16") + u" رشته · بیشینه "_qs + ltr(u"94°C"_qs)},
        {u"12.5 از 31 GB"_qs, rlm + ltr("12.5") + u" از "_qs + ltr("31 GB")},
        {u"دمای پردازنده — °C"_qs, rlm + u"دمای پردازنده — "_qs + ltr(u"°C"_qs)},
        {u"2560×1440 · ابرنمونه‌برداری 4×"_qs, rlm + ltr(u"2560×1440"_qs) + u" · ابرنمونه‌برداری "_qs + ltr(u"4×"_qs)},
        {u"زیر 90% است (76.4%)"_qs, rlm + u"زیر "_qs + ltr("90%") + u" است ("_qs + ltr("76.4%") + ")"},
        // A machine message keeps its bracketed code; a bracket left open stays outside.
        {u"اجرا نشد: eglCreateContext failed (EGL_BAD_ALLOC)"_qs,
         rlm + u"اجرا نشد: "_qs + ltr("eglCreateContext failed (EGL_BAD_ALLOC)")},
        {u"دور 3/3 (0xAA"_qs, rlm + u"دور "_qs + ltr("3/3") + " (" + ltr("0xAA")},
        // Figures apart keep the sentence's order: each is a run of its own.
        {u"دور 3/3 (0xAA)"_qs, rlm + u"دور "_qs + ltr("3/3") + " (" + ltr("0xAA") + ")"},
        {u"Core i7 12700H با 16 GB"_qs, rlm + ltr("Core i7 12700H") + u" با "_qs + ltr("16 GB")},
        // A path keeps its leading slash, and stays in the run of the English words before it.
        {u"ذخیره نشد: the home folder /home/ana is user 1001's"_qs,
         rlm + u"ذخیره نشد: "_qs + ltr("the home folder /home/ana is user 1001's")},
        {u"در /home/sara/last-report.json ذخیره نشد"_qs,
         rlm + u"در "_qs + ltr("/home/sara/last-report.json") + u" ذخیره نشد"_qs},
        // The sentence's own full stop stays outside the run.
        {u"پشت مبدل USB."_qs, rlm + u"پشت مبدل "_qs + ltr("USB") + "."},
        // Every line is marked: a line of an address alone keeps the paragraph's edge.
        {u"پیوند ذخیره شد.\nhttps://browser.geekbench.com/v6/cpu/1"_qs,
         rlm + u"پیوند ذخیره شد.\n"_qs + rlm + ltr("https://browser.geekbench.com/v6/cpu/1")},
    };
    for (const auto& row : rows) EXPECT_EQ(directedText(row.text, Qt::RightToLeft), row.laidOut) << row.text.toStdString();
    EXPECT_EQ(directedText("38.4 TB written", Qt::LeftToRight), lrm + "38.4 TB written");
    EXPECT_EQ(directedText(u"Saved.\nپیوند"_qs, Qt::LeftToRight), lrm + u"Saved.\n"_qs + lrm + u"پیوند"_qs);
    EXPECT_EQ(directedText({}, Qt::RightToLeft), QString());
    EXPECT_TRUE(holdsRightToLeftLetter(u"DDR5 · 2 ماژول"_qs));
    EXPECT_FALSE(holdsRightToLeftLetter(u"94°C · 5.13 GHz"_qs));
}

TEST(ProseLabel, MarksItsTextAgainWhenTheDirectionChanges) {
    QWidget screen;
    screen.setLayoutDirection(Qt::RightToLeft);
    auto* label = new ProseLabel(TextRole::body, Qt::white, u"تست سرعت SSD"_qs, &screen);
    EXPECT_EQ(label->text(), directedText(label->prose(), Qt::RightToLeft));
    screen.setLayoutDirection(Qt::LeftToRight);
    EXPECT_EQ(label->text(), directedText(label->prose(), Qt::LeftToRight));
}
