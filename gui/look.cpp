#include "look.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace brasket::gui {

QColor colour(long v, const QPalette& palette) {
    if (v & 0x80000000L) {
        switch (v & 0xFF) {
        case 0x05: return palette.color(QPalette::Base);        // window background
        case 0x08: return palette.color(QPalette::WindowText);  // window text
        case 0x0F: return palette.color(QPalette::Button);      // button face
        case 0x12: return palette.color(QPalette::ButtonText);  // button text
        case 0x0D: return palette.color(QPalette::Highlight);
        case 0x0E: return palette.color(QPalette::HighlightedText);
        case 0x11: return palette.color(QPalette::PlaceholderText);  // grey text
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

long bbggrr(const QColor& c) { return static_cast<long>(c.red()) | (static_cast<long>(c.green()) << 8) | (static_cast<long>(c.blue()) << 16); }

namespace {

struct Mapping {
    const char* name;
    const char* family;
    QFont::StyleHint hint;
};

const Mapping mappings[] = {
    {"courier new", "Liberation Mono", QFont::TypeWriter},
    {"courier", "Liberation Mono", QFont::TypeWriter},
    {"ms sans serif", "Liberation Sans", QFont::SansSerif},
    {"small fonts", "Liberation Sans", QFont::SansSerif},
    {"arial", "Liberation Sans", QFont::SansSerif},
    {"times new roman", "Liberation Serif", QFont::Serif},
};

const Mapping* mappingfor(const std::string& name) {
    QString n = QString::fromStdString(name).trimmed().toLower();
    for (const auto& m : mappings)
        if (n == QLatin1String(m.name)) return &m;
    return nullptr;
}

// A fixed-pitch family this machine has, asked for by name: the system's own fixed font is
// proportional on some machines once more fonts are installed, so every candidate is checked.
QString fixedfamily() {
    static const QString chosen = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* preferred : {"Liberation Mono", "DejaVu Sans Mono", "Noto Sans Mono", "FreeMono", "Courier New"}) {
            QString f = QString::fromLatin1(preferred);
            if (families.contains(f) && QFontDatabase::isFixedPitch(f)) return f;
        }
        QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (QFontDatabase::isFixedPitch(system.family())) return system.family();
        for (const QString& f : families)
            if (QFontDatabase::isFixedPitch(f)) return f;
        return system.family();
    }();
    return chosen;
}

QFont makefont(const std::string& name, bool bold) {
    QFont f;
    const Mapping* m = mappingfor(name);
    QString family = m ? QString::fromLatin1(m->family) : QString::fromStdString(name);
    bool fixed = !m || m->hint == QFont::TypeWriter;
    if (!QFontDatabase::families().contains(family)) {
        // Unknown or missing family: a fixed-pitch family named explicitly (or a plain sans
        // for the proportional names).
        if (fixed) {
            f.setFamily(fixedfamily());
            f.setStyleHint(QFont::Monospace);
        }
    } else {
        f.setFamily(family);
        if (m) f.setStyleHint(m->hint);
    }
    if (fixed) f.setFixedPitch(true);
    f.setBold(bold);
    return f;
}

}  // namespace

QString fontfamily(const std::string& name) { return makefont(name, false).family(); }

QFont screenfont(const std::string& name, double points, bool bold) {
    QFont f = makefont(name, bold);
    if (points <= 0) points = 8.25;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 20.0 / twipsperpixel))));
    return f;
}

QFont printfont(const std::string& name, double points, bool bold, bool italic) {
    QFont f = makefont(name, bold);
    f.setPointSizeF(points > 0 ? points : 8);
    f.setItalic(italic);
    return f;
}

std::string fontname(const QString& family) {
    if (family == QLatin1String("Liberation Mono")) return "Courier New";
    if (family == QLatin1String("Liberation Sans")) return "MS Sans Serif";
    if (family == QLatin1String("Liberation Serif")) return "Times New Roman";
    return family.toStdString();
}

QSize withinscreen(QSize wanted) {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? wanted.boundedTo(screen->availableGeometry().size()) : wanted;
}

QString qs(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); }
QString shown(const std::string& s) {
    auto end = s.find('\0');
    return qs(end == std::string::npos ? s : s.substr(0, end));
}

QString entry(const std::string& s) {
    QString text = shown(s);
    int end = static_cast<int>(text.size());
    while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
    text.truncate(end);
    return text;
}

std::string ss(const QString& s) { return s.toLatin1().toStdString(); }

QString qpath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string spath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString message(const std::string& s) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    return utf8.hasError() ? qs(s) : decoded;
}

void keeptyped(QLineEdit& line, const QString& typed, int cursor, const QString& stored) {
    if (stored == typed) return;
    QSignalBlocker block(&line);
    if (line.text() != stored) line.setText(stored);
    line.setCursorPosition(std::min(cursor, static_cast<int>(stored.size())));
}

}  // namespace brasket::gui
