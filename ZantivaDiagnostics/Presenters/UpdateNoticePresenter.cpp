#include "Presenters/UpdateNoticePresenter.h"

#include <chrono>
#include <cstdio>

#include "Localization/Loc.h"
#include "Localization/UnicodeText.h"
#include "PanelPresenters/SpecsPresenter.h"

namespace zantiva::UpdateNoticePresenter {
namespace {

constexpr const char* separator = "  \u00B7  ";
constexpr const char* bullet = "\u2022 ";
constexpr const char* ellipsis = "\u2026";

// The calendar day in UTC, "yyyy-MM-dd", whatever the computer's time zone.
std::string utcDay(Date date) {
    const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(date)};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

// Whole decimal megabytes, halves up.
std::int64_t megabytes(std::int64_t bytes) {
    constexpr std::int64_t mega = 1'000'000;
    return bytes / mega + (bytes % mega >= mega / 2 ? 1 : 0);
}

// The lines that are not blank, bulleted, holding at most `limit` characters of the site's
// text between them; the line where the limit falls is cut with an ellipsis, and the rest
// is dropped.
std::vector<std::string> bulleted(const std::vector<std::string>& notes, std::size_t limit) {
    std::vector<std::string> lines;
    std::size_t left = limit;
    for (const std::string& note : notes) {
        const std::string_view text = unicode::trimBlanks(note);
        if (text.empty()) continue;
        if (left == 0) { // the limit fell right after the previous line
            lines.back() += ellipsis;
            break;
        }
        const auto characters = unicode::characters(text);
        if (characters.size() <= left) {
            lines.push_back(bullet + std::string(text));
            left -= characters.size();
            continue;
        }
        std::string cut;
        for (std::size_t i = 0; i < left; ++i) cut += characters[i];
        lines.push_back(bullet + cut + ellipsis);
        break;
    }
    return lines;
}

} // namespace

UpdateNoticeView present(const UpdateNoticeState& state, const Loc& loc) {
    std::vector<std::string> details{loc.f("Update.YouHave", state.runningVersion)};
    if (state.released) details.push_back(loc.f("Update.Released", utcDay(*state.released)));
    if (state.fileSizeBytes > 0) details.push_back(loc.f("Update.Size", megabytes(state.fileSizeBytes)));

    UpdateNoticeView view{
        .title = loc.f("Update.Available", state.offeredVersion),
        .details = SpecsPresenter::joined(details, separator),
        .getLabel = loc[state.isDirectDownload ? "Update.Download" : "Update.OpenSite"],
        .laterLabel = loc["Update.Later"],
        .laterTip = loc["Update.LaterTip"],
        .notesTitle = loc["Update.NotesTitle"],
        .notes = bulleted(state.notes, notesLimit),
        .howTo = loc["Update.HowTo"],
    };
    if (!view.notes.empty()) view.notesLabel = loc["Update.ShowNotes"];
    return view;
}

} // namespace zantiva::UpdateNoticePresenter
