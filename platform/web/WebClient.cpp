#include "platform/web/WebClient.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

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

// What a request waits for: the answer's head (its status) or its whole body.
enum class Until { Head, End };

// Sends a GET that always goes to the network, hands each arriving piece of the body to
// onData (which may refuse it) and waits for the end, or only for the head. True when the
// head brought a success status and, waiting for the end, the transfer completed with as
// many bytes as the server announced; false when the deadline passed first.
bool fetch(const QUrl &url, int idleMs, int deadlineMs, Until until,
           const std::function<bool(const QByteArray &)> &onData)
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
    request.setTransferTimeout(idleMs);

    QNetworkReply *reply = manager.get(request);
    const auto status = [reply] { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); };
    qint64 received = 0;
    bool accepted = true;
    bool headSucceeded = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const QByteArray piece = reply->readAll();
        received += piece.size();
        if (accepted && !onData(piece)) {
            accepted = false;
            reply->abort();
        }
    });
    if (until == Until::Head) {
        // A redirect's head is passed by: the head of the address it leads to decides.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
            const int code = status();
            if (code >= 300 && code < 400)
                return;
            headSucceeded = code >= 200 && code < 300;
            reply->abort();
        });
    }
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(deadlineMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const QByteArray rest = reply->readAll();
    received += rest.size();
    accepted = accepted && onData(rest);
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool complete = !announced.isValid() || announced.toLongLong() == received;
    const bool ok = headSucceeded
                    || (accepted && reply->error() == QNetworkReply::NoError && status() >= 200 && status() < 300
                        && complete);
    delete reply;
    return ok;
}

} // namespace

bool WebClient::isReachable(const QUrl &url) const
{
    return url.isValid() && fetch(url, idleMs_, deadlineMs_, Until::Head, [](const QByteArray &) { return true; });
}

bool WebClient::download(const QUrl &url, const QString &filePath) const
{
    if (!url.isValid())
        return false;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool ok = fetch(url, idleMs_, deadlineMs_, Until::End, [&](const QByteArray &piece) {
        return file.write(piece) == piece.size();
    });
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vek
