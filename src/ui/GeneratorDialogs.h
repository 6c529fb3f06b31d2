#pragma once
#include "core/Matrix.h"
#include "ui/TaskDialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tavrin {

// NEWDLG: zeros, random, diagonal or probability matrices of a given size.
class NewMatrixDialog : public TaskDialog {
  Q_OBJECT
 public:
  NewMatrixDialog(Application& app, QWidget* owner);
  void ModeChanged() override;

 private:
  void Create();
  int Type() const;
  QLineEdit *rows_, *cols_, *low_, *high_, *value_;
  QRadioButton* types_[5];
  QComboBox* name_;
  Mode shownMode_;
};

// COPY: one column of a matrix as a new column matrix.
class CopyColumnDialog : public TaskDialog {
  Q_OBJECT
 public:
  CopyColumnDialog(Application& app, QWidget* owner);

 private:
  QLineEdit* column_;
  QComboBox *source_, *result_;
};

// ROT2D: a plane rotation by an angle in degrees.
class Rotate2DDialog : public TaskDialog {
  Q_OBJECT
 public:
  Rotate2DDialog(Application& app, QWidget* owner);

 private:
  QLineEdit* degrees_;
  QComboBox* result_;
};

// ROT3D: a rotation about an axis given by components or a column matrix.
class Rotate3DDialog : public TaskDialog {
  Q_OBJECT
 public:
  Rotate3DDialog(Application& app, QWidget* owner);

 private:
  QRadioButton *components_, *fromMatrix_;
  QLineEdit *x_, *y_, *z_, *degrees_;
  QComboBox *axis_, *result_;
};

// IROT3D: an exact rotation from a Pythagorean axis and angle.
class PythagoreanRotationDialog : public TaskDialog {
  Q_OBJECT
 public:
  PythagoreanRotationDialog(Application& app, QWidget* owner);

 private:
  QRadioButton *axisComponents_, *axisMatrix_, *angleComponents_, *angleMatrix_;
  QLineEdit *x_, *y_, *z_, *rcos_, *rsin_;
  QComboBox *axis_, *angle_, *result_;
};

// PROREF: projection or reflection along an axis vector.
class ReflectProjectDialog : public TaskDialog {
  Q_OBJECT
 public:
  ReflectProjectDialog(Application& app, QWidget* owner);

 private:
  QComboBox *axis_, *result_;
  QRadioButton *projection_, *reflection_;
};

// UNI: a random unimodular integer matrix.
class UnimodularDialog : public TaskDialog {
  Q_OBJECT
 public:
  UnimodularDialog(Application& app, QWidget* owner);

 private:
  QLineEdit* rows_;
  QComboBox* name_;
};

}  // namespace tavrin
