// The page reader's protocol both ways: the answer lines the main program reads off the
// reader's output (the web engine's own diagnostics share it), and the words the reader is
// started with. The first byte chooses: even, the rest is one output line; odd, NUL-separated
// words. An answer that reads prints itself so that it reads back to the same print; a
// request that reads gives words that read back to the same request, the address last.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "PageReader/PageReaderAnswer.h"
#include "PageReader/PageReaderRequest.h"

using namespace zantiva;

namespace {

void answerLine(std::string_view text) {
    const auto line = PageReaderAnswer::parse(text);
    if (!line) return;
    const std::string printed = PageReaderAnswer::print(*line);
    FUZZ_CHECK(printed.find('\n') == std::string::npos);
    const auto again = PageReaderAnswer::parse(printed);
    FUZZ_CHECK(again);
    FUZZ_CHECK(PageReaderAnswer::print(*again) == printed);
}

void requestWords(std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t start = 0;;) {
        const auto end = text.find('\0', start);
        words.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const auto request = PageReaderRequest::parse(words);
    if (!request) return;
    const auto arguments = request->arguments();
    FUZZ_CHECK(arguments.size() >= 2 && arguments[arguments.size() - 2] == "--");
    FUZZ_CHECK(arguments.back() == request->address);
    FUZZ_CHECK(PageReaderRequest::parse(arguments) == request);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0)
        answerLine(rest);
    else
        requestWords(rest);
    return 0;
}
