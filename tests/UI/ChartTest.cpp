#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Assets/LogoPicture.h"
#include "Charts/HistoryChart.h"
#include "Charts/ZantivaLogo.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "UiTestSupport.h"

using namespace zantiva;

TEST(HistoryChartPoints, RightAlignedInTheSlots) {
    const QSizeF size(178, 100);
    EXPECT_TRUE(HistoryChart::points({}, 90, 100, size).empty());

    const std::vector<double> one{50};
    const auto single = HistoryChart::points(one, 90, 100, size);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_DOUBLE_EQ(single[0].x(), 178);

    const std::vector<double> half(45, 10.0);
    const auto points = HistoryChart::points(half, 90, 100, size);
    EXPECT_DOUBLE_EQ(points.front().x(), 45 * 178.0 / 89);
    EXPECT_DOUBLE_EQ(points.back().x(), 178);

    // One slot divides by 1, not 0.
    const std::vector<double> five{5};
    EXPECT_DOUBLE_EQ(HistoryChart::points(five, 1, 100, size)[0].x(), 0);
}

TEST(HistoryChartPoints, ValuesAreHeldToTheScale) {
    const std::vector<double> values{150, -5, 25};
    const auto points = HistoryChart::points(values, 3, 100, QSizeF(100, 100));
    EXPECT_DOUBLE_EQ(points[0].y(), 0);
    EXPECT_DOUBLE_EQ(points[1].y(), 100);
    EXPECT_DOUBLE_EQ(points[2].y(), 75);

    const std::vector<double> half{0.5};
    for (const double maximum : {0.0, -3.0, std::nan("")}) {
        const HistoryChart chart(2, color(PaletteColor::primary), 40, maximum);
        EXPECT_EQ(chart.maximum(), 1);
        EXPECT_DOUBLE_EQ(HistoryChart::points(half, 2, chart.maximum(), QSizeF(10, 40))[0].y(), 20);
    }
}

TEST(HistoryChart, KeepsItsOwnCopyOfTheNewestValuesThatFit) {
    HistoryChart chart(3, color(PaletteColor::primary), 40, 100);
    EXPECT_EQ(chart.accessibleDescription(), "0");
    std::vector<double> values{1, 2, 3, 4, 42.5};
    chart.setValues(values);
    values.assign({7});
    EXPECT_EQ(chart.values(), (std::vector<double>{3, 4, 42.5}));
    // The newest value rounded half away from zero.
    EXPECT_EQ(chart.accessibleDescription(), "43");
    const std::vector<double> negative{-0.5};
    EXPECT_EQ(HistoryChart::accessibilityValue(negative), "-1");
    EXPECT_EQ(HistoryChart(0, Qt::red, 40, 100).capacity(), 1);
}

TEST(HistoryChart, DrawsTimeLeftToRightInBothDirections) {
    std::vector<double> values(10, 0.0);
    std::fill(values.begin() + 5, values.end(), 100.0);
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QWidget window;
        window.setLayoutDirection(direction);
        auto* chart = new HistoryChart(10, color(PaletteColor::primary), 100, 100, &window);
        chart->setValues(values);
        chart->resize(200, 100);
        EXPECT_EQ(chart->layoutDirection(), Qt::LeftToRight);
        const QImage image = uitest::render(*chart);
        // The high newest values fill the right half with the tinted area; the left is the muted panel.
        const QColor right = image.pixelColor(170, 70);
        const QColor left = image.pixelColor(30, 70);
        EXPECT_GT(right.red(), right.green() + 40) << direction;
        EXPECT_NEAR(left.red(), color(PaletteColor::muted).red(), 12) << direction;
        EXPECT_EQ(chart->height(), 100);
    }
}

TEST(ZantivaLogo, ThePictureFromTheBundleAtTheGivenHeight) {
    const QImage& picture = logoPicture();
    ASSERT_FALSE(picture.isNull()) << "the build puts zantiva-logo.png into the bundle";
    ZantivaLogo logo(48);
    EXPECT_TRUE(logo.showsPicture());
    EXPECT_EQ(logo.sizeHint(), QSize(qRound(48.0 * picture.width() / picture.height()), 48));
    EXPECT_EQ(logo.accessibleName(), "Zantiva");
    // Drawn in the palette's crimson.
    logo.resize(logo.sizeHint());
    const QImage image = uitest::render(logo);
    EXPECT_EQ(image.pixelColor(10, 24), color(PaletteColor::primary));
}

TEST(ZantivaLogo, WithoutAPictureTheNameIsSetInCrimson) {
    QTemporaryDir dir;
    const QString broken = dir.filePath("zantiva-logo.png");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a png");
    file.close();

    ZantivaLogo logo(40, QImage(broken));
    EXPECT_FALSE(logo.showsPicture());
    EXPECT_EQ(logo.accessibleName(), "Zantiva");
    EXPECT_EQ(logo.sizeHint().height(), 40);
    EXPECT_EQ(logo.sizeHint().width(), QFontMetrics(vazirFont(VazirWeight::black, 28)).horizontalAdvance("Zantiva"));
    logo.resize(logo.sizeHint());
    const QImage image = uitest::render(logo, color(PaletteColor::surface));
    bool crimson = false;
    for (int x = 0; x < image.width() && !crimson; ++x)
        for (int y = 0; y < image.height() && !crimson; ++y)
            crimson = image.pixelColor(x, y) == color(PaletteColor::primary);
    EXPECT_TRUE(crimson);
}
