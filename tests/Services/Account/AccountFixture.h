#pragma once

// One signed-out desktop app talking to the test website over loopback HTTP: both sites
// (zantiva.ir for Persian, zantiva.com for English) are served by the same server.

#include <gtest/gtest.h>

#include "Account/HttpTransport.h"
#include "Account/SessionManager.h"
#include "Account/ZantivaAPIClient.h"
#include "AwaitedAPIError.h"
#include "ScriptedTokenStore.h"
#include "Support/LoopbackServer.h"
#include "Support/TestSite.h"

namespace zantiva::testing {

class AccountFixture : public ::testing::Test {
protected:
    LoopbackServer server;
    TestSite website{server};
    SiteDirectory sites{server.site("zantiva.ir"), server.site("zantiva.com")};
    ScriptedTokenStore store; // answers at once unless a test says otherwise
    SessionManager session{sites.persian, store, sites};
    HttpTransport transport{"ZantivaDiagnostics/9.9.9 (Linux test)", HttpTransport::Security::allowLoopbackHttp,
                            ZANTIVA_WEB_REQUEST_LOOPBACK};
    ZantivaAPIClient api{session, transport};

    // Begins a browser sign-in on the active site and returns the accepted grant.
    SignInGrant acceptedGrant() {
        const QUrl link = website.signInInBrowser(session.beginSignIn(), session.activeSite().domain);
        const auto disposition = session.handle(link);
        const auto* accepted = disposition ? std::get_if<LinkAccepted>(&*disposition) : nullptr;
        EXPECT_NE(accepted, nullptr) << "the return link was not accepted";
        return accepted ? accepted->grant : SignInGrant{};
    }

    std::optional<std::string> stored(const std::string& account) { return awaitTask(store.secrets.read(account)); }

    void signIn() {
        const auto outcome = awaitOutcome(api.exchange(acceptedGrant()));
        ASSERT_TRUE(outcome.value) << "the sign-in failed";
    }
};

} // namespace zantiva::testing
