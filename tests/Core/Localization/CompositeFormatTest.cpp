#include "Localization/CompositeFormat.h"

#include <atomic>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

using namespace zantiva;
using CompositeFormat::format;

TEST(CompositeFormat, PlaceholdersThatCannotBeFilledStayAsWritten) {
    EXPECT_EQ(format("", {}), "");
    EXPECT_EQ(format("{0}", {}), "{0}");
    EXPECT_EQ(format("{3} and {0}", {"a", "b"}), "{3} and a");
    EXPECT_EQ(format("{-1}", {"a"}), "{-1}");
    EXPECT_EQ(format("{x}", {"a"}), "{x}");
    EXPECT_EQ(format("{99999999999999999999}", {"a"}), "{99999999999999999999}");
    EXPECT_EQ(format("{ 0 }|{+0}|{\t0\u00a0}", {"a"}), "a|a|a");
    EXPECT_EQ(format("{\n0}", {"a"}), "{\n0}");
    // One sign at most.
    EXPECT_EQ(format("{+-0}|{-+0}", {"a"}), "{+-0}|{-+0}");
}

TEST(CompositeFormat, BracesEscapeAndUnclosedPlaceholders) {
    EXPECT_EQ(format("{{0}}", {"a"}), "{0}");
    EXPECT_EQ(format("{{{0}}}", {"a"}), "{a}");
    EXPECT_EQ(format("a}b", {}), "a}b");
    EXPECT_EQ(format("a{0", {"x"}), "a{0");
    EXPECT_EQ(format("{0} {", {"x"}), "x {");
    // A "{" inside an item belongs to the item.
    EXPECT_EQ(format("{a{0}", {"x"}), "{a{0}");
    // A brace carrying a combining mark is another character, not a brace.
    EXPECT_EQ(format("{0}\u0301", {"x"}), "{0}\u0301");
}

TEST(CompositeFormat, MalformedTextIsCopiedNotTrusted) {
    EXPECT_EQ(format("\xff{0}\xc3", {"a"}), "\xff" "a\xc3");
    EXPECT_EQ(format("{0,3:\xe2\x82}", {2.0}), "2.0");
    EXPECT_EQ(format("{0,\xff}|{\xc3}", {"a"}), "a|{\xc3}");
}

TEST(CompositeFormat, PersianTemplatesFormatOnSeveralThreadsAtOnce) {
    const std::string persian = "\u0627\u0645\u062a\u06cc\u0627\u0632 {0:N1} \u0627\u0632 {1,4}";
    const std::string expected = "\u0627\u0645\u062a\u06cc\u0627\u0632 1,234.6 \u0627\u0632  100";
    std::vector<std::thread> threads;
    std::atomic<int> wrong = 0;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i)
                if (format(persian, {1234.56, 100}) != expected) ++wrong;
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, 0);
}

TEST(CompositeFormat, WidthsPadByCharacters) {
    EXPECT_EQ(format("{0,5}", {"ab"}), "   ab");
    EXPECT_EQ(format("{0,-5}|", {"ab"}), "ab   |");
    EXPECT_EQ(format("{0,1}", {"ab"}), "ab");
    EXPECT_EQ(format("{0, +4 :F1}", {2.25}), " 2.3");
    EXPECT_EQ(format("{0,5}", {std::nullopt}), "     ");
    EXPECT_EQ(format("{0,x}", {"ab"}), "ab");
    EXPECT_EQ(format("{0,+-5}", {"ab"}), "ab");
    // A letter with its mark, and a letter with a zero-width non-joiner, count once.
    EXPECT_EQ(format("{0,3}", {"e\u0301"}), "  e\u0301");
    EXPECT_EQ(format("{0,6}", {"\u0645\u06cc\u200c\u0634\u0648\u062f"}), " \u0645\u06cc\u200c\u0634\u0648\u062f");
}

TEST(CompositeFormat, WidthsAndFractionDigitsAreCapped) {
    EXPECT_EQ(format("{0,1000000000}", {"a"}).size(), std::size_t(CompositeFormat::maximumWidth));
    EXPECT_EQ(format("{0,-9223372036854775808}", {"a"}), "a" + std::string(999, ' '));
    EXPECT_EQ(format("{0,99999999999999999999}", {"a"}), "a");
    EXPECT_EQ(format("{0:F5000}", {1.5}), "1.5" + std::string(999, '0'));
    EXPECT_EQ(format("{0:0." + std::string(5000, '#') + "}", {1.5}).size(), std::size_t(2 + 1000));
}

TEST(CompositeFormat, ArgumentsWithoutSpec) {
    EXPECT_EQ(format("{0}", {3.0}), "3");
    EXPECT_EQ(format("{0}", {-0.0}), "0");
    EXPECT_EQ(format("{0}", {2.5}), "2.5");
    EXPECT_EQ(format("{0}", {0.1}), "0.1");
    EXPECT_NE(format("{0}", {1e15}), "1000000000000000");
    EXPECT_EQ(std::stod(format("{0}", {1e15})), 1e15);
    EXPECT_EQ(format("{0}", {1e17}), "1e+17");
    EXPECT_EQ(format("{0}", {-7}), "-7");
    EXPECT_EQ(format("{0}", {std::uint64_t(18446744073709551615u)}), "18446744073709551615");
    EXPECT_EQ(format("{0}|{1}|{2}", {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}), "nan|inf|-inf");
    EXPECT_EQ(format("{0}", {0.1f}), "0.10000000149011612");
    EXPECT_EQ(format("{0}{1}{2}", {true, 'x', std::optional<int>(4)}), "truex4");
}

