#pragma once
#include <QObject>
#include <QProcessEnvironment>
#include <QString>

class QLocalServer;

namespace tavrin {

// One running program per desktop: the first start listens on a local
// socket named by the user and the desktop, a later start on the same
// desktop hands its file name over and ends.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
  ~SingleInstance() override;
  // "tvprev-", the user's name and the desktop: the X display without its
  // screen number, else the Wayland display, else the login session.
  static QString NameFor(const QProcessEnvironment& env);
  static QString DefaultName() { return NameFor(QProcessEnvironment::systemEnvironment()); }
  // What a later start sends: the file name made absolute here, since the
  // running copy works in another folder.
  static QString HandOverText(const QString& fileName);
  // Gives the file name to a running instance; false when there is none.
  static bool HandOver(const QString& fileName, const QString& name = DefaultName());
  // Starts listening (a stale socket of a crashed run is removed first).
  bool Listen();

  // Longest text taken from a later start: a whole path, not a cut one.
  static constexpr int kMaxText = 4096;

 signals:
  // A later start sent this text.
  void FileReceived(const QString& fileName);

 private:
  QString name_;
  QLocalServer* server_;
};

}  // namespace tavrin
