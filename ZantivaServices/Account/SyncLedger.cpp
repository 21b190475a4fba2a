#include "Account/SyncLedger.h"

#include <system_error>

#include "Model/JsonFile.h"
#include "Platform/AtomicFile.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "sync";
constexpr std::string_view devicesFile = "last-reported-device.json";

std::string fingerprintFile(const std::string& domain) { return "last-submitted-fingerprint-" + domain; }

} // namespace

SyncLedger::SyncLedger(std::optional<std::filesystem::path> directory) : directory_(std::move(directory)) {
    if (!directory_) return;
    if (auto stored = jsonfile::load(*directory_ / devicesFile); stored && stored->is_object()) devices_ = *stored;
}

bool SyncLedger::isDeviceReported(const std::string& domain, std::int64_t userId, const DeviceProfile& profile) const {
    const auto it = devices_.find(domain);
    if (it == devices_.end()) return false;
    try {
        return json::required<std::int64_t>(*it, "user_id") == userId &&
               json::required<DeviceProfile>(*it, "device") == profile;
    } catch (const json::DecodeError&) {
        return false;
    }
}

void SyncLedger::recordDeviceReported(const std::string& domain, std::int64_t userId, const DeviceProfile& profile) {
    json::Json entry = json::Json::object();
    json::put(entry, "user_id", userId);
    json::put(entry, "device", profile);
    devices_[domain] = std::move(entry);
    if (directory_) jsonfile::save(*directory_ / devicesFile, devices_, category);
}

std::optional<std::string> SyncLedger::lastSubmittedFingerprint(const std::string& domain) const {
    if (const auto it = fingerprints_.find(domain); it != fingerprints_.end()) return it->second;
    if (!directory_) return std::nullopt;
    auto text = readWholeFile(*directory_ / fingerprintFile(domain));
    if (!text) return std::nullopt;
    while (!text->empty() && (text->back() == '\n' || text->back() == ' ')) text->pop_back();
    if (text->empty()) return std::nullopt;
    return text;
}

void SyncLedger::recordSubmitted(const std::string& domain, const std::string& fingerprint) {
    fingerprints_[domain] = fingerprint;
    if (!directory_) return;
    jsonfile::saveText(*directory_ / fingerprintFile(domain), fingerprint + "\n", category);
}

} // namespace zantiva
