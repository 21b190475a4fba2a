#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Engines/GPUBenchmarkError.h"
#include "Engines/MemoryTestFailure.h"
#include "Localization/MessageTables.h"

namespace zantiva {
namespace {

bool bothTablesHold(const std::string& key) {
    return StringsEn::table().contains(key) && StringsFa::table().contains(key);
}

// What the program itself says of a failure reaches the user in their language: each kind
// has its own message in both tables, and only the graphics stack's own words ride along.
TEST(EngineFailureMessages, OwnReasonsAreMessagesAndOnlyOutsideTextPassesThrough) {
    const std::string log = "fragmentMain: 0:1(1): error: syntax error";
    const std::pair<GPUBenchmarkError, std::vector<std::string>> gpu[] = {
        {GPUBenchmarkError::noDevice(), {}},
        {GPUBenchmarkError::resourceAllocation(), {}},
        {GPUBenchmarkError::commandBufferFailed(""), {}},
        {GPUBenchmarkError::commandBufferFailed("GL_OUT_OF_MEMORY"), {"GL_OUT_OF_MEMORY"}},
        {GPUBenchmarkError::shaderCompilation(log), {log}},
        {GPUBenchmarkError::deviceReset(), {}},
        {GPUBenchmarkError::outOfDescriptors(), {}},
    };
    std::set<std::string> keys;
    for (const auto& [error, outside] : gpu) {
        const LocalizedMessage message = error.userMessage();
        EXPECT_TRUE(bothTablesHold(message.key())) << error.what();
        EXPECT_EQ(message.arguments(), outside) << error.what();
        keys.insert(message.key());
    }
    EXPECT_EQ(keys.size(), std::size(gpu)) << "each failure is told apart";

    const LocalizedMessage memory = MemoryTestFailure(std::int64_t{3} << 30).userMessage();
    EXPECT_TRUE(bothTablesHold(memory.key()));
    EXPECT_EQ(memory.arguments(), std::vector<std::string>{"3072"});
    const LocalizedMessage shortage = MemoryTestFailure(std::int64_t{512} << 20, std::int64_t{576} << 20, 100 << 20).userMessage();
    EXPECT_TRUE(bothTablesHold(shortage.key()));
    EXPECT_EQ(shortage.arguments(), (std::vector<std::string>{"576", "100"}));
}

} // namespace
} // namespace zantiva
