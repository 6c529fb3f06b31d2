#include "ui/GeneratorDialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/Generators.h"
#include "core/StringTable.h"

namespace tavrin {

namespace {

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

QString ModeName(Mode m) {
  int id = m == Mode::Real ? str::kReal : m == Mode::Complex ? str::kComplex : str::kInteger;
  return QString::fromUtf8(String(id));
}

// "create" and "close" side by side under the fields.
QHBoxLayout* CreateRow(QPushButton* create, QPushButton* close) {
  auto* row = new QHBoxLayout;
  row->addWidget(create);
  row->addWidget(close);
  return row;
}

QButtonGroup* Group(QObject* parent, std::initializer_list<QRadioButton*> radios) {
  auto* group = new QButtonGroup(parent);
  for (QRadioButton* r : radios) group->addButton(r);
  return group;
}

}  // namespace

// ---------------------------------------------------------------- NEWDLG

NewMatrixDialog::NewMatrixDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("NEWDLG"), QString(), app, owner), shownMode_(app.mode()) {
  rows_ = Edit(211, QStringLiteral("3"), 10);
  cols_ = Edit(212, QStringLiteral("3"), 10);
  types_[0] = Radio(251, QStringLiteral("zeros"), true);
  types_[1] = Radio(252, QStringLiteral("random"));
  types_[2] = Radio(253, QStringLiteral("diagonal value"));
  types_[3] = Radio(254, QStringLiteral("probability rows"));
  types_[4] = Radio(255, QStringLiteral("probability clms"));
  Group(this, {types_[0], types_[1], types_[2], types_[3], types_[4]});
  NewDialogTexts defaults = NewDialogDefaults(app.mode());
  low_ = Edit(213, QString::fromLatin1(defaults.low), 40);
  high_ = Edit(214, QString::fromLatin1(defaults.high), 40);
  value_ = Edit(215, QString::fromLatin1(defaults.value), 255);
  name_ = LetterList(295, 'A');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("size")), 0, 0);
  grid->addWidget(rows_, 0, 1);
  grid->addWidget(Label(QStringLiteral("rows")), 0, 2);
  grid->addWidget(cols_, 0, 3);
  grid->addWidget(Label(QStringLiteral("columns")), 0, 4);
  grid->addWidget(types_[0], 1, 0);
  grid->addWidget(types_[1], 2, 0);
  grid->addWidget(Label(QStringLiteral("low")), 2, 1);
  grid->addWidget(low_, 2, 2);
  grid->addWidget(Label(QStringLiteral("high")), 2, 3);
  grid->addWidget(high_, 2, 4);
  grid->addWidget(types_[2], 3, 0);
  grid->addWidget(value_, 3, 2, 1, 3);
  grid->addWidget(types_[3], 4, 0);
  grid->addWidget(types_[4], 5, 0);
  grid->addWidget(Label(QStringLiteral("name")), 6, 0);
  grid->addWidget(name_, 6, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 7, 0, 1, 5);

  setWindowTitle(QStringLiteral("new matrix [%1]").arg(ModeName(app.mode())));
  connect(create, &QPushButton::clicked, this, [this] { Create(); });
}

int NewMatrixDialog::Type() const {
  for (int t = 0; t < 5; ++t)
    if (types_[t]->isChecked()) return t;
  return 0;
}

void NewMatrixDialog::Create() {
  (void)NewMatrix(app_, LetterOf(name_), static_cast<NewType>(Type()), Text(rows_), Text(cols_),
            Text(low_), Text(high_), Text(value_));
}

void NewMatrixDialog::ModeChanged() {
  Mode now = app_.mode();
  setWindowTitle(QStringLiteral("new matrix [%1]").arg(ModeName(now)));
  // The texts change only when entering or leaving integer mode.
  if ((now == Mode::Integer) != (shownMode_ == Mode::Integer)) {
    NewDialogTexts defaults = NewDialogDefaults(now);
    low_->setText(QString::fromLatin1(defaults.low));
    high_->setText(QString::fromLatin1(defaults.high));
    value_->setText(QString::fromLatin1(defaults.value));
  }
  shownMode_ = now;
}

