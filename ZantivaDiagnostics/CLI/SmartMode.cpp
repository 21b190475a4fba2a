#include "CLI/SmartMode.h"

#include <string_view>

#include <QCoro/QCoroTask>

#include "App/QuitSignals.h"
#include "CLI/ModeApplication.h"
#include "CLI/ResultLines.h"
#include "DriveHealth/ElevatedDriveHealth.h"
#include "Runners/EngineCall.h"

namespace zantiva {

namespace {

constexpr std::string_view statusNames[] = {"unknown", "good", "caution", "bad"};

std::string_view statusName(DriveHealthStatus status) { return statusNames[static_cast<std::size_t>(status)]; }

} // namespace

void printDriveHealthLines(std::ostream& out, const DriveHealthReport& report, const Loc& loc) {
    json::Json summary = json::Json::object();
    json::put(summary, "checkedAt", report.checkedAt);
    // A list of drives that couldn't be read counts none of them: it says why instead.
    if (report.listingError) {
        json::put(summary, "listingError", *report.listingError);
        json::put(summary, "note", loc.f("DriveHealth.ListUnread", *report.listingError));
    } else {
        json::put(summary, "drives", static_cast<std::int64_t>(report.drives.size()));
    }
    json::put(summary, "overall", std::string(statusName(report.overall())));
    json::put(summary, "score", report.score());
    printResultLines(out, summary);
    for (const auto& drive : report.drives) {
        json::Json fields = drive.toJson();
        fields.erase("id");   // it leads every line
        // The record keeps "" for a text the drive did not tell; here that is no line, not an empty value.
        for (const char* text : {"model", "busType", "mediaType"})
            if (fields.contains(text) && fields[text] == "") fields.erase(text);
        fields["status"] = statusName(drive.status);
        if (drive.unreadReason) fields["note"] = loc[messageKey(*drive.unreadReason)];
        printResultLines(out, fields, drive.id);
    }
}

std::optional<DriveHealthReport> readDriveHealthUnlessQuit(const DriveHealthOptions& options) {
    const auto application = makeModeApplication();
    EngineCall call;
    bool stopped = false;
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, [&] {
        stopped = true;
        call.cancel();
    });
    auto reading = call.run<DriveHealthReport>(
        [&options](const CancelToken& cancel) { return DriveHealthReader::read(options, cancel); });
    DriveHealthReport report = QCoro::waitFor(std::move(reading));
    if (stopped) return std::nullopt;
    return report;
}

int runSmartMode(const CommandLine&, CliContext& context) {
    const DriveHealthOptions options{.withAdministratorRights = readDriveWithAdministratorRights};
    const auto report = readDriveHealthUnlessQuit(options);
    if (!report) return printFailure(context.out, "stopped");
    printDriveHealthLines(context.out, *report, context.loc);
    context.out.flush();
    return 0;
}

} // namespace zantiva
