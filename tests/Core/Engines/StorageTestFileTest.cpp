#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <regex>

#include "Engines/StorageTestFile.h"
#include "StorageTestSupport.h"

namespace zantiva {
namespace {

class StorageTestFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::useDiskForTemporaryFolders(); }
};

TEST_F(StorageTestFileTest, NamesCarryTheProcessIdAndEightRandomHexDigits) {
    const std::string name = StorageTestFile::makeName();
    const std::regex pattern("\\.zantiva-ssd-test-" + std::to_string(::getpid()) + "-[0-9A-F]{8}\\.tmp");
    EXPECT_TRUE(std::regex_match(name, pattern)) << name;
    EXPECT_NE(StorageTestFile::makeName(), StorageTestFile::makeName());
}

TEST_F(StorageTestFileTest, IsAnUncachedOwnerOnlyFileWhoseNameIsAlreadyGone) {
    testing::TemporaryFolder folder;
    const StorageTestFile file = StorageTestFile::create(folder.path());

    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_NE(::fcntl(file.descriptor(), F_GETFL) & O_DIRECT, 0);
    struct stat st {};
    ASSERT_EQ(::fstat(file.descriptor(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_nlink, 0u);
    // It was made under its proper name in the chosen folder.
    const std::string target = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(file.descriptor()));
    EXPECT_TRUE(target.starts_with((folder.path() / ".zantiva-ssd-test-").string())) << target;
    EXPECT_TRUE(target.ends_with(".tmp (deleted)")) << target;
}

} // namespace
} // namespace zantiva
