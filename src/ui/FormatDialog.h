#pragma once
#include <QDialog>
#include <functional>

#include "app/commands/FormatText.h"
#include "io/DisplayFormat.h"

class QLineEdit;
class QCheckBox;
class QRadioButton;

namespace tavrin {

// The template a display format's mask chooses: 1 "DP", 2 "FW", 3 "FWDP",
// 5 "DPSN", 15 "FWDPSN", 19 "FWDPTAB", anything else "DP".
QString FormatTemplateName(int32_t mask);

// The modal "format" dialog over one display format. OK validates; a
// refusal is reported through `refuse` and the dialog stays open with the
// record unchanged. With `apply` instead, OK hands what the dialog holds to
// it (a matrix window's format command) and stays open when it refuses.
class FormatDialog : public QDialog {
  Q_OBJECT
 public:
  FormatDialog(QWidget* parent, DisplayFormat& format, std::function<void(ResultCode)> refuse);
  FormatDialog(QWidget* parent, const DisplayFormat& format, std::function<ResultCode(const FormatChoice&)> apply);
  void accept() override;

 private:
  void Build();
  const DisplayFormat& format_;
  DisplayFormat* target_ = nullptr;  // the record the dialog itself changes, if any
  std::function<void(ResultCode)> refuse_;
  std::function<ResultCode(const FormatChoice&)> apply_;
  int32_t shown_;  // the mask bits that the chosen template has
  QLineEdit *places_ = nullptr, *width_ = nullptr;
  QCheckBox *scientific_ = nullptr, *replaceE_ = nullptr;
  QRadioButton *table1_ = nullptr, *table2_ = nullptr;
};

// The one-line "lengthen hyphens" dialog.
class HyphenDialog : public QDialog {
  Q_OBJECT
 public:
  HyphenDialog(QWidget* parent, int16_t code);
  QString Text() const;

 private:
  QLineEdit* edit_;
};

}  // namespace tavrin
