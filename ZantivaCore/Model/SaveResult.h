#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace zantiva {

// Whether a stored file was written, and why not when it wasn't: a full disk (or quota),
// which the user can act on, or anything else in the system's own words.
struct SaveResult {
    enum class Problem { diskFull, other };

    std::optional<Problem> problem; // absent: the file is in place
    std::string reason;             // the system's words, for the log and the user
    std::filesystem::path file;     // what wasn't saved (a bare name when there was no folder)

    bool saved() const { return !problem; }

    static SaveResult failed(std::filesystem::path file, const std::error_code& error);
    static SaveResult failed(std::filesystem::path file, std::string reason) {
        return {Problem::other, std::move(reason), std::move(file)};
    }

    bool operator==(const SaveResult&) const = default;
};

} // namespace zantiva
