#include "Account/AppUpdateInfo.h"

#include <QUrl>

namespace zantiva {

const std::vector<std::string>& AppUpdateInfo::notes(AppLanguage language) const {
    const auto& own = language == AppLanguage::persian ? notesFa : notesEn;
    const auto& other = language == AppLanguage::persian ? notesEn : notesFa;
    return own.empty() ? other : own;
}

AppUpdateInfo AppUpdateInfo::fromJson(const json::Json& j) {
    AppUpdateInfo info;
    const auto version = AppVersion::parse(json::required<std::string>(j, "version"));
    if (!version) throw json::DecodeError("version: not a dotted version");
    info.version = *version;

    info.downloadURL = json::required<std::string>(j, "download_url");
    const QUrl url(QString::fromStdString(info.downloadURL), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != "https" || url.host().isEmpty())
        throw UnsafeDownloadLink("download_url: not an https address");

    info.isDirectDownload = json::optional<bool>(j, "is_direct_download").value_or(false);
    info.released = json::optional<Date>(j, "released");
    info.fileSizeBytes = json::optional<std::int64_t>(j, "file_size_bytes").value_or(0);
    info.notesFa = json::optional<std::vector<std::string>>(j, "notes_fa").value_or(std::vector<std::string>{});
    info.notesEn = json::optional<std::vector<std::string>>(j, "notes_en").value_or(std::vector<std::string>{});
    return info;
}

} // namespace zantiva
