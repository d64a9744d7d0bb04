#include "app/ProgramBlock.h"

#include <QLocalSocket>
#include <QStandardPaths>

namespace vek {
namespace {

constexpr int ConnectTimeoutMs = 1000;
const QByteArray ActivateRequest = QByteArrayLiteral("activate\n");

} // namespace

ProgramBlock::ProgramBlock(const QString &title, QObject *parent)
    : QObject(parent), name_(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' + title)
{
    // No socket options: with them the server renames its socket over an existing one
    // instead of finding it in use. The runtime folder is the user's own anyway.
    connect(&server_, &QLocalServer::newConnection, this, &ProgramBlock::AnswerConnection);
}

bool ProgramBlock::Claim()
{
    if (server_.listen(name_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError)
        return true;
    if (InstanceAnswers())
        return false;
    QLocalServer::removeServer(name_);
    // Two starts at the same moment: the one that lost the socket finds the winner.
    return server_.listen(name_) || !InstanceAnswers();
}

bool ProgramBlock::InstanceAnswers() const
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    return socket.waitForConnected(ConnectTimeoutMs);
}

bool ProgramBlock::ActivateRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(ActivateRequest);
    const bool sent = socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void ProgramBlock::AnswerConnection()
{
    while (QLocalSocket *socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == ActivateRequest)
                    emit activationRequested();
            }
        });
    }
}

} // namespace vek