// ---------------------------------------------------------------- COPY

CopyColumnDialog::CopyColumnDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("COPY"), QStringLiteral("copy"), app, owner) {
  column_ = Edit(211, QStringLiteral("1"), 10);
  source_ = LetterList(296, 'A');
  result_ = LetterList(295, 'C');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("column number")), 0, 0);
  grid->addWidget(column_, 0, 1);
  grid->addWidget(Label(QStringLiteral("of")), 1, 0);
  grid->addWidget(source_, 1, 1);
  grid->addWidget(Label(QStringLiteral("name result")), 2, 0);
  grid->addWidget(result_, 2, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 3, 0, 1, 2);

  connect(create, &QPushButton::clicked, this, [this] {
    (void)CopyColumn(app_, LetterOf(source_), LetterOf(result_), Text(column_));
  });
}

// ---------------------------------------------------------------- ROT2D

Rotate2DDialog::Rotate2DDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("ROT2D"), QStringLiteral("2D rotation"), app, owner) {
  degrees_ = Edit(214, QStringLiteral("60.0"), 40);
  result_ = LetterList(295, 'R');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(degrees_, 0, 0);
  grid->addWidget(Label(QStringLiteral("deg")), 0, 1);
  grid->addWidget(Label(QStringLiteral("name")), 1, 0);
  grid->addWidget(result_, 1, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 2, 0, 1, 2);

  connect(create, &QPushButton::clicked, this,
          [this] { (void)Rotate2D(app_, LetterOf(result_), Text(degrees_)); });
}

// ---------------------------------------------------------------- ROT3D

Rotate3DDialog::Rotate3DDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("ROT3D"), QStringLiteral("3D rotation"), app, owner) {
  components_ = Radio(251, QStringLiteral("components"), true);
  fromMatrix_ = Radio(252, QStringLiteral("matrix"));
  Group(this, {components_, fromMatrix_});
  x_ = Edit(211, QStringLiteral("2.0"), 40);
  y_ = Edit(212, QStringLiteral("1.0"), 40);
  z_ = Edit(213, QStringLiteral("2.0"), 40);
  axis_ = LetterList(295, 'A');
  degrees_ = Edit(214, QStringLiteral("60.0"), 40);
  result_ = LetterList(296, 'R');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("axis")), 0, 0);
  grid->addWidget(components_, 1, 0);
  grid->addWidget(Label(QStringLiteral("x")), 1, 1);
  grid->addWidget(x_, 1, 2);
  grid->addWidget(Label(QStringLiteral("y")), 1, 3);
  grid->addWidget(y_, 1, 4);
  grid->addWidget(Label(QStringLiteral("z")), 1, 5);
  grid->addWidget(z_, 1, 6);
  grid->addWidget(fromMatrix_, 2, 0);
  grid->addWidget(axis_, 2, 1, 1, 2);
  grid->addWidget(degrees_, 3, 0);
  grid->addWidget(Label(QStringLiteral("deg")), 3, 1);
  grid->addWidget(Label(QStringLiteral("name")), 4, 0);
  grid->addWidget(result_, 4, 1, 1, 2);
  grid->addLayout(CreateRow(create, CloseButton()), 5, 0, 1, 7);

  connect(create, &QPushButton::clicked, this, [this] {
    int axis = fromMatrix_->isChecked() ? LetterOf(axis_) : 0;
    (void)Rotate3D(app_, axis, LetterOf(result_), Text(x_), Text(y_), Text(z_), Text(degrees_));
  });
}

// ---------------------------------------------------------------- IROT3D

