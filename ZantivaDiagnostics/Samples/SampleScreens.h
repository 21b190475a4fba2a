#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace zantiva {

class LocNotifier;

// One screen of the app as zantiva-screens renders it.
struct SampleScreen {
    std::string_view name; // docs/screens/<name>-<en|fa>.png
    QSize size;            // the window size it is rendered at
    std::function<std::unique_ptr<QWidget>(LocNotifier& loc)> make; // the screen showing sample data
};

std::span<const SampleScreen> sampleScreens();

} // namespace zantiva
