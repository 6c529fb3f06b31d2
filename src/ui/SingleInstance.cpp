#include "ui/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace tavrin {

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] {
        buffer->append(socket->readAll());
        // Bound what a stranger can make this process hold.
        if (buffer->size() > 4096) socket->abort();
      });
      connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        socket->deleteLater();
        QString text = QString::fromUtf8(*buffer).left(256);
        emit FileReceived(text);
      });
    }
  });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  return "tvprev-" + user;
}

bool SingleInstance::HandOver(const QString& fileName, const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(1000)) return false;
  socket.write(fileName.left(256).toUtf8());
  socket.waitForBytesWritten(2000);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(2000);
  return true;
}

bool SingleInstance::Listen() {
  if (server_->listen(name_)) return true;
  QLocalServer::removeServer(name_);
  return server_->listen(name_);
}

}  // namespace tavrin
