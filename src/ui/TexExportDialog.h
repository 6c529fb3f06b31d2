#pragma once
#include <QDialog>

#include "io/TexExport.h"

class QLineEdit;
class QLabel;
class QRadioButton;

namespace tavrin {

enum class TexForm;

// The option dialog of a TeX/LaTeX export: "TEXMAT" (delimiter and
// alignment) or "TEXTABLE" (alignment and spacer factor; the LaTeX tabular
// hides the factor).
class TexOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  TexOptionsDialog(QWidget* parent, TexForm form, const TexOptions& initial);
  TexOptions Options() const;

 private:
  bool table_;
  QRadioButton* delimiters_[4] = {};
  QRadioButton* alignments_[3] = {};
  QLineEdit* factor_ = nullptr;
};

}  // namespace tavrin
