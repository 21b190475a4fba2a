// Moving without replacing, on real files: through the kernel's own no-replace rename, and
// through the steps taken where it fails (a file system, kernel or sandbox without it),
// which must never replace what is already there either.

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>

#include "../../Support/TemporaryFolder.h"
#include "Platform/ExclusiveRename.h"
#include "Platform/FileDescriptor.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using testing::writeRaw;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// renameat2 failing as it does where the flag or the call is missing.
int failedWith(int error) {
    errno = error;
    return -1;
}
int withoutFlag(int, const char*, int, const char*, unsigned int) { return failedWith(EINVAL); }
int withoutCall(int, const char*, int, const char*, unsigned int) { return failedWith(ENOSYS); }
int sandboxed(int, const char*, int, const char*, unsigned int) { return failedWith(EPERM); }
int denied(int, const char*, int, const char*, unsigned int) { return failedWith(EACCES); }

class ExclusiveRenameTest : public ::testing::Test {
protected:
    std::error_code move(const std::string& from, const std::string& to, RenameAt2 call) {
        return renameWithoutReplacing(dir.get(), from, to, call);
    }

    testing::TemporaryFolder folder;
    FileDescriptor dir{::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
};

TEST_F(ExclusiveRenameTest, EveryWayMovesToAFreeNameAndNeverReplacesATakenOne) {
    for (const RenameAt2 call : {RenameAt2(nullptr), &withoutFlag, &withoutCall, &sandboxed}) {
        writeRaw(folder / "record", "damaged");
        writeRaw(folder / "taken", "kept before");
        fs::create_directories(folder / "full" / "inside");
        fs::create_directory(folder / "empty");
        fs::create_directory(folder / "folder");
        fs::create_symlink("record", folder / "link");

        EXPECT_EQ(move("record", "taken", call), std::errc::file_exists);
        EXPECT_EQ(move("record", "empty", call), std::errc::file_exists);
        EXPECT_EQ(move("folder", "full", call), std::errc::file_exists);
        EXPECT_EQ(move("folder", "empty", call), std::errc::file_exists) << "not even an empty folder";
        EXPECT_EQ(move("folder", "taken", call), std::errc::file_exists);
        EXPECT_EQ(contentOf(folder / "taken"), "kept before");
        EXPECT_EQ(contentOf(folder / "record"), "damaged");
        EXPECT_TRUE(fs::exists(folder / "full" / "inside"));

        EXPECT_FALSE(move("record", "record.bad", call));
        EXPECT_FALSE(move("folder", "folder.bad", call));
        EXPECT_FALSE(move("link", "link.bad", call));
        EXPECT_EQ(contentOf(folder / "record.bad"), "damaged");
        EXPECT_FALSE(fs::exists(folder / "record"));
        EXPECT_TRUE(fs::is_directory(folder / "folder.bad"));
        EXPECT_FALSE(fs::exists(folder / "folder"));
        EXPECT_EQ(fs::read_symlink(folder / "link.bad"), "record");
        EXPECT_FALSE(fs::is_symlink(folder / "link"));
        for (const auto& entry : fs::directory_iterator(folder.path())) fs::remove_all(entry.path());
    }
}

TEST_F(ExclusiveRenameTest, AnyOtherFailureIsAnsweredAndNothingMoves) {
    writeRaw(folder / "record", "damaged");
    EXPECT_EQ(move("record", "record.bad", &denied), std::errc::permission_denied);
    EXPECT_EQ(move("missing", "missing.bad", &withoutFlag), std::errc::no_such_file_or_directory);
    EXPECT_EQ(contentOf(folder / "record"), "damaged");
    EXPECT_FALSE(fs::exists(folder / "record.bad"));
}

// The move happens in the folder that was opened and checked, whatever its path names later.
TEST_F(ExclusiveRenameTest, APrivateFolderMovesInsideItselfNotThroughItsPath) {
    const auto opened = PrivateFolder::open(folder / "data", PrivateFolder::IfMissing::make,
                                            PrivateFolder::IfOpenToOthers::close);
    ASSERT_TRUE(opened);
    writeRaw(folder / "data" / "record", "damaged");
    fs::rename(folder / "data", folder / "moved");
    fs::create_directory(folder / "data");
    writeRaw(folder / "data" / "record", "someone else's");

    EXPECT_FALSE(opened->moveWithoutReplacing("record", "record.bad"));
    EXPECT_EQ(contentOf(folder / "moved" / "record.bad"), "damaged");
    EXPECT_EQ(contentOf(folder / "data" / "record"), "someone else's");
    EXPECT_FALSE(fs::exists(folder / "data" / "record.bad"));
}

TEST_F(ExclusiveRenameTest, AFolderIsRefusedForWhatItIsAndAMissingOneIsNot) {
    fs::create_directory(folder / "real");
    fs::create_directory_symlink(folder / "real", folder / "link");
    writeRaw(folder / "file", "");
    EXPECT_EQ(PrivateFolder::refusalOf(folder / "link"), "a link, owned by user " + std::to_string(::geteuid()));
    EXPECT_EQ(PrivateFolder::refusalOf(folder / "file"), "not a folder");
    EXPECT_EQ(PrivateFolder::refusalOf(folder / "real"), std::nullopt);
    EXPECT_EQ(PrivateFolder::refusalOf(folder / "missing"), std::nullopt);
}

} // namespace
} // namespace zantiva
