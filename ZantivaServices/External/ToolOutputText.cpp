#include "External/ToolOutputText.h"
#include "Model/SpecText.h"

#include <algorithm>
#include <charconv>

#include "External/ExternalBenchmarkResult.h"

namespace zantiva::tooltext {

std::string lowercased(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

std::optional<double> score(std::string_view text) {
    text = specText::trimmed(text);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !isUsableScore(value)) return std::nullopt;
    return value;
}

bool isUnsupportedSystem(std::string_view line) {
    const std::string lower = lowercased(line);
    return lower.find("unsupported operating system") != std::string::npos ||
           lower.find("unsupported system") != std::string::npos;
}

} // namespace zantiva::tooltext
