#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/Date.h"

namespace zantiva {

class Loc;

// The offer of a newer version as the notice card needs it.
struct UpdateNoticeState {
    std::string offeredVersion; // dotted
    std::string runningVersion; // dotted
    bool isDirectDownload = false;
    std::optional<Date> released;
    std::int64_t fileSizeBytes = 0; // 0 or less: not known
    // The release notes in the interface language, or in the other one when it has none:
    // the website's plain text, one entry a line.
    std::vector<std::string> notes;
};

// The update notice card. The notes are unfolded in place by their button, which exists
// only when there are notes.
struct UpdateNoticeView {
    std::string title;
    std::string details; // running version, release day, size
    std::string getLabel;
    std::optional<std::string> notesLabel;
    std::string laterLabel;
    std::string laterTip;
    std::string notesTitle;
    std::vector<std::string> notes; // bulleted lines
    std::string howTo;

    bool operator==(const UpdateNoticeView&) const = default;
};

namespace UpdateNoticePresenter {

// The most characters of release notes the card shows; the site's text is cut there.
inline constexpr std::size_t notesLimit = 500;

UpdateNoticeView present(const UpdateNoticeState& state, const Loc& loc);

} // namespace UpdateNoticePresenter
} // namespace zantiva
