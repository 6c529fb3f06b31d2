#include "ui/Messages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>
#include <cstdio>

#include "core/StringTable.h"
#include "core/TextNumbers.h"
#include "core/CLocale.h"

namespace tavrin {

namespace {
// Windows-1252 codes 128..159; 0 where the table has no character.
const char16_t kCp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                              0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QChar ProgramChar(int code) {
  code &= 0xFF;
  if (code >= 128 && code < 160 && kCp1252[code - 128] != 0) return QChar(kCp1252[code - 128]);
  return QChar(static_cast<char16_t>(code));
}

QString ProgramText(const std::string& bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char c : bytes) out.append(ProgramChar(c));
  return out;
}

std::string ToProgramText(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 256) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i)
      if (kCp1252[i] == u) mapped = static_cast<char>(128 + i);
    out.push_back(mapped);
  }
  return out;
}

int AsciiToInt(const QString& text) {
  long long value = ReadCountText(text.toStdString());
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

long double AsciiToLongDouble(const QString& text) {
  std::string s = text.toStdString();
  return StrToLongDoubleC(s.c_str(), nullptr);
}

QString FormatLongDouble(const char* format, long double value) {
  CLocaleScope c;
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, value);
  return QString::fromLatin1(buffer);
}

void ShowCodeBox(QWidget* parent, ResultCode code, const std::string& place) {
  const std::string text = place.empty() ? CodeMessage(code) : CodeMessage(code) + " " + place;
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(String(str::kHmm)), QString::fromStdString(text),
                  QMessageBox::Ok, parent);
  box.setObjectName("hmm");
  box.exec();
}

Answer AskBox(QWidget* parent, const QString& question, bool withCancel) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(String(str::kCareful)), question, buttons, parent);
  box.setObjectName("careful");
  box.setDefaultButton(QMessageBox::Yes);
  int r = box.exec();
  if (r == QMessageBox::Yes) return Answer::Yes;
  if (r == QMessageBox::No) return Answer::No;
  return withCancel ? Answer::Cancel : Answer::No;
}

void NoticeBox(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
  box.setObjectName("notice");
  box.exec();
}

namespace {
bool RunInput(QWidget* parent, const QString& title, const QStringList& prompts, QList<QString*> texts,
              int maxLength) {
  QDialog dialog(parent);
  dialog.setObjectName("input");
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  QList<QLineEdit*> edits;
  for (int i = 0; i < prompts.size(); ++i) {
    auto* edit = new QLineEdit(*texts[i], &dialog);
    edit->setObjectName(QString("edit%1").arg(i + 1));
    edit->setMaxLength(maxLength);
    edit->selectAll();
    form->addRow(prompts[i], edit);
    edits.append(edit);
  }
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton("ok", QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton("cancel", QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  for (int i = 0; i < edits.size(); ++i) *texts[i] = edits[i]->text();
  return true;
}
}  // namespace

bool InputOne(QWidget* parent, const QString& title, const QString& prompt, QString& text, int maxLength) {
  return RunInput(parent, title, {prompt}, {&text}, maxLength);
}

bool InputTwo(QWidget* parent, const QString& title, const QString& prompt1, const QString& prompt2,
              QString& text1, QString& text2, int maxLength) {
  return RunInput(parent, title, {prompt1, prompt2}, {&text1, &text2}, maxLength);
}

}  // namespace tavrin
