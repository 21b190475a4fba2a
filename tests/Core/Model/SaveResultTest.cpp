#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "Model/NotSavedNotice.h"
#include "Model/SaveResult.h"

using namespace zantiva;

// A full disk or quota is said in the user's words; anything else names the file and
// gives the system's reason.
TEST(SaveResult, AFullDiskOrQuotaIsToldApartFromOtherFailures) {
    const std::filesystem::path file = "/home/u/.local/share/ZantivaDiagnostics/last-report.json";
    for (const int full : {ENOSPC, EDQUOT}) {
        const SaveResult failed = SaveResult::failed(file, std::error_code(full, std::generic_category()));
        EXPECT_EQ(failed.problem, SaveResult::Problem::diskFull) << full;
        EXPECT_EQ(notSavedNotice(SavedRecord::report, failed), LocalizedMessage("NotSaved.Report.DiskFull"));
    }
    const SaveResult denied = SaveResult::failed(file, std::error_code(EACCES, std::system_category()));
    EXPECT_EQ(denied.problem, SaveResult::Problem::other);
    EXPECT_FALSE(denied.saved());
    EXPECT_EQ(notSavedNotice(SavedRecord::settings, denied),
              LocalizedMessage("NotSaved.Settings", file.string(), std::strerror(EACCES)));
}
