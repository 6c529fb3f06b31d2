#include "ui/Fonts.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>

namespace tavrin {

namespace {
bool HasFamily(const QString& face) {
  static const QStringList families = QFontDatabase::families();
  return families.contains(face, Qt::CaseInsensitive);
}

QString FirstPresent(std::initializer_list<const char*> faces, QFontDatabase::SystemFont fallback) {
  for (const char* f : faces)
    if (HasFamily(f)) return QString::fromLatin1(f);
  return QFontDatabase::systemFont(fallback).family();
}
}  // namespace

QString ResolveFace(const QString& face) {
  if (!face.isEmpty() && HasFamily(face)) return face;
  QString f = face.toLower();
  if (f.isEmpty() || f.contains("courier") || f.contains("mono"))
    return FirstPresent({"Liberation Mono", "DejaVu Sans Mono", "Courier"}, QFontDatabase::FixedFont);
  if (f.contains("times") || f.contains("serif"))
    return FirstPresent({"Liberation Serif", "DejaVu Serif", "Times New Roman"}, QFontDatabase::GeneralFont);
  return FirstPresent({"Liberation Sans", "DejaVu Sans", "Arial"}, QFontDatabase::GeneralFont);
}

QFont WindowFont(const WindowAppearance& a, int k) {
  if (k < 0 || k > 9) k = 0;
  const LogicalFont& lf = a.fonts[k];
  QString face = ResolveFace(QString::fromLatin1(lf.Face().c_str()));
  int points = a.fontPoints[k];
  if (points <= 0 || points > 200) {
    // Keep a usable font even when the stored size is nonsense.
    int h = lf.height < 0 ? -lf.height : lf.height;
    points = h > 0 && h < 300 ? h * 72 / 96 : 10;
  }
  QFont font(face);
  font.setPointSize(points);
  font.setWeight(lf.weight >= 600 ? QFont::Bold : QFont::Normal);
  font.setItalic(lf.italic != 0);
  font.setUnderline(lf.underline != 0);
  font.setStrikeOut(lf.strikeOut != 0);
  if (lf.pitchAndFamily & 1) font.setStyleHint(QFont::TypeWriter);
  font.setKerning(false);
  return font;
}

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

uint32_t BgrOf(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

QColor FontColour(const WindowAppearance& a, int k) {
  if (k < 0 || k > 9) return Qt::black;
  return ColourOf(static_cast<uint32_t>(a.fontExtras[k]) & 0xFFFFFF);
}

void StoreFont(WindowAppearance& a, int k, const QFont& font) {
  if (k < 0 || k > 9) return;
  LogicalFont& lf = a.fonts[k];
  int points = font.pointSize() > 0 ? font.pointSize() : 10;
  lf.SetFace(font.family().toStdString());
  lf.height = -(points * 96 / 72);
  lf.width = 0;
  lf.weight = font.bold() ? 700 : 400;
  lf.italic = font.italic() ? 1 : 0;
  lf.underline = font.underline() ? 1 : 0;
  lf.strikeOut = font.strikeOut() ? 1 : 0;
  a.fontPoints[k] = points;
}

bool ChooseWindowFont(QWidget* parent, WindowAppearance& a, int k, const QString& title, bool withColour) {
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, WindowFont(a, k), parent, title);
  if (!ok) return false;
  StoreFont(a, k, chosen);
  if (withColour) {
    QColor c = QColorDialog::getColor(FontColour(a, k), parent, title);
    if (c.isValid()) a.fontExtras[k] = static_cast<int32_t>(BgrOf(c));
  }
  return true;
}

}  // namespace tavrin