TEST(CompositeFormat, NumericSpecs) {
    EXPECT_EQ(format("{0:F2}", {3.14159}), "3.14");
    EXPECT_EQ(format("{0:N0}", {1234567.5}), "1,234,568");
    EXPECT_EQ(format("{0:N}", {1234.5}), "1,234.50");
    EXPECT_EQ(format("{0:0.0}", {2.25}), "2.3");
    EXPECT_EQ(format("{0:0}", {99.5}), "100");
    EXPECT_EQ(format("{0:0.00}", {7}), "7.00");
    EXPECT_EQ(format("{0:#,##0.0}", {12345.67}), "12,345.7");
    EXPECT_EQ(format("{0:F}", {2.0}), "2.00");
    EXPECT_EQ(format("{0:n2}", {-1234.5}), "-1,234.50");
    EXPECT_EQ(format("{0:N0}", {999.0}), "999");
    EXPECT_EQ(format("{0:N0}", {-1000.0}), "-1,000");
    EXPECT_EQ(format("{0:F0}", {1e21}), "1000000000000000000000");
    EXPECT_EQ(format("{0:N1}", {0.0}), "0.0");
    EXPECT_EQ(format("{0:F2}|{1:N0}", {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}), "nan|-inf");
    // Digits of another script are a standard spec with the default count.
    EXPECT_EQ(format("{0:F\u0663}", {1.0}), "1.00");
}

TEST(CompositeFormat, InvalidSpecsPrintTheArgumentsOwnText) {
    EXPECT_EQ(format("{0: F2}", {3.14159}), "3.14159");
    EXPECT_EQ(format("{0:Fx}", {3.0}), "3.0");
    EXPECT_EQ(format("{0:X}", {7}), "7");
    EXPECT_EQ(format("{0:0.0}", {"3.14159"}), "3.14159");
    EXPECT_EQ(format("{0:}", {3.0}), "3");
}

TEST(CompositeFormat, HalvesRoundAwayFromZeroOnTheNumberAsItReads) {
    EXPECT_EQ(format("{0:f1}", {0.05}), "0.1");
    EXPECT_EQ(format("{0:F2}|{1:F2}", {2.675, -2.675}), "2.68|-2.68");
    EXPECT_EQ(format("{0:F2}", {1.005}), "1.01");
    EXPECT_EQ(format("{0:0}|{1:0}|{2:0}|{3:0}", {0.5, -0.5, 2.5, -2.5}), "1|-1|3|-3");
    EXPECT_EQ(format("{0:F0}", {0.49999999999999994}), "0");
    EXPECT_EQ(format("{0:F2}", {9.995}), "10.00");
    EXPECT_EQ(format("{0:N0}", {999999.5}), "1,000,000");
    EXPECT_EQ(format("{0:F3}", {0.0005}), "0.001");
    EXPECT_EQ(format("{0:F2}|{1:F2}", {-0.001, -0.0}), "0.00|0.00");
    EXPECT_EQ(format("{0:F2}", {5e-324}), "0.00");
}

TEST(CompositeFormat, OutputIgnoresTheProcessLocale) {
    const std::vector<FormatArg> args{1234567.891, 2.5, -1234.5};
    const std::string templateText = "{0:N2} {1} {2:#,##0.0} {1:F3}";
    const std::string expected = "1,234,567.89 2.5 -1,234.5 2.500";
    ASSERT_EQ(format(templateText, args), expected);

    const std::string saved = std::setlocale(LC_ALL, nullptr);
    int tried = 0;
    for (const char* name : {"de_DE.UTF-8", "fa_IR.UTF-8"}) {
        if (!std::setlocale(LC_ALL, name)) continue;
        ++tried;
        std::locale::global(std::locale(name));
        EXPECT_EQ(format(templateText, args), expected) << name;
        std::locale::global(std::locale::classic());
    }
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_GT(tried, 0) << "no comma-decimal locale installed (scripts/setup generates de_DE.UTF-8)";
}

TEST(CompositeFormat, ArgumentIndices) {
    using Set = std::set<std::int64_t>;
    EXPECT_EQ(CompositeFormat::argumentIndices("{0} of {1} ({2:0.0})"), (Set{0, 1, 2}));
    EXPECT_EQ(CompositeFormat::argumentIndices("{{0}}"), Set{});
    EXPECT_EQ(CompositeFormat::argumentIndices("{ 0}{3,5}{1:F2}{x}"), (Set{1, 3}));
    EXPECT_EQ(CompositeFormat::argumentIndices("{4} {5"), Set{4});
}
