#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle("tavrin [real]");
  QMenu* matrix = frame.menuBar()->addMenu("&Matrix");
  matrix->addAction("E&xit", &frame, &QWidget::close);
  frame.resize(200, 120);
  frame.show();
  return app.exec();
}
