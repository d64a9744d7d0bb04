#include "platform/web/WebClient.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSaveFile>

#include <functional>

namespace vek {
namespace {

class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        const QString host = query.peerHostName();
        if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

// Sends a GET that always goes to the network, hands each arriving piece of the body to
// onData (which may refuse it) and waits for the end. True when the transfer completed
// with a success status and as many bytes as the server announced.
bool fetch(const QUrl &url, int timeoutMs, const std::function<bool(const QByteArray &)> &onData)
{
    QNetworkAccessManager manager;
    manager.setProxyFactory(new SystemProxyFactory);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    // Unpacked bytes would not add up to the announced length, which tells a cut transfer.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("VekWFree"));
    request.setTransferTimeout(timeoutMs);

    QNetworkReply *reply = manager.get(request);
    qint64 received = 0;
    bool accepted = true;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const QByteArray piece = reply->readAll();
        received += piece.size();
        if (accepted && !onData(piece)) {
            accepted = false;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const QByteArray rest = reply->readAll();
    received += rest.size();
    accepted = accepted && onData(rest);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool complete = !announced.isValid() || announced.toLongLong() == received;
    const bool ok = accepted && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 && complete;
    delete reply;
    return ok;
}

} // namespace

bool WebClient::isReachable(const QUrl &url) const
{
    return url.isValid() && fetch(url, timeoutMs_, [](const QByteArray &) { return true; });
}

bool WebClient::download(const QUrl &url, const QString &filePath) const
{
    if (!url.isValid())
        return false;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool ok = fetch(url, timeoutMs_, [&](const QByteArray &piece) {
        return file.write(piece) == piece.size();
    });
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vek
