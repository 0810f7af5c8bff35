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

class QLineEdit;

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

// A file or folder name between the skin and the file system. Names are not record text: they
// keep the file system's own encoding (the local 8-bit one, UTF-8), so that a folder or a file
// named with accented letters is found and made under the name the analyst sees and types.
QString qpath(const std::string& path);
std::string spath(const QString& path);

// A message as a message box shows it. Messages are record text, but one that names a file
// carries the file system's UTF-8 bytes of the name: a message that is valid UTF-8 and holds a
// character beyond ASCII is shown as UTF-8, any other as the records' single-byte text (a text
// of that code page is valid UTF-8 only by a very unlikely run of letters such as "Ã©").
QString message(const std::string& s);

// After the analyst typed `typed` into a line and the model stored `stored` for it (a character
// the records' code page lacks is stored as "?"), the line shows what is stored, with the cursor
// where the typing left it, so that the next key lands after the character just typed.
void keeptyped(QLineEdit& line, const QString& typed, int cursor, const QString& stored);

}  // namespace brasket::gui
