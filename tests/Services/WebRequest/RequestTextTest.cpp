// The request's first line: the target is the address's path and query, never its fragment,
// and always starts with a slash.

#include <gtest/gtest.h>

#include "WebRequestProgram/RequestText.h"

using namespace zantiva;

namespace {

TEST(RequestText, TheTargetIsAnAbsolutePathAndTheQuery) {
    const std::pair<const char*, std::string> targets[] = {
        {"https://zantiva.com", "GET / HTTP/1.1\r\n"},
        {"https://zantiva.com?app=diagnostics-linux", "GET /?app=diagnostics-linux HTTP/1.1\r\n"},
        {"https://zantiva.com:8443/wp-json/zantiva/v1/device?x=1#top",
         "GET /wp-json/zantiva/v1/device?x=1 HTTP/1.1\r\n"},
    };
    for (const auto& [url, firstLine] : targets) {
        const QByteArray text = requestText({{"GET", QUrl(url), std::nullopt, std::nullopt}, "ua"});
        EXPECT_EQ(text.first(text.indexOf('\n') + 1).toStdString(), firstLine) << url;
    }
}

} // namespace
