#pragma once

// The common form of the stored JSON files (settings, results, session): pretty-printed
// with a two-space indent, keys sorted, replaced whole and atomically.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Model/JsonCodec.h"
#include "Model/SaveResult.h"
#include "Platform/AtomicFile.h"

namespace zantiva::jsonfile {

// The text of a stored file, ending in a line break. Bytes that are not valid UTF-8 (a
// device name, say) become U+FFFD instead of failing the save; a record keeps a path's
// bytes in a form of its own (Model/PathJson.h).
std::string encode(const json::Json& value);

// Creates the file's folder with any missing parents and replaces the file atomically.
// The folder is private (made 0700, closed to 0700 when it was open to others, refused
// when it is a link or someone else's) and the file readable by this user only.
// A failure is logged under `category` as "couldn't save <file name>: <reason>" and
// answered with its reason; the old file is then left as it was.
SaveResult save(const std::filesystem::path& file, const json::Json& value, std::string_view category);

// The JSON of a stored file's text; absent when it isn't JSON or is nested deeper than any
// record (copying, comparing or writing such a value recurses as deep, past the stack).
std::optional<json::Json> parse(const std::string& text);
// Why parse() gave nothing.
inline constexpr const char* notJson = "not JSON, or nested deeper than any record";

// Why a stored file's text must not be saved over (it can't be decoded, or it holds a
// result of a later version that this one would drop), or nothing when it may.
using DecodeProblem = std::function<std::optional<std::string>(const std::string& text)>;

// A store's save: like save(), after keeping an existing file aside as "<name>.bad" (and
// logging it) when `problemOf` finds a problem or it can't be read at all, so that a
// record this version can't read or keep whole (damaged, or written by a newer version)
// is never silently replaced. Nothing kept aside before is replaced either: when "<name>.bad" is
// taken the file becomes "<name>.bad.1", "<name>.bad.2" … When it can't be moved aside the
// save fails and the file stays as it is.
SaveResult saveKeepingUndecodable(const std::filesystem::path& file, const json::Json& value, std::string_view category,
                            const DecodeProblem& problemOf);

// Keeps the file aside as saveKeepingUndecodable() does (for `why`, which is logged) without
// saving anything in its place: a file that may hold the only copy of what it records,
// when it is of no use here. A failure (logged) leaves it where it is and answers why (the
// system's words, or the folder's refusal), which the caller tells after its own "couldn't be
// kept aside".
SaveResult keepFileAside(const std::filesystem::path& file, std::string_view category, const std::string& why);

// Writes `value` as a new file beside `file`, in its checked private folder, under the first
// free name of "<stem>.json", "<stem>.1.json" … "<stem>.999.json": atomically, as save()
// does, and replacing nothing that is there (an earlier file written so). `written` is the
// file's path once it is in place. A failure is logged as save()'s is.
SaveResult saveAsNewFile(const std::filesystem::path& file, const std::string& stem, const json::Json& value,
                         std::string_view category, std::filesystem::path& written);

// The decode problem of a store whose JSON decodes with `decode`, which throws when it can't.
template <typename Decode> DecodeProblem decodedBy(Decode decode) {
    return [decode](const std::string& text) -> std::optional<std::string> {
        const auto value = parse(text);
        if (!value) return notJson;
        try {
            decode(*value);
            return std::nullopt;
        } catch (const std::exception& e) {
            return e.what();
        }
    };
}

// The same for a stored file of any other text (the CSV export, the ledger's fingerprints);
// a file the user asks for is written with `FileAccess::userUmask`.
SaveResult saveText(const std::filesystem::path& file, std::string_view bytes, std::string_view category,
              FileAccess access = FileAccess::ownerOnly);

// Runs `readChangeWrite` (which reads the file again, changes it and saves it) while holding
// the lock of `file`: ".<name>.lock" beside it, in its checked private folder. No other
// process's read-change-write of the same file comes between this one's read and its write,
// so a save never drops what another process stored. Answers what `readChangeWrite`
// answers; a failure (logged) when the folder is refused or the lock can't be taken, also
// when another process has held it for 10 s (stopped, say: the caller may be the window). On a
// file system that keeps no locks it runs unlocked, and the log says so.
SaveResult whileLocked(const std::filesystem::path& file, std::string_view category,
                       const std::function<SaveResult()>& readChangeWrite);

// The stored JSON object of a record, changed as this version's encoding of the record
// changed from `before` (the record as read from `stored`) to `after`: each member that
// differs is replaced or removed, and every other member, those this version doesn't know
// included, stays as it was written. Anything but an object in `stored` gives `after`.
json::Json withChanges(json::Json stored, const json::Json& before, const json::Json& after);
// The same at every level: a member object that differs is changed member by member, and a
// list keeps the stored form of each element this version wrote before as it writes it now
// (any other element is written as `after` has it), so the keys this version doesn't know stay
// wherever they are.
json::Json withChangesAtEveryLevel(json::Json stored, const json::Json& before, const json::Json& after);

// The file's JSON; absent when the file is missing, unreadable or not JSON.
std::optional<json::Json> load(const std::filesystem::path& file);

// A store's save with no folder to write in: logged like any failed save and answered with
// the bare file name and why (no home folder, or the app folder that is there is refused:
// a link, not a folder, someone else's).
SaveResult saveWithoutFolder(const std::filesystem::path& fileName, std::string_view category);

} // namespace zantiva::jsonfile
