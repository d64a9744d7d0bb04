#include "tests/support/LocalHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace vek {

LocalHttpServer::LocalHttpServer()
{
    if (!server_.listen(QHostAddress::LocalHost))
        throw std::runtime_error("the local HTTP server cannot listen");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end >= 0 && !socket->property("answered").toBool()) {
                    socket->setProperty("answered", true);
                    answer(socket, buffer->left(end));
                }
            });
        }
    });
}

void LocalHttpServer::answer(QTcpSocket *socket, const QByteArray &request)
{
    requests_.append(request);
    const QString path = QString::fromLatin1(request.split(' ').value(1));
    const Response response = responses_.value(path, Response{404, "not found", {}, -1, true});
    if (!response.answers)
        return;
    const qint64 length = response.announcedLength < 0 ? response.body.size() : response.announcedLength;
    const QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n"
                            + "Content-Length: " + QByteArray::number(length) + "\r\n" + response.extraHeaders
                            + "Connection: close\r\n\r\n";
    const QByteArray whole = head + response.body;
    if (response.trickleMs <= 0) {
        socket->write(whole);
        socket->disconnectFromHost();
        return;
    }
    qsizetype sent = response.trickleHead ? 0 : head.size();
    socket->write(whole.left(sent));
    auto *timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [socket, whole, sent]() mutable {
        if (sent < whole.size())
            socket->write(whole.mid(sent++, 1));
        else
            socket->disconnectFromHost();
    });
    timer->start(response.trickleMs);
}

QUrl LocalHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

QUrl LocalHttpServer::refusedUrl()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        throw std::runtime_error("no free local port");
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
}

} // namespace vek
