#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "../../Support/NoFreeDescriptors.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Engines/StorageTestFile.h"
#include "StorageTestSupport.h"

namespace zantiva {
namespace {

TEST(StorageTestFile, IsAnUncachedOwnerOnlyFileWhoseNameIsAlreadyGone) {
    testing::useDiskForTemporaryFolders();
    testing::TemporaryFolder folder;
    const StorageTestFile file = StorageTestFile::create(folder.path());

    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_NE(::fcntl(file.descriptor(), F_GETFL) & O_DIRECT, 0);
    struct stat st {};
    ASSERT_EQ(::fstat(file.descriptor(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_nlink, 0u);
    // It was made under its proper name in the chosen folder, one that no other run takes.
    const std::string target = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(file.descriptor()));
    EXPECT_TRUE(target.starts_with((folder.path() / ".zantiva-ssd-test-").string())) << target;
    EXPECT_TRUE(target.ends_with(".tmp (deleted)")) << target;
    EXPECT_NE(StorageTestFile::makeName(), StorageTestFile::makeName());
}

// A process out of descriptors is told so, not that the folder couldn't be found.
TEST(StorageTestFile, WithoutAFreeDescriptorTheCauseIsTheDescriptors) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    testing::useDiskForTemporaryFolders();
    testing::TemporaryFolder folder;
    std::optional<StorageBenchmarkFailure::Kind> kind;
    {
        testing::NoFreeDescriptors exhausted;
        try {
            StorageTestFile::create(folder.path());
        } catch (const StorageBenchmarkFailure& failure) {
            kind = failure.kind();
        }
    }
    EXPECT_EQ(kind, StorageBenchmarkFailure::Kind::outOfDescriptors);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

} // namespace
} // namespace zantiva
