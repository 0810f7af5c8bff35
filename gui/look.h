// How the window models' units, colours and font names look on screen: 15 twips a pixel,
// colours as 0xBBGGRR (system colours with the high bit set), and the fonts the windows
// name mapped to metric-compatible ones.
#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QSize>
#include <QString>
#include <string>

namespace brasket::gui {

constexpr int twipsperpixel = 15;
inline int pixels(double twips) { return static_cast<int>(twips / twipsperpixel + (twips >= 0 ? 0.5 : -0.5)); }
inline long twips(int pixels) { return static_cast<long>(pixels) * twipsperpixel; }

// 0xBBGGRR, or a system colour (0x800000nn) taken from the palette.
QColor colour(long bbggrr, const QPalette& palette);
long bbggrr(const QColor& c);

// The family that stands in for a font name of the windows ("Courier New" -> "Liberation Mono").
QString fontfamily(const std::string& name);
// A font of the given name, size in points and weight; sized in pixels at 15 twips a pixel
// so that text keeps its twip proportions whatever the screen's resolution.
QFont screenfont(const std::string& name, double points, bool bold = false);
// The same font sized in points, for the printer.
QFont printfont(const std::string& name, double points, bool bold = false, bool italic = false);
// The window's own name for a family chosen in a font dialog (the reverse mapping).
std::string fontname(const QString& family);

// A window's size as its layout wants it, held within the screen's free area, so that a
// window on a small screen fits it (its surface then scrolls).
QSize withinscreen(QSize wanted);

QString qs(const std::string& s);
// A text as a window control shows it: up to its first character of code 0, where a window
// control's text ends (a never-assigned fixed text field is all code 0 and shows empty).
QString shown(const std::string& s);
// An entry of a list or combo box as it is shown: the text shown without the blanks that pad
// a fixed-width name, so that a short name takes the room of its letters and is never cut.
QString entry(const std::string& s);
std::string ss(const QString& s);

}  // namespace brasket::gui
