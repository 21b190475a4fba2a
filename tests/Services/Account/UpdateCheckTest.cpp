// The update check and the "--check-update" command line against the loopback site.

#include <gtest/gtest.h>

#include <sstream>

#include "../../Support/AwaitTask.h"
#include "Account/UpdateChecker.h"
#include "CLI/CheckUpdateMode.h"
#include "Support/LoopbackServer.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

json::Json offer(const std::string& version) {
    return {{"version", version},
            {"download_url", "https://zantiva.com/downloads/zantiva-diagnostics-" + version + ".deb"},
            {"is_direct_download", true},
            {"released", "2026-11-30T00:00:00Z"},
            {"file_size_bytes", 48234496}};
}

class UpdateCheck : public ::testing::Test {
protected:
    LoopbackServer server;
    SiteProfile site = server.site("zantiva.com");
    HttpTransport transport{HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp,
                            ZANTIVA_WEB_REQUEST_LOOPBACK};
    UpdateChecker checker{transport, *AppVersion::parse("1.0.0")};

    std::optional<AppUpdateInfo> check() { return awaitTask(checker.check(site)); }

    std::pair<int, std::string> commandLine() {
        std::ostringstream out, err;
        const Loc loc(AppLanguage::english);
        CliContext context{out, err, false, loc};
        const int status = runCheckUpdate(context, site, checker);
        return {status, out.str()};
    }
};

TEST_F(UpdateCheck, OffersOnlyANewerVersion) {
    server.answer("app-update", CannedReply::object(200, offer("1.2")));
    const auto newer = check();
    ASSERT_TRUE(newer);
    EXPECT_EQ(newer->version.description(), "1.2.0");
    const RecordedRequest& request = server.requests().back();
    EXPECT_EQ(request.query.queryItemValue("app"), "diagnostics-linux");
    EXPECT_TRUE(request.header("user-agent").startsWith("ZantivaDiagnostics/1.0.0 (Linux "));
    EXPECT_TRUE(request.header("authorization").isEmpty());

    server.answer("app-update", CannedReply::object(200, offer("1.0")));
    EXPECT_FALSE(check());
}

TEST_F(UpdateCheck, AnyFailureMeansNoOffer) {
    json::Json insecure = offer("2.0");
    insecure["download_url"] = "http://zantiva.com/downloads/zantiva-diagnostics-2.0.deb";
    CannedReply cached = CannedReply::object(200, offer("2.0"));
    cached.headers.push_back({"Age", "30"});
    for (const CannedReply& reply : {CannedReply::object(200, insecure), cached, CannedReply{500, "", {}}}) {
        server.answer("app-update", reply);
        EXPECT_FALSE(check()) << reply.body.constData();
    }
}

TEST_F(UpdateCheck, CommandLinePrintsTheOfferOrThatThereIsNoneOrWhyItFailed) {
    server.answer("app-update", CannedReply::object(200, offer("1.2")));
    EXPECT_EQ(commandLine(), std::pair(0, std::string("site: zantiva.com\n"
                                                      "currentVersion: 1.0.0\n"
                                                      "latestVersion: 1.2.0\n"
                                                      "update: available\n"
                                                      "downloadURL: https://zantiva.com/downloads/zantiva-diagnostics-1.2.deb\n"
                                                      "released: 2026-11-30T00:00:00Z\n"
                                                      "fileSizeBytes: 48234496\n")));
    server.answer("app-update", CannedReply::object(200, offer("1.0.0")));
    EXPECT_EQ(commandLine(), std::pair(0, std::string("site: zantiva.com\n"
                                                      "currentVersion: 1.0.0\n"
                                                      "latestVersion: 1.0.0\n"
                                                      "update: none\n")));
    site.baseURL = QUrl("http://127.0.0.1:1/"); // nothing listens there
    EXPECT_EQ(commandLine(),
              std::pair(1, std::string("failed: Couldn't reach zantiva.com — check your connection and try again.\n")));
}

// A refused offer says why it was refused: a cached copy only when a cache said so.
TEST_F(UpdateCheck, CommandLineNamesTheRealReasonAReplyWasRefused) {
    const std::string unsafe = "failed: zantiva.com offered a download link that isn't a secure https address, "
                               "so it was refused and nothing was opened.\n";
    for (const char* link : {"javascript:alert(1)", "file:///etc/passwd", "http://zantiva.com/a.deb"}) {
        json::Json reply = offer("2.0");
        reply["download_url"] = link;
        server.answer("app-update", CannedReply::object(200, reply));
        EXPECT_EQ(commandLine(), std::pair(1, unsafe)) << link;
    }
    json::Json unversioned = offer("2.0");
    unversioned.erase("version");
    server.answer("app-update", CannedReply::object(200, unversioned));
    EXPECT_EQ(commandLine(), std::pair(1, std::string("failed: zantiva.com returned an answer that this version can't "
                                                      "read, so it was refused. Nothing was changed — try again later "
                                                      "or install the latest version.\n")));
    CannedReply cached = CannedReply::object(200, offer("2.0"));
    cached.headers.push_back({"Age", "30"});
    server.answer("app-update", cached);
    EXPECT_NE(commandLine().second.find("cached copy"), std::string::npos);
}

} // namespace
