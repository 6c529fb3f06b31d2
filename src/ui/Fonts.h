#pragma once
#include <QColor>
#include <QFont>
#include <QString>

#include "io/WindowAppearance.h"

class QWidget;

namespace tavrin {

// A face this machine lacks is replaced by a metric-compatible one:
// "Courier New" by "Liberation Mono" (or any fixed-pitch font), "Times" by
// "Liberation Serif", "Symbol" by the default sans font.
QString ResolveFace(const QString& face);
// The Qt font of entry k of a window's font table.
QFont WindowFont(const WindowAppearance& a, int k);
// Colour of a palette value 0x00BBGGRR and back.
QColor ColourOf(uint32_t bgr);
uint32_t BgrOf(const QColor& c);
// The text colour of font entry k (black by default).
QColor FontColour(const WindowAppearance& a, int k);
// The font dialog for entry k titled `title`; with colour also asks for the
// text colour. Stores the entry on OK and returns true.
bool ChooseWindowFont(QWidget* parent, WindowAppearance& a, int k, const QString& title, bool withColour);
// Stores a Qt font into entry k (face, height for 96 dpi, weight, italic, points).
void StoreFont(WindowAppearance& a, int k, const QFont& font);

}  // namespace tavrin
