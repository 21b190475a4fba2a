#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QByteArray>
#include <QUrlQuery>
#include <QCoro/QCoroTask>

#include "Account/HttpTransport.h"
#include "Account/SiteProfile.h"
#include "Model/JsonCodec.h"

namespace zantiva {

struct ApiRequest {
    QByteArray method = "GET";
    std::string_view endpoint;            // under the site's "wp-json/zantiva/v1/"
    std::optional<std::string> bearerToken;
    std::optional<json::Json> body;       // sent as JSON
    QUrlQuery query;
};

// One call of the site's REST API: the reply's JSON object on a 2xx status, otherwise the
// APIError its status means (401 with a token: unauthorized; 429: rate limited; 5xx and
// statuses without meaning here: server; other 4xx: rejected with the reply's code and
// message), and untrusted for a 2xx reply that is not a JSON object.
QCoro::Task<json::Json> callAPI(HttpTransport& transport, SiteProfile site, ApiRequest request);

} // namespace zantiva
