// Trimming reads only the ends of a text; what it keeps must not depend on that.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "Model/SpecText.h"

namespace zantiva {
namespace {

TEST(SpecTextTest, TrimmingRemovesUnicodeWhiteSpaceAtBothEndsOnly) {
    struct Case {
        std::string_view text, trimmed;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", ""},
             {" \t\r\n ", ""},
             {"a", "a"},
             {" \t\u00A0Apple M2  Max\u2003\n", "Apple M2  Max"},
             {"\u0085x\u0085", "x"},
             {"\u3000\u00E9\u3000", "\u00E9"},
             {" \xFF ", "\xFF"},          // a stray byte is kept as it is
             {"\xE2\x80 ", "\xE2\x80"},   // so is a cut-off sequence
             {" \xC2\x85", ""},           // a whole NEL is white space
         }) {
        EXPECT_EQ(specText::trimmed(c.text), c.trimmed) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace zantiva
