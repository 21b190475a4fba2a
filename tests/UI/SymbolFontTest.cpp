// The symbol font the program carries: the marks its texts draw from it and no others, drawn
// from the carried file, and the licence texts of both fonts beside them.

#include <gtest/gtest.h>

#include <set>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "Assets/ZantivaFonts.h"
#include "Bundle/ResourceBundle.h"
#include "Localization/Loc.h"
#include "Typography/Fonts.h"

using namespace zantiva;

namespace {

const QString wholeSymbolFont = QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansSymbols2-Regular.ttf");

QRawFont carriedFont(const QString& postScriptName) {
    return QRawFont(*ResourceBundle::resource("Fonts", postScriptName, "ttf"), 16);
}

std::string codePoint(char32_t point) { return "U+" + QString::number(point, 16).toUpper().toStdString(); }

// Every code point of the message tables in both languages, and the marks that stand in the code:
// the audio station's mute button and the display test's exit button.
std::set<char32_t> drawnCodePoints() {
    std::set<char32_t> points{U'\U0001F507', U'\U0001F50A', U'\u2715'};
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian})
        for (const auto& [key, text] : Loc::table(language))
            for (const char32_t point : QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4()) points.insert(point);
    return points;
}

} // namespace

TEST(SymbolFont, TheCarriedCutHoldsEveryMarkTheTextsDrawFromItAndNoOther) {
    if (!QFileInfo::exists(wholeSymbolFont)) GTEST_SKIP() << "the whole font is not installed (fonts-noto-core)";
    const QRawFont whole(wholeSymbolFont, 16), vazirmatn = carriedFont("Vazirmatn-Regular"),
        carried = carriedFont(ZantivaFonts::symbolsPostScriptName);
    ASSERT_TRUE(whole.isValid());
    ASSERT_TRUE(carried.isValid());
    // What Vazirmatn lacks falls to the symbol font, when that has it; line breaks draw nothing.
    std::set<char32_t> fromSymbols;
    for (const char32_t point : drawnCodePoints())
        if (QChar::isPrint(point) && !vazirmatn.supportsCharacter(point) && whole.supportsCharacter(point)) fromSymbols.insert(point);
    ASSERT_FALSE(fromSymbols.empty());
    for (const char32_t point : fromSymbols)
        EXPECT_TRUE(carried.supportsCharacter(point)) << codePoint(point) << " is missing: add it to scripts/subset-symbol-font";
    for (char32_t point = 0; point <= 0x1FFFF; ++point)
        if (QChar::isPrint(point) && !fromSymbols.contains(point) && whole.supportsCharacter(point))
            ASSERT_FALSE(carried.supportsCharacter(point)) << codePoint(point) << " is carried for nothing";
}

TEST(SymbolFont, TheMarksAreDrawnFromTheCarriedFileNotAnInstalledCopy) {
    ZantivaFonts::registerFonts();
    QTextLayout layout(QStringLiteral("\u23F8"), vazirFont(VazirWeight::bold, 16));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs.front().rawFont().familyName(), QString::fromLatin1(symbolsFamily));
    // A chess king: in the whole font, not in the carried cut.
    EXPECT_FALSE(runs.front().rawFont().supportsCharacter(U'\u2654'));
}

TEST(SymbolFont, BothFontsTravelWithTheirLicence) {
    for (const auto& [file, copyright] : {std::pair{"Vazirmatn-OFL.txt", "Copyright 2015 The Vazirmatn Project Authors"},
                                          std::pair{"NotoSansSymbols2-OFL.txt", "Copyright 2017 Google Inc."}}) {
        QFile licence(QDir(*ResourceBundle::directory()).filePath(QStringLiteral("Fonts/") + file));
        ASSERT_TRUE(licence.open(QIODevice::ReadOnly)) << file;
        const QByteArray text = licence.readAll();
        EXPECT_TRUE(text.startsWith(copyright)) << file;
        EXPECT_TRUE(text.contains("SIL OPEN FONT LICENSE Version 1.1 - 26 February 2007")) << file;
        EXPECT_TRUE(text.contains("5) The Font Software, modified or unmodified")) << file << " whole";
    }
}
