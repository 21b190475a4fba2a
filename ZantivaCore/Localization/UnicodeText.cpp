#include "Localization/UnicodeText.h"

#include <algorithm>
#include <memory>

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

namespace zantiva::unicode {

namespace {

// Plain ASCII without a carriage return splits into one character per byte, which
// spares the break iterator for English templates.
bool isSimpleAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x80 && u != '\r';
    });
}

struct BreakIteratorCloser {
    void operator()(UBreakIterator* it) const { ubrk_close(it); }
};

// Opening a break iterator loads rules; one per thread is kept and re-pointed.
UBreakIterator* characterBreaker() {
    thread_local std::unique_ptr<UBreakIterator, BreakIteratorCloser> breaker = [] {
        UErrorCode status = U_ZERO_ERROR;
        UBreakIterator* it = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
        return std::unique_ptr<UBreakIterator, BreakIteratorCloser>(U_SUCCESS(status) ? it : nullptr);
    }();
    return breaker.get();
}

// Each code point as its own character: the fallback should ICU fail to open.
std::vector<std::string_view> codePoints(std::string_view text) {
    std::vector<std::string_view> out;
    forEachCodePoint(text, [&](std::int32_t, std::string_view piece) { out.push_back(piece); });
    return out;
}

UChar32 firstCodePoint(std::string_view text) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    int32_t i = 0;
    UChar32 c = U_SENTINEL;
    if (!text.empty()) U8_NEXT(s, i, static_cast<int32_t>(text.size()), c);
    return c;
}

bool isBlank(UChar32 c) { return c == '\t' || u_charType(c) == U_SPACE_SEPARATOR; }

} // namespace

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    if (isSimpleAscii(text)) {
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) out.push_back(text.substr(i, 1));
        return out;
    }
    UBreakIterator* breaker = characterBreaker();
    UErrorCode status = U_ZERO_ERROR;
    UText ut = UTEXT_INITIALIZER;
    utext_openUTF8(&ut, text.data(), static_cast<int64_t>(text.size()), &status);
    if (breaker) ubrk_setUText(breaker, &ut, &status);
    if (!breaker || U_FAILURE(status)) {
        utext_close(&ut);
        return codePoints(text);
    }
    int32_t start = ubrk_first(breaker);
    for (int32_t end = ubrk_next(breaker); end != UBRK_DONE; start = end, end = ubrk_next(breaker))
        out.push_back(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    utext_close(&ut);
    return out;
}

std::size_t characterCount(std::string_view text) {
    return isSimpleAscii(text) ? text.size() : characters(text).size();
}

bool isNumberCharacter(std::string_view character) {
    const UChar32 c = firstCodePoint(character);
    return c >= 0 && u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

std::string_view trimBlanks(std::string_view text) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    auto length = static_cast<int32_t>(text.size());
    int32_t start = 0;
    while (start < length) {
        int32_t next = start;
        UChar32 c;
        U8_NEXT(s, next, length, c);
        if (!isBlank(c)) break;
        start = next;
    }
    while (length > start) {
        int32_t previous = length;
        UChar32 c;
        U8_PREV(s, start, previous, c);
        if (!isBlank(c)) break;
        length = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length - start));
}

void forEachCodePoint(std::string_view text, const std::function<void(std::int32_t codePoint, std::string_view piece)>& visit) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        visit(c, text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
    }
}

} // namespace zantiva::unicode
