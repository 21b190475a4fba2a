#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>

#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroTextField.h"
#include "Panels/TelemetryFigureView.h"
#include "Panels/TelemetryPanel.h"
#include "Gallery/DesignSystemGallery.h"
#include "Gallery/GalleryWindow.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/LocText.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"

using namespace zantiva;

namespace {

// The gallery as zantiva-gallery renders it, in one language.
class GalleryRender : public testing::TestWithParam<AppLanguage> {
protected:
    void SetUp() override {
        window_ = std::make_unique<GalleryWindow>(notifier_);
        window_->show();
        QCoreApplication::processEvents();
        image_ = window_->grab().toImage();
    }

    QRect inWindow(const QWidget& widget) const { return {widget.mapTo(window_.get(), QPoint(0, 0)), widget.size()}; }
    QColor at(QPoint point) const { return image_.pixelColor(point * image_.devicePixelRatio()); }

    static bool near(const QColor& a, const QColor& b, int tolerance = 3) {
        return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
               std::abs(a.blue() - b.blue()) <= tolerance;
    }

    Loc loc_{GetParam()};
    LocNotifier notifier_{loc_};
    std::unique_ptr<GalleryWindow> window_;
    QImage image_;
};

} // namespace

TEST_P(GalleryRender, TheOuterCardsKeepTheSameMarginFromBothWindowSides) {
    int leftmost = window_->size().width();
    int rightmost = 0;
    for (const RetroCard* card : window_->findChildren<RetroCard*>()) {
        if (!card->isVisible()) continue;
        const QRect r = inWindow(*card);
        leftmost = std::min(leftmost, r.left());
        rightmost = std::max(rightmost, r.right());
    }
    EXPECT_EQ(leftmost, 24);
    EXPECT_EQ(window_->size().width() - 1 - rightmost, 24);
}

TEST_P(GalleryRender, AMissingReadingIsTheGreyEmDash) {
    QLabel* dash = window_->silentPanel()->cpuTemperature()->value();
    ASSERT_EQ(dash->text(), "\u2014");
    const QRect r = inWindow(*dash);
    int grey = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y) grey += near(at({x, y}), color(PaletteColor::outlineSubtle), 2);
    EXPECT_GT(grey, 20);
    // The sample's reading is a number in its temperature colour.
    EXPECT_EQ(window_->samplePanel()->cpuTemperature()->value()->text(), "61\u00B0C");
}

TEST_P(GalleryRender, TextIsSetInVazirmatnAndMachineTextRunsLeftToRight) {
    const auto texts = window_->gallery()->findChildren<LocText*>();
    ASSERT_FALSE(texts.isEmpty());
    for (const LocText* text : texts) {
        EXPECT_EQ(QFontInfo(text->font()).family(), "Vazirmatn") << text->key();
        EXPECT_TRUE(QRawFont::fromFont(text->font()).supportsCharacter(QChar(0x067E)));
    }
    const auto machine = window_->gallery()->findChildren<HardwareText*>();
    ASSERT_EQ(machine.size(), 1);
    EXPECT_EQ(machine.front()->layoutDirection(), Qt::LeftToRight);
    // At the leading edge of its card: the right in Persian.
    const QRect line = inWindow(*machine.front());
    const QRect card = inWindow(*window_->gallery()->findChildren<RetroCard*>().front());
    if (GetParam() == AppLanguage::persian)
        EXPECT_GT(line.left() - card.left(), card.right() - line.right());
    else
        EXPECT_LT(line.left() - card.left(), card.right() - line.right());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, GalleryRender, testing::Values(AppLanguage::english, AppLanguage::persian),
                         [](const auto& info) { return info.param == AppLanguage::english ? "English" : "Persian"; });

TEST(DesignSystemGallery, ALanguageSwitchRetellsEveryLabelButTheMachineLine) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    DesignSystemGallery gallery(notifier);
    const auto buttons = gallery.findChildren<RetroButton*>();
    ASSERT_EQ(buttons.size(), 5);
    QStringList english;
    for (const RetroButton* button : buttons) english << button->text();
    EXPECT_TRUE(english.contains("Sign In"));
    const QString machine = gallery.findChild<HardwareText*>()->text();
    const QString placeholder = gallery.textField()->lineEdit()->placeholderText();

    loc.setLanguage(AppLanguage::persian);
    for (int i = 0; i < buttons.size(); ++i) EXPECT_NE(buttons[i]->text(), english[i]);
    EXPECT_NE(gallery.textField()->lineEdit()->placeholderText(), placeholder);
    EXPECT_EQ(gallery.findChild<HardwareText*>()->text(), machine);
}
