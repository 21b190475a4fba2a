#include <gtest/gtest.h>

#include <sstream>

#include "CLI/MemoryMode.h"

namespace zantiva {
namespace {

TEST(MemoryMode, ShowsEachPassOnATerminalAndRemovesTheLineBeforeTheResults) {
    std::ostringstream out, err;
    const Loc loc(AppLanguage::english);
    CliContext terminal{out, err, true, loc};
    EXPECT_EQ(runMemoryMode(CommandLine({"--ram"}), terminal), 0);
    const std::string shown = err.str();
    EXPECT_NE(shown.find("\rWriting pass 1/3 (0x00) 0%"), std::string::npos) << shown.substr(0, 200);
    EXPECT_NE(shown.find("\rWriting pass 2/3 (0xFF) 100%"), std::string::npos);
    EXPECT_NE(shown.find("\rVerifying pass 3/3 (0xAA) 100%"), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K");
    EXPECT_NE(out.str().find("testedBytes: 536870912\n"), std::string::npos);
}

} // namespace
} // namespace zantiva
