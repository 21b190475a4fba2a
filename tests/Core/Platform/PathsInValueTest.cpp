#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Platform/PathsInValue.h"

namespace zantiva {
namespace {

using Paths = std::vector<std::string>;

// The places a value names, as the session, the sound server, URLs and search paths write them.
TEST(PathsInValue, EveryAbsolutePathAValueNamesIsFound) {
    struct Case {
        std::string value;
        Paths paths;
    };
    const Case cases[] = {
        {"/home/ana/fonts.conf", {"/home/ana/fonts.conf"}},
        {"/home/ana/My Music", {"/home/ana/My Music", "/home/ana/My"}},
        {"/home/ana/bin:/usr/bin", {"/home/ana/bin:/usr/bin", "/home/ana/bin", "/usr/bin"}},
        {"unix:path=/run/user/1000/bus,guid=0123", {"/run/user/1000/bus"}},
        {"{8f3a}unix:/run/user/1000/pulse/native tcp:localhost:4713", {"/run/user/1000/pulse/native"}},
        {"local/ana:@/tmp/.ICE-unix/99,unix/ana:/tmp/.ICE-unix/99", {"/tmp/.ICE-unix/99"}},
        {"file:///home/ana/My%20Fonts/fonts.conf", {"///home/ana/My%20Fonts/fonts.conf", "///home/ana/My Fonts/fonts.conf"}},
        {"--config=\"/home/ana/tool.conf\"", {"/home/ana/tool.conf"}},
        {"en_US.UTF-8", {}},
        {":0", {}},
        {"relative/fonts.conf", {}},
        {"100%", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(absolutePathsIn(c.value), c.paths) << c.value;
}

// A list of absolute paths is told apart from one path and from anything else with colons.
TEST(PathsInValue, OnlyAListStartingWithAnAbsolutePathHasParts) {
    EXPECT_EQ(pathListParts("/home/ana/bin::/usr/bin"), Paths({"/home/ana/bin", "", "/usr/bin"}));
    EXPECT_EQ(pathListParts("/usr/bin:."), Paths({"/usr/bin", "."}));
    for (const char* value : {"/usr/bin", "unix:/run/user/1000/pulse/native", "file:///etc/fonts", ":0", ""})
        EXPECT_EQ(pathListParts(value), std::nullopt) << value;
}

} // namespace
} // namespace zantiva
