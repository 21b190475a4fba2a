// The washer's static-noise frame on this machine: filling the field (colour and grey) and
// painting it onto a screen-sized raster surface, as the window's backing store does, at
// 1920x1080 and 2880x1800 device pixels. Beside it a plain per-pixel fill with the standard
// library's Mersenne Twister, the way a noise generator is usually first written. Prints
// "name: value" lines, medians over FRAMES frames (default 300).

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

using namespace zantiva;
using Clock = std::chrono::steady_clock;

template <typename Work> double medianMilliseconds(int frames, Work work) {
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + frames / 2, times.end());
    return times[frames / 2];
}

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const int frames = std::getenv("FRAMES") ? std::atoi(std::getenv("FRAMES")) : 300;
    for (const auto [width, height] : {std::pair{1920, 1080}, std::pair{2880, 1800}}) {
        WasherNoiseField field(42);
        field.resize(width, height);
        QImage screen(width, height, QImage::Format_RGB32);
        const double grey = medianMilliseconds(frames, [&] { field.fill(false); });
        const double colour = medianMilliseconds(frames, [&] { field.fill(true); });
        const double paint = medianMilliseconds(frames, [&] {
            const QImage image(reinterpret_cast<const uchar*>(field.pixels().data()), field.width(), field.height(),
                               field.width() * 4, QImage::Format_RGB32);
            QPainter painter(&screen);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(QRectF(0, 0, width, height), image);
        });
        std::mt19937 twister(42);
        std::vector<std::uint32_t> plain(static_cast<std::size_t>(field.width()) * field.height());
        const double reference = medianMilliseconds(frames, [&] {
            for (auto& pixel : plain) pixel = 0xFF000000u | (twister() & 0xFFFFFFu);
        });
        std::printf("screen: %dx%d\nfield: %dx%d\ngreyFillMs: %.3f\ncolourFillMs: %.3f\npaintMs: %.3f\n"
                    "mt19937FillMs: %.3f\n",
                    width, height, field.width(), field.height(), grey, colour, paint, reference);
    }
}
