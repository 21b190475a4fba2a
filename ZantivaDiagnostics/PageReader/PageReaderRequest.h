#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Localization/AppLanguage.h"
#include "PageReader/GeekbenchScoreReading.h"

namespace zantiva {

// One read by the result-page reader program, as the words it is started with; the grammar
// is in docs/outside-tools.md.
struct PageReaderRequest {
    std::string address;
    bool isGPU = false;
    // A window may ask a person to pass the site's check.
    bool interactive = false;
    // The language of that window.
    AppLanguage language = AppLanguage::english;
    // Only pages of this site are read; absent: the result browser.
    std::optional<std::string> site;
    GeekbenchPageTiming timing;
    // The web engine's own diagnostics stay on.
    bool verbose = false;
    // What the program and the web engine's processes may hold of their own, in MiB; a page
    // that takes more is not read.
    std::uint64_t memoryMiB = defaultMemoryMiB;

    static constexpr std::uint64_t defaultMemoryMiB = 1024;

    // The address comes last, after "--", so that no address is ever taken for an option.
    std::vector<std::string> arguments() const;
    // Absent for words that are not a request: an unknown option, a bad value, no address.
    static std::optional<PageReaderRequest> parse(std::span<const std::string> words);

    bool operator==(const PageReaderRequest&) const = default;
};

} // namespace zantiva
