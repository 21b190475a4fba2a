#include "Account/PKCE.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <sys/random.h>

#include <QByteArray>
#include <QCryptographicHash>

namespace zantiva::PKCE {
namespace {

constexpr auto base64url = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

} // namespace

std::string randomToken() {
    std::array<char, 32> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        filled += static_cast<std::size_t>(got);
    }
    return QByteArray(bytes.data(), bytes.size()).toBase64(base64url).toStdString();
}

std::string challenge(std::string_view verifier) {
    const auto digest = QCryptographicHash::hash(QByteArrayView(verifier.data(), qsizetype(verifier.size())),
                                                 QCryptographicHash::Sha256);
    return digest.toBase64(base64url).toStdString();
}

} // namespace zantiva::PKCE
