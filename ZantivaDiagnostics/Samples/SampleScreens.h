#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace zantiva {

class LocNotifier;

// One screen that zantiva-screens shows on sample data.
struct SampleScreen {
    std::string_view name; // docs/screens/<name>-<en|fa>.png
    QSize size;            // the window size it is rendered at
    std::function<std::unique_ptr<QWidget>(LocNotifier& loc)> make; // the screen showing sample data
};

// Every sample screen, by name.
std::span<const SampleScreen> sampleScreens();

} // namespace zantiva
