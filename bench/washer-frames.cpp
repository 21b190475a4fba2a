// The washer's static-noise frame on this machine: filling the field (colour and grey) and
// painting it onto a screen-sized raster surface, as the window's backing store does, at
// 1920x1080 and 2880x1800 device pixels. Beside it a plain per-pixel fill with the standard
// library's Mersenne Twister, the way a noise generator is usually first written. Prints
// "name: value" lines, medians over FRAMES frames (default 300; the reference a tenth of them).

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "Washer/WasherNoiseField.h"
#include "Washer/WasherNoiseStretch.h"

using namespace zantiva;
using Clock = std::chrono::steady_clock;

template <typename Work> double milliseconds(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// What the washer's surface paints: the field itself where it covers the screen, else our
// stretch of it a band at a time, either one drawn unscaled.
void paint(QImage& screen, const WasherNoiseField& field, WasherNoiseStretch& stretch) {
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int width = screen.width();
    const auto draw = [&](const std::uint32_t* pixels, int top, int rows) {
        const QImage band(reinterpret_cast<const uchar*>(pixels), width, rows, width * 4, QImage::Format_RGB32);
        painter.drawImage(QRectF(0, top, width, rows), band);
    };
    if (field.width() == width && field.height() == screen.height()) draw(field.pixels().data(), 0, field.height());
    else stretch.stretch(field, width, screen.height(), draw);
}

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const int frames = std::getenv("FRAMES") ? std::atoi(std::getenv("FRAMES")) : 300;
    for (const auto [width, height] : {std::pair{1920, 1080}, std::pair{2880, 1800}}) {
        WasherNoiseField field(42);
        field.resize(width, height);
        WasherNoiseStretch stretch;
        QImage screen(width, height, QImage::Format_RGB32);
        // Grey fill, colour fill and paint take turns frame by frame, so that a change in the
        // machine's load falls on all three; the grey/colour ratio is taken frame by frame.
        std::vector<double> grey, colour, painted, frame, ratios;
        for (int i = 0; i < frames; ++i) {
            grey.push_back(milliseconds([&] { field.fill(false); }));
            colour.push_back(milliseconds([&] { field.fill(true); }));
            painted.push_back(milliseconds([&] { paint(screen, field, stretch); }));
            frame.push_back(colour.back() + painted.back());
            ratios.push_back(grey.back() / colour.back());
        }
        std::mt19937 twister(42);
        std::vector<std::uint32_t> plain(static_cast<std::size_t>(field.width()) * field.height());
        std::vector<double> reference;
        for (int i = 0; i < frames / 10 + 1; ++i)
            reference.push_back(milliseconds([&] {
                for (auto& pixel : plain) pixel = 0xFF000000u | (twister() & 0xFFFFFFu);
            }));
        std::sort(ratios.begin(), ratios.end());
        std::printf("screen: %dx%d\nfield: %dx%d\ngreyFillMs: %.3f\ncolourFillMs: %.3f\npaintMs: %.3f\nframeMs: %.3f\n"
                    "greyToColourMin: %.3f\ngreyToColourMedian: %.3f\ngreyToColourMax: %.3f\nmt19937FillMs: %.3f\n",
                    width, height, field.width(), field.height(), median(grey), median(colour), median(painted),
                    median(frame), ratios.front(), median(ratios), ratios.back(), median(reference));
    }
}
