#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"

namespace zantiva {
namespace {

std::string linesOf(const nlohmann::json& record) {
    std::ostringstream out;
    printResultLines(out, record);
    return out.str();
}

TEST(ResultLines, NestedRecordsJoinNamesWithDotsAndListsTakeIndexes) {
    const auto record = nlohmann::json::parse(R"({
        "name": "disk0", "ok": true, "count": 3, "big": 18446744073709551615, "ratio": 0.25,
        "inner": {"rate": 2345.6, "deeper": {"n": -2}}, "fans": [1200.5, 900], "gone": null
    })");
    EXPECT_EQ(linesOf(record),
              "big: 18446744073709551615\n"
              "count: 3\n"
              "fans.0: 1200.5\n"
              "fans.1: 900\n"
              "inner.deeper.n: -2\n"
              "inner.rate: 2345.6\n"
              "name: disk0\n"
              "ok: true\n"
              "ratio: 0.25\n");
}

TEST(ResultLines, EveryLineStaysOneLineAndCanBeReadBackExactly) {
    const auto record = nlohmann::json::parse(R"({"path": "/mnt/a\nforged: yes\r\tb\\n\u0000\u001b[2J\u007f\u0085 \u0641"})");
    EXPECT_EQ(linesOf(record), "path: /mnt/a\\nforged: yes\\r\\tb\\\\n\\x00\\x1b[2J\\x7f\\xc2\\x85 \u0641\n");
    std::ostringstream out;
    printResultLines(out, nlohmann::json{{"drive", "bad \xFF\xC3"}}, "sd\x1b" "a");
    printLine(out, "name\n", std::string("a\0b", 3));
    EXPECT_EQ(printFailure(out, "could not write /tmp/x\nupdate: none"), 1);
    EXPECT_EQ(out.str(), "sd\\x1ba.drive: bad \\xff\\xc3\n"
                         "name\\n: a\\x00b\n"
                         "failed: could not write /tmp/x\\nupdate: none\n");
}

TEST(ResultLines, NumbersArePosixWhateverTheLocale) {
    // A comma-decimal locale must not leak into the lines.
    const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (!previous) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup adds it)";
    std::locale::global(std::locale("de_DE.UTF-8"));
    EXPECT_EQ(posixNumber(2345.6), "2345.6");
    EXPECT_EQ(posixNumber(1000.0), "1000");
    EXPECT_EQ(posixNumber(0.001), "0.001");
    EXPECT_EQ(posixNumber(-0.0), "0");
    EXPECT_EQ(posixNumber(3.5714, 3), "3.571");
    EXPECT_EQ(posixNumber(2236.65, 1), "2236.7");
    EXPECT_EQ(posixNumber(-0.01, 1), "0.0");
    EXPECT_EQ(linesOf(nlohmann::json{{"x", 1234567.25}}), "x: 1234567.25\n");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
}

// Each update rewrites the one line in place and the end removes it; a text wider than the
// terminal is cut so that it never wraps; anything but a terminal gets nothing.
TEST(ProgressLine, RewritesOneTerminalLineInPlaceNeverWiderThanTheTerminal) {
    struct Case {
        bool terminal;
        int columns;
        std::vector<std::string> updates;
        std::string shown;
    } const cases[] = {
        // Unchanged text is not written again.
        {true, 0, {"cpu: multiCore 10%", "cpu: multiCore 10%", "cpu: multiCore 20%"},
         "\rcpu: multiCore 10%\x1b[K\rcpu: multiCore 20%\x1b[K\r\x1b[K"},
        // 24 characters, 26 bytes: cut by characters, one column left free.
        {true, 12, {"Scored run—frame 4 of 10", "short", "exactly 11.", "just 12 char"},
         "\rScored run\xe2\x80\x94\x1b[K\rshort\x1b[K\rexactly 11.\x1b[K\rjust 12 cha\x1b[K\r\x1b[K"},
        {false, 0, {"memory: pass 1/3 write 50%"}, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        {
            ProgressLine line(err, c.terminal, c.columns);
            for (const auto& text : c.updates) line.update(text);
        }
        EXPECT_EQ(err.str(), c.shown) << c.updates.front();
    }
}

} // namespace
} // namespace zantiva
