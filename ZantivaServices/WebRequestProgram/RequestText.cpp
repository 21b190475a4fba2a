#include "WebRequestProgram/RequestText.h"

namespace zantiva {

QByteArray requestText(const WebRequestOrder& order) {
    const HttpRequest& request = order.request;
    QByteArray target = request.url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    // An address with no path asks for the root, its query included.
    if (!target.startsWith('/')) target.prepend('/');
    QByteArray text = request.method + ' ' + target + " HTTP/1.1\r\n";
    const QUrl site = request.url.adjusted(QUrl::RemoveUserInfo);
    text += "Host: " + site.authority(QUrl::FullyEncoded).toLatin1() + "\r\n";
    text += "User-Agent: " + order.userAgent.toUtf8() + "\r\n";
    text += "Accept: application/json\r\nAccept-Encoding: identity\r\n";
    text += "Cache-Control: no-cache, no-store, max-age=0\r\nPragma: no-cache\r\nConnection: close\r\n";
    if (request.bearerToken)
        text += "Authorization: Bearer " + QByteArray::fromStdString(*request.bearerToken) + "\r\n";
    if (request.jsonBody) {
        text += "Content-Type: application/json\r\n";
        text += "Content-Length: " + QByteArray::number(request.jsonBody->size()) + "\r\n\r\n" + *request.jsonBody;
    } else {
        text += "\r\n";
    }
    return text;
}

} // namespace zantiva
