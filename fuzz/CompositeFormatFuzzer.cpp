// The message formatter over any template and arguments: templates come from the message
// tables and from translators, arguments from devices and tools. Neither may crash it nor
// make it print without bound.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "Localization/CompositeFormat.h"

using namespace zantiva;

namespace {

// The input is the template, then after a NUL byte the arguments: a kind byte each, then
// eight bytes of a number or a text up to the next NUL.
std::vector<FormatArg> arguments(std::string_view rest) {
    std::vector<FormatArg> args;
    while (!rest.empty()) {
        const char kind = rest.front();
        rest.remove_prefix(1);
        if (kind % 5 == 0) {
            args.emplace_back();
            continue;
        }
        if (kind % 5 == 4) {
            const auto end = rest.find('\0');
            args.emplace_back(rest.substr(0, end));
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            continue;
        }
        if (rest.size() < 8) break;
        std::uint64_t bits;
        std::memcpy(&bits, rest.data(), 8);
        rest.remove_prefix(8);
        if (kind % 5 == 1) args.emplace_back(static_cast<std::int64_t>(bits));
        else if (kind % 5 == 2) args.emplace_back(bits);
        else {
            double value;
            std::memcpy(&value, &bits, 8);
            args.emplace_back(value);
        }
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const std::string_view templateText = input.substr(0, split);
    const auto args = arguments(split == std::string_view::npos ? std::string_view() : input.substr(split + 1));
    const std::string text = CompositeFormat::format(templateText, args);
    CompositeFormat::argumentIndices(templateText);

    // Each placeholder is at least three characters ("{0}") and prints at most its
    // argument's text padded to the widest width, with the most fraction digits.
    std::size_t longestArgument = 0;
    for (const auto& arg : args) longestArgument = std::max(longestArgument, arg.description().size());
    const std::size_t perPlaceholder = CompositeFormat::maximumWidth + CompositeFormat::maximumFractionDigits +
                                       2 * longestArgument + 400;
    FUZZ_CHECK(text.size() <= templateText.size() + (templateText.size() / 3 + 1) * perPlaceholder);
    return 0;
}
