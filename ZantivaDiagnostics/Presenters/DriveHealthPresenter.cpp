#include "Presenters/DriveHealthPresenter.h"

#include <algorithm>

#include "Localization/Loc.h"
#include "Presenters/ShownNumber.h"
#include "PanelPresenters/SpecsPresenter.h"

namespace zantiva::DriveHealthPresenter {

BadgeValue statusBadge(DriveHealthStatus status, const Loc& loc) {
    PaletteColor background = PaletteColor::card;
    switch (status) {
    case DriveHealthStatus::good: background = PaletteColor::secondary; break;
    case DriveHealthStatus::caution: background = PaletteColor::tertiary; break;
    case DriveHealthStatus::bad: background = PaletteColor::primary; break;
    case DriveHealthStatus::unknown: break;
    }
    const PaletteColor foreground = status == DriveHealthStatus::unknown ? PaletteColor::text : PaletteColor::outline;
    return {loc[messageKey(status)], background, foreground};
}

std::vector<std::string> facts(const DriveHealthInfo& drive, const Loc& loc) {
    std::vector<std::string> out;
    if (drive.percentageUsed)
        out.push_back(loc.f("DriveHealth.Life", std::max<std::int64_t>(0, 100 - *drive.percentageUsed)));
    if (drive.availableSparePercent) out.push_back(loc.f("DriveHealth.Spare", *drive.availableSparePercent));
    if (drive.temperatureCelsius) out.push_back(loc.f("DriveHealth.Temp", *drive.temperatureCelsius));
    if (drive.powerOnHours) out.push_back(loc.f("DriveHealth.Hours", *drive.powerOnHours));
    if (drive.dataWrittenTB) out.push_back(loc.f("DriveHealth.Written", shownNumber(*drive.dataWrittenTB)));
    if (drive.mediaErrors && *drive.mediaErrors >= 1) out.push_back(loc.f("DriveHealth.MediaErrors", *drive.mediaErrors));
    return out;
}

bool hasContent(const DriveHealthReport& report) { return !report.drives.empty() || report.listingError; }

DriveHealthView present(const DriveHealthReport& report, const Loc& loc) {
    DriveHealthView view{.title = loc["DriveHealth.Title"], .drives = {}, .unread = {}, .note = loc["DriveHealth.Note"]};
    if (report.listingError) view.unread = loc.f("DriveHealth.ListUnread", *report.listingError);
    for (const auto& drive : report.drives) {
        DriveHealthDriveView shown{
            .name = drive.model.empty() ? drive.id : drive.model,
            .status = statusBadge(drive.status, loc),
            .summary = drive.status != DriveHealthStatus::unknown ? SpecsPresenter::joined(facts(drive, loc), "  \u00B7  ")
                       : drive.unreadReason                        ? loc[messageKey(*drive.unreadReason)]
                                                                   : loc["DriveHealth.NoData"],
            .issues = {},
        };
        for (const auto issue : drive.issues)
            shown.issues.push_back(
                {"\u2022 " + loc[messageKey(issue)], isBad(issue) ? PaletteColor::primary : PaletteColor::tertiary});
        view.drives.push_back(std::move(shown));
    }
    return view;
}

} // namespace zantiva::DriveHealthPresenter
