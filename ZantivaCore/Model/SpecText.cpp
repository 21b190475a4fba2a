#include "Model/SpecText.h"

#include <string>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace zantiva::specText {
namespace {

std::u32string folded(std::string_view text) {
    std::u32string out;
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        out.push_back(static_cast<char32_t>(c < 0 ? 0xFFFD : u_foldCase(c, U_FOLD_CASE_DEFAULT)));
    }
    return out;
}

} // namespace

std::string_view trimmed(std::string_view text) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    // Only the white space at each end is read: a long line costs no more than a short one.
    int32_t begin = 0;
    while (begin < length) {
        int32_t next = begin;
        UChar32 c;
        U8_NEXT(s, next, length, c);
        if (c < 0 || !u_isUWhiteSpace(c)) break;
        begin = next;
    }
    int32_t end = length;
    while (end > begin) {
        int32_t previous = end;
        UChar32 c;
        U8_PREV(s, begin, previous, c);
        if (c < 0 || !u_isUWhiteSpace(c)) break;
        end = previous;
    }
    return begin < end ? text.substr(begin, end - begin) : std::string_view{};
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0, wordStart = 0;
    while (i < length) {
        const int32_t at = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c >= 0 && u_isUWhiteSpace(c)) {
            if (at > wordStart) out.push_back(text.substr(wordStart, at - wordStart));
            wordStart = i;
        }
    }
    if (length > wordStart) out.push_back(text.substr(wordStart));
    return out;
}

bool isKnown(std::string_view text) {
    const auto t = trimmed(text);
    return !t.empty() && !equalIgnoringCase(t, "Unknown");
}

bool equalIgnoringCase(std::string_view a, std::string_view b) { return folded(a) == folded(b); }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return folded(text).starts_with(folded(prefix));
}

} // namespace zantiva::specText
