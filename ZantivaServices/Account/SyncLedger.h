#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "Model/DeviceProfile.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// What this machine already sent to each site, so nothing is sent twice:
// "last-reported-device.json" maps each site's domain to the device profile last reported
// there and the account it went to; "last-submitted-fingerprint-<domain>" holds the
// fingerprint of the last result submitted to that site. Without a folder (no home) the
// ledger lives in memory only. Failed writes are logged ("sync"); main thread only.
class SyncLedger {
public:
    // Loads "last-reported-device.json" (empty when missing or unreadable).
    explicit SyncLedger(std::optional<std::filesystem::path> directory);

    bool isDeviceReported(const std::string& domain, std::int64_t userId, const DeviceProfile& profile) const;
    void recordDeviceReported(const std::string& domain, std::int64_t userId, const DeviceProfile& profile);

    std::optional<std::string> lastSubmittedFingerprint(const std::string& domain) const;
    void recordSubmitted(const std::string& domain, const std::string& fingerprint);

private:
    std::optional<std::filesystem::path> directory_;
    json::Json devices_ = json::Json::object();
    std::map<std::string, std::string> fingerprints_; // those written by this process
};

} // namespace zantiva
