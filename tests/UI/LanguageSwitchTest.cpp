#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QTest>

#include "Controls/LanguageSwitch.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

struct SwitchWindow {
    QWidget window;
    LanguageSwitch* languageSwitch;
    std::vector<AppLanguage> chosen;

    SwitchWindow(AppLanguage selection, Qt::LayoutDirection direction) {
        window.setLayoutDirection(direction);
        auto* layout = new QHBoxLayout(&window);
        languageSwitch = new LanguageSwitch(selection);
        layout->addWidget(languageSwitch);
        QObject::connect(languageSwitch, &LanguageSwitch::languageSelected,
                         [this](AppLanguage language) { chosen.push_back(language); });
        window.show();
    }

    void click(AppLanguage language) {
        QTest::mouseClick(languageSwitch->segment(language), Qt::LeftButton, {}, QPoint(2, 2));
    }
};

} // namespace

TEST(LanguageSwitch, OnlyTheOtherLanguageIsReportedAndNothingChangesByItself) {
    SwitchWindow w(AppLanguage::english, Qt::LeftToRight);
    QAbstractButton* en = w.languageSwitch->segment(AppLanguage::english);
    QAbstractButton* fa = w.languageSwitch->segment(AppLanguage::persian);
    EXPECT_EQ(en->text(), "EN");
    EXPECT_EQ(fa->text(), "FA");
    EXPECT_TRUE(en->isChecked());
    EXPECT_FALSE(fa->isChecked());

    w.click(AppLanguage::english);
    EXPECT_TRUE(w.chosen.empty());
    w.click(AppLanguage::persian);
    EXPECT_EQ(w.chosen, std::vector{AppLanguage::persian});
    // Until the caller passes the new language, the old one stays marked.
    EXPECT_TRUE(en->isChecked());
    EXPECT_FALSE(fa->isChecked());

    w.languageSwitch->setSelection(AppLanguage::persian);
    EXPECT_FALSE(en->isChecked());
    EXPECT_TRUE(fa->isChecked());
    w.click(AppLanguage::persian);
    w.click(AppLanguage::english);
    EXPECT_EQ(w.chosen, (std::vector{AppLanguage::persian, AppLanguage::english}));
}

TEST(LanguageSwitch, EnglishStaysOnTheLeftInARightToLeftWindow) {
    SwitchWindow w(AppLanguage::persian, Qt::RightToLeft);
    QAbstractButton* en = w.languageSwitch->segment(AppLanguage::english);
    QAbstractButton* fa = w.languageSwitch->segment(AppLanguage::persian);
    EXPECT_LT(en->x(), fa->x());

    // The selected segment on crimson, the other plain until the pointer is over it.
    QImage image = uitest::render(*w.languageSwitch);
    const QPoint faPill = fa->geometry().topLeft() + QPoint(fa->width() / 2, 2);
    const QPoint enPill = en->geometry().topLeft() + QPoint(en->width() / 2, 2);
    EXPECT_EQ(image.pixelColor(faPill).rgb(), color(PaletteColor::primary).rgb());
    EXPECT_EQ(image.pixelColor(enPill).rgb(), color(PaletteColor::surface).rgb());

    uitest::hover(*en);
    image = uitest::render(*w.languageSwitch);
    EXPECT_EQ(image.pixelColor(enPill).rgb(), color(PaletteColor::muted).rgb());
    uitest::hover(*fa);
    image = uitest::render(*w.languageSwitch);
    EXPECT_EQ(image.pixelColor(faPill).rgb(), color(PaletteColor::primary).rgb());
}
