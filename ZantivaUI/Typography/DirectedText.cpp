#include "Typography/DirectedText.h"

namespace zantiva {

namespace {

constexpr QChar leftToRightMark(0x200E);
constexpr QChar rightToLeftMark(0x200F);
constexpr QChar leftToRightIsolate(0x2066);
constexpr QChar popDirectionalIsolate(0x2069);

bool isLatinOrDigit(QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); }

// Inside a run: what joins figures, units and names ("1,612.4", "94°C", "MB/s", "M.2").
bool joinsRun(QChar c) { return isLatinOrDigit(c) || QStringView(u".,%\u00B0/:+-_'\u00D7").contains(c); }

// A run may end on a letter, a digit or a unit sign ("4×"), never on the sentence's punctuation.
bool endsRun(QChar c) { return isLatinOrDigit(c) || c == u'%' || c == u'\u00B0' || c == u'\u00D7'; }

// Where a run starts: a Latin letter or a digit, a unit sign before its letter (the "°" of a
// lone "°C"), or the slash that opens a word of a path ("/home/…"), which would else stand
// apart at the run's other end.
bool startsRun(const QString& text, qsizetype i) {
    const bool beforeLatin = i + 1 < text.size() && isLatinOrDigit(text[i + 1]);
    const bool opensPath = text[i] == u'/' && (i == 0 || text[i - 1] == u' ');
    return isLatinOrDigit(text[i]) || ((text[i] == u'\u00B0' || opensPath) && beforeLatin);
}

// A bracket that opens a group of Latin letters or digits: "(EGL_BAD_ALLOC)".
bool opensGroup(const QString& text, qsizetype i) {
    return text[i] == u'(' && i + 1 < text.size() && isLatinOrDigit(text[i + 1]);
}

// Whether a run goes on over the blank before `next`: a name takes in its next word, figure,
// path or bracketed group ("SEQ1M Q8T1", "eglCreateContext failed (EGL_BAD_ALLOC)", "the home
// folder /home/ana is …", a system's reason in English); a figure only its unit ("38.4 TB"), so
// that figures apart ("3/3 (0xAA)") keep the sentence's order.
bool crossesBlank(const QString& text, qsizetype next, bool figure) {
    if (next >= text.size()) return false;
    if (figure) return text[next].unicode() < 0x80 && text[next].isLetter();
    const bool opensPath = text[next] == u'/' && next + 1 < text.size() && isLatinOrDigit(text[next + 1]);
    return isLatinOrDigit(text[next]) || opensGroup(text, next) || opensPath;
}

// Each run that starts with a Latin letter, a digit or "°C", with the blanks and closed
// bracketed groups that crossesBlank lets in, isolated left to right.
QString isolateLatinRuns(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    qsizetype i = 0;
    while (i < text.size()) {
        if (!startsRun(text, i)) {
            out += text[i++];
            continue;
        }
        qsizetype end = i; // one past the run's last character that may end it
        qsizetype j = i;
        const bool figure = text[i].isDigit();
        int open = 0; // groups opened and not yet closed; the run can't end inside one
        while (j < text.size()) {
            if (text[j] == u' ' && crossesBlank(text, j + 1, figure)) {
                ++j;
                continue;
            }
            if (opensGroup(text, j)) {
                ++open;
            } else if (text[j] == u')' && open > 0) {
                if (--open == 0) end = j + 1;
            } else if (!joinsRun(text[j])) {
                break;
            } else if (endsRun(text[j]) && open == 0) {
                end = j + 1;
            }
            ++j;
        }
        out += leftToRightIsolate;
        out += QStringView(text).mid(i, end - i);
        out += popDirectionalIsolate;
        i = end;
    }
    return out;
}

} // namespace

bool holdsRightToLeftLetter(const QString& text) {
    for (const QChar c : text)
        if (c.direction() == QChar::DirR || c.direction() == QChar::DirAL) return true;
    return false;
}

QString directedText(const QString& text, Qt::LayoutDirection direction) {
    if (text.isEmpty()) return text;
    // Each line is a paragraph of its own that would take its direction from its own first
    // letter (a line that holds only an address would sit at the other edge): each is marked.
    QString marked = direction == Qt::RightToLeft ? rightToLeftMark + isolateLatinRuns(text) : leftToRightMark + text;
    marked.replace(u'\n', QString(u'\n') + marked.front());
    return marked;
}

} // namespace zantiva
