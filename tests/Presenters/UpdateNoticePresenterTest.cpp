#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "Localization/Loc.h"
#include "Localization/UnicodeText.h"
#include "Presenters/UpdateNoticePresenter.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

UpdateNoticeState offer() {
    return {.offeredVersion = "1.1.0", .runningVersion = "1.0.0", .isDirectDownload = true};
}

// A time zone far east of UTC, where 23:30 UTC is already the next day.
class FarEastTimeZone {
public:
    FarEastTimeZone() {
        if (const char* zone = std::getenv("TZ")) saved_ = zone;
        setenv("TZ", "Pacific/Kiritimati", 1);
        tzset();
    }
    ~FarEastTimeZone() {
        if (saved_.empty()) unsetenv("TZ");
        else setenv("TZ", saved_.c_str(), 1);
        tzset();
    }

private:
    std::string saved_;
};

} // namespace

TEST(UpdateNoticePresenter, DetailsGiveTheUtcDayAndWholeDecimalMegabytes) {
    const FarEastTimeZone zone;
    const Date lastEvening = sys_days{year{2026} / 11 / 30} + hours{23} + minutes{30};
    const auto shown = [](AppLanguage language, std::optional<std::string> day, std::optional<int> megabytes) {
        const Loc loc(language);
        std::string text = loc.f("Update.YouHave", "1.0.0");
        if (day) text += "  \u00B7  " + loc.f("Update.Released", *day);
        if (megabytes) text += "  \u00B7  " + loc.f("Update.Size", *megabytes);
        return text;
    };
    using enum AppLanguage;
    const struct {
        AppLanguage language;
        std::optional<Date> released;
        std::int64_t bytes;
        std::string details;
    } cases[] = {
        {english, std::nullopt, 0, shown(english, std::nullopt, std::nullopt)},
        {english, lastEvening, 1'499'999, shown(english, "2026-11-30", 1)},
        {english, std::nullopt, 1'500'000, shown(english, std::nullopt, 2)},
        {english, std::nullopt, 400'000, shown(english, std::nullopt, 0)},
        {english, std::nullopt, -5, shown(english, std::nullopt, std::nullopt)},
        {persian, lastEvening, 48'234'496, shown(persian, "2026-11-30", 48)},
    };
    for (const auto& c : cases) {
        UpdateNoticeState state = offer();
        state.released = c.released;
        state.fileSizeBytes = c.bytes;
        EXPECT_EQ(UpdateNoticePresenter::present(state, Loc(c.language)).details, c.details) << c.bytes;
    }
}

TEST(UpdateNoticePresenter, GetButtonNamesWhatItOpens) {
    const Loc loc(AppLanguage::english);
    UpdateNoticeState state = offer();
    EXPECT_EQ(UpdateNoticePresenter::present(state, loc).getLabel, loc["Update.Download"]);
    state.isDirectDownload = false;
    EXPECT_EQ(UpdateNoticePresenter::present(state, loc).getLabel, loc["Update.OpenSite"]);
}

TEST(UpdateNoticePresenter, NotesAreBulletedWithoutBlankLinesAndOnlyWhenThereAreAny) {
    const Loc loc(AppLanguage::english);
    UpdateNoticeState state = offer();
    auto view = UpdateNoticePresenter::present(state, loc);
    EXPECT_FALSE(view.notesLabel);
    EXPECT_TRUE(view.notes.empty());

    state.notes = {"Faster memory test", "  ", "", "<b>Fixed</b> the charts"};
    view = UpdateNoticePresenter::present(state, loc);
    EXPECT_EQ(view.notesLabel, loc["Update.ShowNotes"]);
    EXPECT_EQ(view.notes, (std::vector<std::string>{"\u2022 Faster memory test", "\u2022 <b>Fixed</b> the charts"}));
}

TEST(UpdateNoticePresenter, NotesAreCutAtTheLimitOnWholeCharacters) {
    const Loc loc(AppLanguage::persian);
    const auto limit = UpdateNoticePresenter::notesLimit;
    std::string persian;
    for (std::size_t i = 0; i < limit + 100; ++i) persian += "ش";
    const struct {
        std::vector<std::string> notes;
        std::vector<std::size_t> shownCharacters; // per line, bullet and ellipsis included
    } cases[] = {
        {{persian}, {2 + limit + 1}},
        {{std::string(300, 'a'), std::string(300, 'b'), "dropped"}, {2 + 300, 2 + (limit - 300) + 1}},
        {{std::string(limit, 'a'), "dropped"}, {2 + limit + 1}},
        {{std::string(limit, 'a')}, {2 + limit}},
    };
    for (const auto& c : cases) {
        UpdateNoticeState state = offer();
        state.notes = c.notes;
        const auto view = UpdateNoticePresenter::present(state, loc);
        ASSERT_EQ(view.notes.size(), c.shownCharacters.size()) << c.notes.size();
        for (std::size_t i = 0; i < view.notes.size(); ++i)
            EXPECT_EQ(unicode::characterCount(view.notes[i]), c.shownCharacters[i]) << i;
    }
}
