#include "Model/JsonFile.h"

#include "Platform/AtomicFile.h"
#include "Platform/ExclusiveRename.h"
#include "Platform/Log.h"
#include "Platform/PrivateFolder.h"

namespace zantiva::jsonfile {
namespace {

// Logs a failed save under `category` as "couldn't save <file name>: <reason>" and answers it.
SaveResult logged(std::string_view category, SaveResult failure) {
    log::error(category, "couldn't save " + failure.file.filename().string() + ": " + failure.reason);
    return failure;
}

// A failed save when the file's folder isn't a private folder of this user's (made when
// missing): nothing is done through a folder that is refused, a link least of all.
std::optional<SaveResult> refusedFolder(const std::filesystem::path& file, std::string_view category) {
    using Folder = PrivateFolder;
    if (Folder::open(file.parent_path(), Folder::IfMissing::make, Folder::IfOpenToOthers::close)) return std::nullopt;
    return logged(category, SaveResult::failed(file, "its folder is missing or not a private folder of this user's"));
}

// Moves the file to the first free name of "<name>.bad", "<name>.bad.1" … "<name>.bad.999",
// replacing nothing that is there (an earlier damaged file, or a folder kept aside the same
// way). Answers the new name, or the error that left the file in place.
std::optional<std::filesystem::path> keepAside(const std::filesystem::path& file, std::error_code& ec) {
    constexpr int lastNumber = 999;
    for (int number = 0; number <= lastNumber; ++number) {
        std::filesystem::path aside = file;
        aside += number == 0 ? std::string(".bad") : ".bad." + std::to_string(number);
        ec = renameWithoutReplacing(file, aside);
        if (!ec) return aside;
        if (ec != std::errc::file_exists) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::string encode(const json::Json& value) {
    return value.dump(2, ' ', false, json::Json::error_handler_t::replace) + "\n";
}

SaveResult save(const std::filesystem::path& file, const json::Json& value, std::string_view category) {
    return saveText(file, encode(value), category);
}

SaveResult saveText(const std::filesystem::path& file, std::string_view bytes, std::string_view category,
              FileAccess access) {
    if (auto refused = refusedFolder(file, category)) return std::move(*refused);
    const std::error_code ec = writeFileAtomically(file, bytes, access);
    if (!ec) return {};
    return logged(category, SaveResult::failed(file, ec));
}

SaveResult saveKeepingUndecodable(const std::filesystem::path& file, const json::Json& value, std::string_view category,
                            const DecodeProblem& problemOf) {
    // Checked before the file is looked at, so that nothing is moved aside in a refused folder.
    if (auto refused = refusedFolder(file, category)) return std::move(*refused);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
        std::optional<std::string> problem = "not a regular file that can be read whole";
        if (const auto text = readWholeFile(file)) problem = problemOf(*text);
        if (problem) {
            // The file may hold the only copy of what it records: it is never saved over.
            const auto aside = keepAside(file, ec);
            if (!aside) {
                SaveResult failure = SaveResult::failed(file, ec);
                failure.reason = "the undecodable file in its place couldn't be kept aside: " + failure.reason;
                return logged(category, std::move(failure));
            }
            log::error(category, "undecodable " + file.filename().string() + " (" + *problem + ") kept as " +
                                     aside->filename().string());
        }
    }
    return save(file, value, category);
}

std::optional<json::Json> load(const std::filesystem::path& file) {
    const auto text = readWholeFile(file);
    if (!text) return std::nullopt;
    json::Json value = json::Json::parse(*text, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

SaveResult saveWithoutFolder(const std::filesystem::path& fileName, std::string_view category) {
    return logged(category, SaveResult::failed(fileName, "no home folder"));
}

} // namespace zantiva::jsonfile
