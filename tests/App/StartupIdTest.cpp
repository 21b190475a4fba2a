// A launch's startup id: which one a launch passes on, which are taken, and the user's time in it.

#include <gtest/gtest.h>

#include <QByteArray>
#include <optional>

#include "../Support/EnvironmentChange.h"
#include "App/StartupId.h"

using namespace zantiva;
using zantiva::testing::EnvironmentChange;

TEST(StartupId, TheUsersTimeIsTheDigitsThatEndIt) {
    EXPECT_EQ(StartupId::userTime("xfce4-panel/zantiva-diagnostics/1402-0-host_TIME5613278"), 5613278u);
    EXPECT_EQ(StartupId::userTime("a_TIME1_TIME4294967295"), 4294967295u) << "the last one, the largest there is";
    for (const char* none : {"gnome-shell-1402-host-5", "a_TIME", "a_TIME0", "a_TIME12x", "a_TIME-3", "a_TIME+3",
                             "a_TIME4294967296"})
        EXPECT_EQ(StartupId::userTime(none), std::nullopt) << none;
}

TEST(StartupId, OnlyPrintableWordsOfBoundedLengthAreTaken) {
    EXPECT_TRUE(StartupId::isValid("gnome-shell/Zantiva/1-2-host_TIME9"));
    EXPECT_TRUE(StartupId::isValid(QByteArray(StartupId::maxBytes, 'a')));
    for (const QByteArray& refused : {QByteArray(), QByteArray(StartupId::maxBytes + 1, 'a'), QByteArray("a b"),
                                      QByteArray("a\"b"), QByteArray("a\\b"), QByteArray("a\nb"), QByteArray("a\x7f"),
                                      QByteArray("caf\xc3\xa9")})
        EXPECT_FALSE(StartupId::isValid(refused)) << refused.toStdString();
}

TEST(StartupId, ALaunchPassesOnTheLaunchersIdElseItsActivationToken) {
    {
        const EnvironmentChange id("DESKTOP_STARTUP_ID", "panel-1_TIME7"), token("XDG_ACTIVATION_TOKEN", "token-2");
        EXPECT_EQ(StartupId::ofThisLaunch(), "panel-1_TIME7");
    }
    {
        const EnvironmentChange id("DESKTOP_STARTUP_ID", "a b"), token("XDG_ACTIVATION_TOKEN", "token-2");
        EXPECT_EQ(StartupId::ofThisLaunch(), "token-2") << "an id that is none counts as none";
    }
    const EnvironmentChange id("DESKTOP_STARTUP_ID", std::nullopt), token("XDG_ACTIVATION_TOKEN", std::nullopt);
    EXPECT_EQ(StartupId::ofThisLaunch(), QByteArray());
}
