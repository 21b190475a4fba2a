#pragma once

#include <optional>
#include <string>

#include <QByteArray>
#include <QUrl>

namespace zantiva {

struct HttpRequest {
    QByteArray method = "GET";
    QUrl url;
    std::optional<std::string> bearerToken;
    std::optional<QByteArray> jsonBody;
};

struct HttpResponse {
    int status = 0;
    QByteArray body;
};

} // namespace zantiva
