#include "Model/JsonFile.h"

#include <vector>

#include "Model/AppPaths.h"
#include "Platform/AtomicFile.h"
#include "Platform/Log.h"
#include "Platform/PrivateFolder.h"

namespace zantiva::jsonfile {
namespace {

// Logs a failed save under `category` as "couldn't save <file name>: <reason>" and answers it.
SaveResult logged(std::string_view category, SaveResult failure) {
    log::error(category, "couldn't save " + failure.file.filename().string() + ": " + failure.reason);
    return failure;
}

// The file's folder when it is a private folder of this user's (made when missing); else
// `failure` is set: nothing is done through a folder that is refused, a link least of all.
std::optional<PrivateFolder> checkedFolder(const std::filesystem::path& file, std::string_view category,
                                           SaveResult& failure) {
    using Folder = PrivateFolder;
    std::string refusal;
    auto folder = Folder::open(file.parent_path(), Folder::IfMissing::make, Folder::IfOpenToOthers::close, &refusal);
    if (!folder)
        failure = logged(category, SaveResult::failed(file, "its folder " + file.parent_path().string() +
                                                                " can't be used as a private folder of this user's: " +
                                                                refusal));
    return folder;
}

// Moves the file to the first free name of "<name>.bad", "<name>.bad.1" … "<name>.bad.999"
// in its checked folder, replacing nothing that is there (an earlier damaged file, or a
// folder kept aside the same way). Answers the new name, or the error that left the file in place.
std::optional<std::string> keepAside(const PrivateFolder& folder, const std::string& name, std::error_code& ec) {
    constexpr int lastNumber = 999;
    for (int number = 0; number <= lastNumber; ++number) {
        const std::string aside = name + (number == 0 ? std::string(".bad") : ".bad." + std::to_string(number));
        ec = folder.moveWithoutReplacing(name, aside);
        if (!ec) return aside;
        if (ec != std::errc::file_exists) return std::nullopt;
    }
    return std::nullopt;
}

// Keeps the file aside in its checked folder and logs why; a failure leaves it in place and
// answers the system's reason alone, which each caller words (and logs) once.
SaveResult keptAside(const PrivateFolder& folder, const std::filesystem::path& file, std::string_view category,
                     const std::string& why) {
    std::error_code ec;
    const auto aside = keepAside(folder, file.filename().string(), ec);
    if (!aside) return SaveResult::failed(file, ec);
    log::error(category, file.filename().string() + " (" + why + ") kept as " + *aside);
    return {};
}

// Writes the file into its folder, checked by the caller.
SaveResult writeChecked(const std::filesystem::path& file, std::string_view bytes, std::string_view category,
                        FileAccess access) {
    const std::error_code ec = writeFileAtomically(file, bytes, access);
    if (!ec) return {};
    return logged(category, SaveResult::failed(file, ec));
}

// Why a store was given no folder: there is no home folder to hold one (or only another
// user's), or the app folder was refused (what is wrong with it, when that is still so).
std::string noFolderReason() {
    const auto folder = AppPaths::applicationSupport();
    if (const auto owner = AppPaths::othersHomeOwner(); !folder && owner)
        return "the home folder " + AppPaths::homeFolder()->string() + " is user " + std::to_string(*owner) + "'s";
    if (!folder) return "no home folder";
    if (const auto refusal = PrivateFolder::refusalOf(*folder))
        return folder->string() + " is not a private folder of this user's: " + *refusal;
    return folder->string() + " couldn't be used as a private folder of this user's";
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
    SaveResult failure;
    if (!checkedFolder(file, category, failure)) return failure;
    return writeChecked(file, bytes, category, access);
}

SaveResult keepFileAside(const std::filesystem::path& file, std::string_view category, const std::string& why) {
    SaveResult failure;
    const auto folder = checkedFolder(file, category, failure);
    if (!folder) return failure;
    const SaveResult aside = keptAside(*folder, file, category, why);
    if (!aside.saved())
        log::error(category, "couldn't keep " + file.filename().string() + " (" + why + ") aside: " + aside.reason);
    return aside;
}

SaveResult saveAsNewFile(const std::filesystem::path& file, const std::string& stem, const json::Json& value,
                         std::string_view category, std::filesystem::path& written) {
    SaveResult failure;
    const auto folder = checkedFolder(file, category, failure);
    if (!folder) return failure;
    // Written whole under a name of its own first, then given a free name: a name that is
    // taken refuses the move, so nothing is ever replaced.
    const std::string staging = "." + stem + ".json.staging";
    if (const SaveResult staged = writeChecked(folder->path() / staging, encode(value), category, FileAccess::ownerOnly);
        !staged.saved())
        return staged;
    constexpr int lastNumber = 999;
    std::error_code ec;
    for (int number = 0; number <= lastNumber; ++number) {
        const std::string name = stem + (number == 0 ? std::string() : "." + std::to_string(number)) + ".json";
        ec = folder->moveWithoutReplacing(staging, name);
        if (!ec) {
            written = folder->path() / name;
            return {};
        }
        if (ec != std::errc::file_exists) break;
    }
    folder->removeOwnFile(staging);
    return logged(category, SaveResult::failed(folder->path() / (stem + ".json"), ec));
}

SaveResult saveKeepingUndecodable(const std::filesystem::path& file, const json::Json& value, std::string_view category,
                            const DecodeProblem& problemOf) {
    // Checked before the file is looked at, so that nothing is moved aside in a refused folder.
    SaveResult failure;
    const auto folder = checkedFolder(file, category, failure);
    if (!folder) return failure;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
        std::optional<std::string> problem = "not a regular file that can be read whole";
        if (const auto text = readWholeFile(file)) problem = problemOf(*text);
        // The file may hold the only copy of what it records: it is never saved over.
        if (problem)
            if (SaveResult aside = keptAside(*folder, file, category, *problem); !aside.saved()) {
                aside.reason = "the file in its place couldn't be kept aside: " + aside.reason;
                return logged(category, std::move(aside));
            }
    }
    return writeChecked(file, encode(value), category, FileAccess::ownerOnly);
}

namespace {

json::Json changed(json::Json stored, const json::Json& before, const json::Json& after, bool everyLevel);

// Each element of `after` that equals one of `before` not taken yet is that one's stored element.
json::Json changedList(json::Json stored, const json::Json& before, const json::Json& after) {
    json::Json out = json::Json::array();
    std::vector<bool> taken(before.size(), false);
    for (const json::Json& element : after) {
        std::size_t i = 0;
        while (i < before.size() && (taken[i] || before[i] != element)) ++i;
        if (i < before.size()) taken[i] = true;
        out.push_back(i < before.size() ? std::move(stored[i]) : element);
    }
    return out;
}

// `before` and `after` are this version's encodings, a few levels deep: the recursion is as shallow.
json::Json changed(json::Json stored, const json::Json& before, const json::Json& after, bool everyLevel) {
    if (everyLevel && stored.is_array() && before.is_array() && after.is_array() && stored.size() == before.size())
        return changedList(std::move(stored), before, after);
    if (!stored.is_object() || !before.is_object() || !after.is_object()) return after;
    for (const auto& [key, value] : after.items()) {
        const auto was = before.find(key);
        if (was == before.end())
            stored[key] = value;
        else if (*was != value)
            stored[key] = everyLevel ? changed(std::move(stored[key]), *was, value, true) : value;
    }
    for (const auto& [key, value] : before.items())
        if (!after.contains(key)) stored.erase(key);
    return stored;
}

} // namespace

json::Json withChanges(json::Json stored, const json::Json& before, const json::Json& after) {
    return changed(std::move(stored), before, after, false);
}

json::Json withChangesAtEveryLevel(json::Json stored, const json::Json& before, const json::Json& after) {
    return changed(std::move(stored), before, after, true);
}

std::optional<json::Json> parse(const std::string& text) {
    // The records are a few levels deep; the parser itself and the value's destruction don't recurse.
    constexpr int deepest = 64;
    bool tooDeep = false;
    json::Json value = json::Json::parse(
        text,
        [&](int depth, json::Json::parse_event_t, json::Json&) {
            tooDeep = tooDeep || depth > deepest;
            return true;
        },
        false);
    if (value.is_discarded() || tooDeep) return std::nullopt;
    return value;
}

std::optional<json::Json> load(const std::filesystem::path& file) {
    const auto text = readWholeFile(file);
    if (!text) return std::nullopt;
    return parse(*text);
}

SaveResult whileLocked(const std::filesystem::path& file, std::string_view category,
                       const std::function<SaveResult()>& readChangeWrite) {
    SaveResult failure;
    const auto folder = checkedFolder(file, category, failure);
    if (!folder) return failure;
    std::error_code ec;
    // A read-change-write holds the lock for the time of one small write; one that is not
    // let go within seconds belongs to a process that has stopped.
    constexpr std::chrono::seconds patience{10};
    const auto lock = folder->lockFile("." + file.filename().string() + ".lock", patience, ec);
    if (ec == std::errc::timed_out)
        return logged(category, SaveResult::failed(file, "its lock is held by another process that hasn't let it go in " +
                                                             std::to_string(patience.count()) + " s"));
    if (!lock) {
        // A file system that keeps no locks still saves, as it did before there were any.
        if (ec != std::errc::no_lock_available && ec != std::errc::operation_not_supported) {
            failure = SaveResult::failed(file, ec);
            failure.reason = "its lock couldn't be taken: " + failure.reason;
            return logged(category, std::move(failure));
        }
        log::error(category, "saving " + file.filename().string() + " unlocked: " + ec.message());
    }
    return readChangeWrite();
}

SaveResult saveWithoutFolder(const std::filesystem::path& fileName, std::string_view category) {
    return logged(category, SaveResult::failed(fileName, noFolderReason()));
}

} // namespace zantiva::jsonfile
