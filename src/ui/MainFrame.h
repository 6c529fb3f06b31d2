#pragma once
#include <QMainWindow>
#include <QMap>
#include <QUrl>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "app/Application.h"
#include "app/UserPort.h"
#include "io/Settings.h"

class QDialog;

namespace tavrin {

class MatrixWindow;
class TaskDialog;
class TaskDialogs;
class TextWindow;

// The small main window: the menus of the current mode, the task dialogs,
// the matrix windows of every document, and the real message boxes behind
// the application's questions.
class MainFrame : public QMainWindow, public UserPort {
  Q_OBJECT
 public:
  // pendingFile is opened at the first idle moment, as a dropped file.
  explicit MainFrame(const QString& pendingFile = QString());
  ~MainFrame() override;

  Application& app() { return *app_; }
  // The window of a document (created on first use).
  MatrixWindow* WindowOf(const MatrixDocument& doc);
  MatrixWindow* WindowOfLetter(int letter);
  // The current menus' action with this command id (hidden accelerator
  // actions included), or nullptr.
  QAction* action(int id) const { return actions_.value(id, nullptr); }
  QMenu* viewMenu() const { return view_; }
  QMenu* oneMatrixMenu() const { return oneMatrix_; }
  // Runs a main-frame command as its menu item would.
  void Command(int id);
  void UpdateCommandStates();
  // Dropped files: matrix files open by their extension, others are ignored.
  void OpenDropped(const QList<QUrl>& urls);
  // A file handed over by a later start. While a command is under way
  // (long work, or a question open) handed-over and dropped files wait.
  void OpenHandedOver(const QString& fileName);
  bool Busy() const;
  const MainSettings& settings() const { return settings_; }
  TextWindow* helpWindow();

  // UserPort
  Answer Ask(const std::string& question, bool withCancel) override;
  void ShowCode(ResultCode code) override;
  void ShowCodeAt(ResultCode code, const std::string& place) override;
  void ShowNotice(const std::string& text) override;
  bool ChooseFile(bool save, const std::string& filter, const std::string& initial, std::string& path) override;
  void DocumentCreated(const MatrixDocument& doc) override;
  void DocumentChanged(const MatrixDocument& doc) override;
  void ShowDocument(const MatrixDocument& doc) override;
  void HideDocument(const MatrixDocument& doc) override;
  void LetterMenusChanged() override;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildMenus();
  void RebuildLetterMenus();
  void FirstIdle();
  void ShowHelpPage(const QString& page);
  void DestroyWindows();
  void FitTitleAndMenus();
  // The dialog a companion window serves (nullptr while never shown), and
  // moving the window off that dialog when it covers it.
  QDialog* DialogOfCompanion(const MatrixDocument& doc) const;
  void PlaceCompanion(const MatrixDocument& doc);
  // Moves a shown window off a visible dialog it covers (beside it).
  void PlaceOffDialog(MatrixWindow* w, const QDialog* dialog);
  // The task dialog in use (active, or active before a question box), or nullptr.
  TaskDialog* DialogInUse() const;
  void OpenWhenIdle();
  // The save question of every modified text window: false to stay open.
  bool AskTextWindowsToSave();

  std::unique_ptr<Application> app_;
  std::unique_ptr<TaskDialogs> tasks_;
  std::map<const MatrixDocument*, MatrixWindow*> windows_;
  QMap<int, QAction*> actions_;
  QMenu* view_ = nullptr;
  QMenu* oneMatrix_ = nullptr;
  QAction* viewSeparator_ = nullptr;
  QList<QAction*> hiddenAccelerators_;
  Mode builtMode_ = Mode::Real;
  bool menusBuilt_ = false;
  MainSettings settings_;
  QString pending_;
  QStringList waiting_, waitingDrops_;
  QTimer* waitTimer_ = nullptr;
  QPointer<TextWindow> help_;
  int cascade_ = 0;
  QPointer<QWidget> lastActive_;
};

}  // namespace tavrin
