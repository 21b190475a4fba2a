#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Model/SystemSpecs.h"

namespace zantiva {

class Loc;

// The cards of the specs panel that can open a load-history chart.
enum class SpecsChart { cpu, memory, gpu };

// One detail line of a card: a localised sentence, or a string the machine reported.
struct SpecsDetail {
    enum class Kind { prose, hardware };
    Kind kind;
    std::string text;

    bool operator==(const SpecsDetail&) const = default;
};

struct SpecsCard {
    std::optional<SpecsChart> chart;
    std::string title;
    SpecsDetail value; // the machine's reading verbatim, or the words for one it did not give
    std::vector<SpecsDetail> details;

    bool operator==(const SpecsCard&) const = default;
};

// The words around one chart: its toggle, the toggle's tooltip and the pop-up's title.
struct SpecsChartTexts {
    std::string toggleLabel;
    std::string tooltip;
    std::string popupTitle;

    bool operator==(const SpecsChartTexts&) const = default;
};

struct SpecsDrive {
    SpecsDetail model;
    bool isExternal = false;
    std::optional<std::string> kindBadge; // "SSD · USB"; none when nothing is known
    std::string capacity;                 // "500 GB"

    bool operator==(const SpecsDrive&) const = default;
};

// The texts of the specs panel, from the machine's specs and the language.
namespace SpecsPresenter {

// Processor, memory, graphics, firmware: reading order of the two-by-two grid.
std::array<SpecsCard, 4> cards(const SystemSpecs& specs, const Loc& loc);

std::vector<SpecsDetail> cpuDetails(const SystemSpecs& specs, const Loc& loc);
std::vector<SpecsDetail> memoryDetails(const SystemSpecs& specs, const Loc& loc);
std::vector<SpecsDetail> gpuDetails(const SystemSpecs& specs, const Loc& loc);
std::vector<SpecsDetail> firmwareDetails(const SystemSpecs& specs);

std::vector<SpecsDrive> drives(const SystemSpecs& specs, const Loc& loc);

SpecsChartTexts chartTexts(SpecsChart chart, const Loc& loc);

// "16 GB" when within 0.05 of a whole number, else one decimal: "15.9 GB".
std::string gigabytes(double value);
// A whole number of gigabytes, halves away from zero: "500 GB". A size that is not a finite
// number of a sane size is an em dash.
std::string capacity(double gigabytes);
// Whether the system gave the text: not empty and not exactly "Unknown".
bool isReported(const std::string& text);
// What the system read, or, in the interface language, that it read nothing.
std::string readingText(const std::string& text, const Loc& loc);
// The strings that are present and reported, in order.
std::vector<std::string> known(const std::vector<std::optional<std::string>>& parts);
std::string joined(const std::vector<std::string>& parts, const std::string& separator);

} // namespace SpecsPresenter
} // namespace zantiva
