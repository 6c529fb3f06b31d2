#include "ui/SingleInstance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace tavrin {

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      auto tooLong = std::make_shared<bool>(false);
      connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer, tooLong] {
        if (*tooLong) return;
        buffer->append(socket->readAll());
        // Bound what a stranger can make this process hold.
        if (buffer->size() > kMaxText) {
          *tooLong = true;
          buffer->clear();
          socket->abort();
        }
      });
      connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer, tooLong] {
        if (!*tooLong) buffer->append(socket->readAll());
        socket->deleteLater();
        // A text cut short would name another file: take whole ones only.
        if (*tooLong || buffer->size() > kMaxText) return;
        emit FileReceived(QString::fromUtf8(*buffer));
      });
    }
  });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::NameFor(const QProcessEnvironment& env) {
  QString user = env.value("USER");
  if (user.isEmpty()) user = env.value("USERNAME");
  QString desktop;
  if (QString x = env.value("DISPLAY"); !x.isEmpty()) {
    // ":0" and ":0.0" are the same desktop; the screen number goes.
    qsizetype colon = x.lastIndexOf(':'), dot = x.lastIndexOf('.');
    if (colon >= 0 && dot > colon) x.truncate(dot);
    desktop = "x" + x;
  } else if (QString w = env.value("WAYLAND_DISPLAY"); !w.isEmpty()) {
    desktop = "w" + w;
  } else {
    desktop = "s" + env.value("XDG_SESSION_ID");
  }
  // Socket names stay plain: anything but letters and digits becomes '_'.
  QString name = "tvprev-" + user + "-" + desktop;
  for (QChar& ch : name)
    if (!(ch.isLetterOrNumber() && ch.unicode() < 128) && ch != '-') ch = '_';
  return name;
}

QString SingleInstance::HandOverText(const QString& fileName) {
  return fileName.isEmpty() ? fileName : QFileInfo(fileName).absoluteFilePath();
}

bool SingleInstance::HandOver(const QString& fileName, const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(1000)) return false;
  socket.write(HandOverText(fileName).toUtf8());
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
