// Versions, PKCE and update offers.

#include <gtest/gtest.h>

#include "Account/AppUpdateInfo.h"
#include "Account/AppVersion.h"
#include "Account/PKCE.h"

using namespace zantiva;

namespace {

AppVersion v(std::string_view text) { return AppVersion::parse(text).value(); }

TEST(AppVersion, ParsesTwoToFourNumbersAndComparesPartByPart) {
    EXPECT_EQ(v("2.1"), v("2.1.0"));
    EXPECT_LT(v("2.1"), v("2.1.0.1"));
    EXPECT_LT(v("1.9.9"), v("1.10"));
    EXPECT_EQ(v(" 3.0.1 ").description(), "3.0.1");
    EXPECT_EQ(v("2.1").description(), "2.1.0");
    EXPECT_EQ(v("1.2.3.4").description(), "1.2.3.4");
    for (const char* bad : {"", "2", "1.2.3.4.5", "1..2", "1.2.", "v1.2", "1.-2", "1.2 beta", "1,2"})
        EXPECT_FALSE(AppVersion::parse(bad)) << bad;
}

TEST(PKCE, ChallengeIsS256AndTokensAreFresh) {
    // The worked example of RFC 7636, appendix B.
    EXPECT_EQ(PKCE::challenge("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"),
              "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
    const std::string a = PKCE::randomToken(), b = PKCE::randomToken();
    EXPECT_EQ(a.size(), 43u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"), std::string::npos);
}

TEST(AppUpdateInfo, DecodesTheOfferAndRefusesNonHttpsDownloads) {
    const json::Json offer = {{"version", "1.2"},
                              {"download_url", "https://zantiva.com/downloads/zantiva-diagnostics-1.2.0.deb"},
                              {"is_direct_download", true},
                              {"released", "2026-11-30T00:00:00Z"},
                              {"file_size_bytes", 48234496},
                              {"notes_fa", json::Json::array()},
                              {"notes_en", {"Faster start-up"}}};
    const AppUpdateInfo info = AppUpdateInfo::fromJson(offer);
    EXPECT_EQ(info.version, v("1.2.0"));
    EXPECT_TRUE(info.isDirectDownload);
    EXPECT_EQ(info.fileSizeBytes, 48234496);
    EXPECT_EQ(info.notes(AppLanguage::persian), std::vector<std::string>{"Faster start-up"});

    for (const char* url : {"http://zantiva.com/x.deb", "file:///etc/passwd", "https:///x", "javascript:alert(1)"}) {
        json::Json bad = offer;
        bad["download_url"] = url;
        EXPECT_THROW(AppUpdateInfo::fromJson(bad), json::DecodeError) << url;
    }
    json::Json noVersion = offer;
    noVersion["version"] = "latest";
    EXPECT_THROW(AppUpdateInfo::fromJson(noVersion), json::DecodeError);
    json::Json farFuture = offer;
    farFuture["released"] = "4052-01-01T00:00:00Z"; // beyond the clock: never read back as another year
    EXPECT_THROW(AppUpdateInfo::fromJson(farFuture), json::DecodeError);
}

} // namespace
