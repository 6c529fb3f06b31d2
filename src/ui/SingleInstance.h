#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

namespace tavrin {

// One running program per desktop session: the first start listens on a
// local socket, a later start hands its file name over and ends.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
  ~SingleInstance() override;
  // "tvprev-" and the user's name: one socket per user.
  static QString DefaultName();
  // Gives the file name to a running instance; false when there is none.
  static bool HandOver(const QString& fileName, const QString& name = DefaultName());
  // Starts listening (a stale socket of a crashed run is removed first).
  bool Listen();

 signals:
  // A later start sent this text (at most 256 characters).
  void FileReceived(const QString& fileName);

 private:
  QString name_;
  QLocalServer* server_;
};

}  // namespace tavrin
