#pragma once

// One app model over a temporary app folder, its own Loc and in-memory tokens, talking to
// two test websites on loopback servers (zantiva.ir for Persian, zantiva.com for English)
// through the real transport. The browser is a list of the addresses it was asked to open.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "../Support/AwaitTask.h"
#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
#include "Account/InMemoryTokenStore.h"
#include "App/AppModel.h"
#include "Support/LoopbackServer.h"
#include "Support/TestSite.h"

namespace zantiva::testing {

// The "app-update" reply that offers the version.
inline CannedReply updateOffer(const std::string& version) {
    return CannedReply::object(200, {{"version", version},
                                     {"download_url", "https://zantiva.com/downloads/zantiva-diagnostics-" + version + ".deb"},
                                     {"is_direct_download", true},
                                     {"file_size_bytes", 48234496}});
}

class AppModelFixture : public ::testing::Test {
protected:
    LoopbackServer persianServer, englishServer;
    TestSite persianSite{persianServer}, englishSite{englishServer};
    SiteDirectory sites{persianServer.site("zantiva.ir"), englishServer.site("zantiva.com")};
    TemporaryFolder folder;
    Loc loc{AppLanguage::persian};
    std::unique_ptr<InMemoryTokenStore> tokens = std::make_unique<InMemoryTokenStore>();
    std::vector<QUrl> opened;
    bool browserOpens = true;
    std::unique_ptr<AppModel> model;

    // A model on the fixture's folder, sites and tokens (which the first model takes over;
    // later ones start with none), with the sample laptop's specs known.
    AppModelSetup setup() {
        AppModelSetup setup;
        setup.tokenStore = tokens ? std::move(tokens) : std::make_unique<InMemoryTokenStore>();
        setup.transport = std::make_unique<HttpTransport>(
            HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp, ZANTIVA_WEB_REQUEST_LOOPBACK);
        setup.currentVersion = *AppVersion::parse("1.0.0");
        setup.folder = folder.path();
        setup.sites = sites;
        setup.loc = &loc;
        setup.specs = sampleLaptopSpecs();
        setup.telemetrySampler = [] { return std::make_shared<IdleSampler>(); };
        setup.openURL = [this](QUrl url) -> QCoro::Task<bool> {
            opened.push_back(url);
            co_return browserOpens;
        };
        return setup;
    }
    AppModel& makeModel(AppModelSetup setup) {
        model.reset();
        model = std::make_unique<AppModel>(std::move(setup));
        return *model;
    }
    AppModel& makeModel() { return makeModel(setup()); }

    // A sign-in at the site on an earlier launch: its token waits in the token store.
    void signedInEarlier(AppLanguage language) { signedInEarlier(language, *tokens); }
    void signedInEarlier(AppLanguage language, SecureTokenStore& store) {
        const SiteProfile& site = sites.forLanguage(language);
        SessionManager session(site, store, sites);
        HttpTransport transport(HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp,
                                ZANTIVA_WEB_REQUEST_LOOPBACK);
        ZantivaAPIClient api(session, transport);
        TestSite& website = language == AppLanguage::persian ? persianSite : englishSite;
        const auto link = session.handle(website.signInInBrowser(session.beginSignIn(), site.domain));
        ASSERT_TRUE(link && std::holds_alternative<LinkAccepted>(*link));
        awaitTask(api.exchange(std::get<LinkAccepted>(*link).grant));
    }

    // The return link of the sign-in page the model opened last.
    QUrl returnLink(TestSite& website, const std::string& domain) {
        return opened.empty() ? QUrl() : website.signInInBrowser(opened.back(), domain);
    }

    // The keys of the status line's standing lines, in order.
    std::vector<std::string> bannerKeys() const {
        std::vector<std::string> keys;
        for (const LocalizedMessage& banner : model->banners()) keys.push_back(banner.key());
        return keys;
    }

    // Waits until no account refresh runs and the status line is no longer "completing".
    bool signInSettled() {
        return runUntil([&] {
            return !model->isRefreshingAccount() && model->status() != LocalizedMessage("Auth.CompletingSignIn");
        });
    }

private:
    // Telemetry the model tests don't look at.
    struct IdleSampler final : TelemetrySampling {
        SensorSnapshot sample() override { return {}; }
    };
};

} // namespace zantiva::testing
