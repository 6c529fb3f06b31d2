#pragma once
#include <QString>
#include <string>

#include "app/UserPort.h"

class QWidget;

namespace tavrin {

// Entry texts are single bytes: codes 128..159 follow the Windows-1252
// table (150 is the en dash a lengthened minus usually asks for), the rest
// Latin-1.
QString ProgramText(const std::string& bytes);
std::string ToProgramText(const QString& text);
QChar ProgramChar(int code);

// The standard conversions the dialogs use: atoi (leading blanks, a sign,
// digits; 0 when there are none; clamped to the int range), atof under the
// C locale, and printf formatting of one long double.
int AsciiToInt(const QString& text);
long double AsciiToLongDouble(const QString& text);
QString FormatLongDouble(const char* format, long double value);

// The program's message boxes: "hmm ..." for a code's message, "careful!"
// for questions.
void ShowCodeBox(QWidget* parent, ResultCode code, const std::string& place = {});
Answer AskBox(QWidget* parent, const QString& question, bool withCancel);
void NoticeBox(QWidget* parent, const QString& caption, const QString& text);

// The generic small input boxes: one prompt and edit box, or two.
bool InputOne(QWidget* parent, const QString& title, const QString& prompt, QString& text, int maxLength);
bool InputTwo(QWidget* parent, const QString& title, const QString& prompt1, const QString& prompt2,
              QString& text1, QString& text2, int maxLength);

}  // namespace tavrin