PythagoreanRotationDialog::PythagoreanRotationDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("IROT3D"), QStringLiteral("3D rotation"), app, owner) {
  axisComponents_ = Radio(251, QStringLiteral("components"), true);
  axisMatrix_ = Radio(252, QStringLiteral("clm vector"));
  Group(this, {axisComponents_, axisMatrix_});
  x_ = Edit(211, QStringLiteral("3"), 100);
  y_ = Edit(212, QStringLiteral("6"), 100);
  z_ = Edit(213, QStringLiteral("-2"), 100);
  axis_ = LetterList(295, 'A');
  angleComponents_ = Radio(253, QStringLiteral("components"), true);
  angleMatrix_ = Radio(254, QStringLiteral("clm vector"));
  Group(this, {angleComponents_, angleMatrix_});
  rcos_ = Edit(214, QStringLiteral("4"), 100);
  rsin_ = Edit(215, QStringLiteral("3"), 100);
  angle_ = LetterList(296, 'B');
  result_ = LetterList(297, 'R');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("Pythagorean axis [x,y,z]")), 0, 0, 1, 4);
  grid->addWidget(axisComponents_, 1, 0);
  grid->addWidget(x_, 1, 1);
  grid->addWidget(y_, 1, 2);
  grid->addWidget(z_, 1, 3);
  grid->addWidget(axisMatrix_, 2, 0);
  grid->addWidget(axis_, 2, 1);
  grid->addWidget(Label(QStringLiteral("Pythagorean angle [r cos,r sin]")), 3, 0, 1, 4);
  grid->addWidget(angleComponents_, 4, 0);
  grid->addWidget(rcos_, 4, 1);
  grid->addWidget(rsin_, 4, 2);
  grid->addWidget(angleMatrix_, 5, 0);
  grid->addWidget(angle_, 5, 1);
  grid->addWidget(Label(QStringLiteral("matrix")), 6, 0);
  grid->addWidget(result_, 6, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 7, 0, 1, 4);

  connect(create, &QPushButton::clicked, this, [this] {
    int axis = axisMatrix_->isChecked() ? LetterOf(axis_) : 0;
    int angle = angleMatrix_->isChecked() ? LetterOf(angle_) : 0;
    (void)PythagoreanRotation(app_, axis, angle, LetterOf(result_), Text(x_), Text(y_), Text(z_),
                        Text(rcos_), Text(rsin_));
  });
}

// ---------------------------------------------------------------- PROREF

ReflectProjectDialog::ReflectProjectDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("PROREF"), QStringLiteral("projection | reflection"), app, owner) {
  axis_ = LetterList(295, 'A');
  projection_ = Radio(251, QStringLiteral("projection"), true);
  reflection_ = Radio(252, QStringLiteral("reflection"));
  Group(this, {projection_, reflection_});
  result_ = LetterList(296, 'P');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("axis")), 0, 0);
  grid->addWidget(axis_, 0, 1);
  grid->addWidget(projection_, 1, 0);
  grid->addWidget(reflection_, 1, 1);
  grid->addWidget(Label(QStringLiteral("matrix")), 2, 0);
  grid->addWidget(result_, 2, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 3, 0, 1, 2);

  connect(create, &QPushButton::clicked, this, [this] {
    (void)ReflectProject(app_, LetterOf(axis_), LetterOf(result_), projection_->isChecked());
  });
}

// ---------------------------------------------------------------- UNI

UnimodularDialog::UnimodularDialog(Application& app, QWidget* owner)
    : TaskDialog(QStringLiteral("UNI"), QStringLiteral("unimodular"), app, owner) {
  rows_ = Edit(211, QStringLiteral("3"), 10);
  name_ = LetterList(295, 'U');
  QPushButton* create = Button(91, QStringLiteral("create"), true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("rows")), 0, 0);
  grid->addWidget(rows_, 0, 1);
  grid->addWidget(Label(QStringLiteral("name")), 1, 0);
  grid->addWidget(name_, 1, 1);
  grid->addLayout(CreateRow(create, CloseButton()), 2, 0, 1, 2);

  connect(create, &QPushButton::clicked, this,
          [this] { (void)Unimodular(app_, Text(rows_), LetterOf(name_)); });
}

}  // namespace tavrin
