#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace vek {

// A small HTTP server for one test, listening on 127.0.0.1 only. Each path answers as set;
// any other path answers 404. It serves from the test's own event loop.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray extraHeaders;   // complete header lines, each ending in "\r\n"
        qint64 announcedLength = -1; // the Content-Length sent; -1: the body's length
        bool answers = true;       // false: read the request and never answer
        int trickleMs = 0;         // > 0: the body goes out one byte every trickleMs
        bool trickleHead = false;  // with trickleMs: the head trickles too
    };

    LocalHttpServer();

    void setResponse(const QString &path, const Response &response) { responses_[path] = response; }
    QUrl url(const QString &path) const;
    // The request heads received so far, oldest first.
    const QList<QByteArray> &requests() const { return requests_; }
    // An address on 127.0.0.1 where nothing listens.
    static QUrl refusedUrl();

private:
    void answer(QTcpSocket *socket, const QByteArray &request);

    QTcpServer server_;
    QMap<QString, Response> responses_;
    QList<QByteArray> requests_;
};

} // namespace vek
