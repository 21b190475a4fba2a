#include "DrawnText.h"

#include <algorithm>

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QStyle>

namespace zantiva {
namespace {

// Antialiasing spills a glyph's edge a pixel further: that is not a text cut off.
constexpr int tolerance = 1;

bool isLatinOrDigit(QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); }
// What a figure may hold besides letters and digits ("1,612.4", "94°C", "3/3", "4×", "2026-11-30").
bool joinsFigure(QChar c) { return isLatinOrDigit(c) || QStringView(u".,%\u00B0/:+-_\u00D7").contains(c); }
bool isMark(QChar c) { return c.category() == QChar::Other_Format; }
// One blank between two words, and the direction marks around them.
bool onlyBlanks(QStringView text) {
    return text.count(u' ') == 1 && std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || isMark(c); });
}

} // namespace

DrawnText::DrawnText(const QLabel& label)
    : label_(label), text_(label.text()), contents_(label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(),
                                                                   -label.margin())),
      direction_(label.layoutDirection()), layout_(label.text(), label.font()) {
    QTextOption option(QStyle::visualAlignment(direction_, label.alignment()));
    option.setTextDirection(direction_);
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout_.setTextOption(option);
    layout_.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(contents_.width());
        line.setPosition({0, y});
        y += line.height();
    }
    layout_.endLayout();
}

QStringList DrawnText::linesOutside() const {
    // The label's own drawing call on a canvas with room around the label: ink in that room is
    // what the label cuts off.
    constexpr int room = 16;
    QImage canvas(label_.width() + 2 * room, label_.height() + 2 * room, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(label_.font());
        painter.setLayoutDirection(label_.layoutDirection());
        const Qt::LayoutDirection textDirection = text_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        const int flags = int(QStyle::visualAlignment(textDirection, label_.alignment())) |
                          (label_.wordWrap() ? Qt::TextWordWrap : 0) |
                          (textDirection == Qt::RightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
        label_.style()->drawItemText(&painter, contents_.toRect().translated(room, room), flags, label_.palette(), true,
                                     text_, QPalette::WindowText);
    }
    const QRect inside = QRect(QPoint(room, room), label_.size()).adjusted(-tolerance, -tolerance, tolerance, tolerance);
    QRect ink;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (qAlpha(canvas.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
    if (ink.isEmpty() || inside.contains(ink)) return {};
    return {QStringLiteral("ink at %1..%2 x %3..%4 for a label at 0..%5 x 0..%6: %7")
                .arg(ink.left() - room)
                .arg(ink.right() - room)
                .arg(ink.top() - room)
                .arg(ink.bottom() - room)
                .arg(label_.width() - 1)
                .arg(label_.height() - 1)
                .arg(text_)};
}

qreal DrawnText::drawnX(int position) const {
    QRectF drawn;
    for (const QGlyphRun& run : layout_.glyphRuns(position, 1)) drawn |= run.boundingRect();
    return drawn.center().x();
}

std::vector<DrawnText::Figure> DrawnText::figures(const QTextLine& line) const {
    // Words of Latin letters, digits and their signs, each cut from the punctuation after it.
    std::vector<Figure> words;
    const int end = line.textStart() + line.textLength();
    for (int i = line.textStart(); i < end;) {
        if (!joinsFigure(text_[i]) || isMark(text_[i])) {
            ++i;
            continue;
        }
        int j = i;
        while (j < end && (joinsFigure(text_[j]) || isMark(text_[j]))) ++j;
        int last = j;
        while (last > i && (isMark(text_[last - 1]) || QStringView(u".,:/+-_").contains(text_[last - 1]))) --last;
        if (last > i) words.push_back({i, last});
        i = j;
    }
    // A blank joins a name's words ("Core i7 12700H") and a figure to its unit ("38.4 TB"): one run.
    std::vector<Figure> runs;
    for (const Figure& word : words) {
        const bool apart = runs.empty() || !onlyBlanks(QStringView(text_).mid(runs.back().end, word.start - runs.back().end));
        if (!apart && (text_[runs.back().start].isLetter() || text_[word.start].isLetter())) runs.back().end = word.end;
        else runs.push_back(word);
    }
    std::vector<Figure> found;
    for (const Figure& run : runs)
        if (std::any_of(text_.begin() + run.start, text_.begin() + run.end, [](QChar c) { return c.isDigit(); }))
            found.push_back(run);
    return found;
}

QStringList DrawnText::figuresOutOfOrder() const {
    QStringList wrong;
    for (int l = 0; l < layout_.lineCount(); ++l) {
        const std::vector<Figure> line = figures(layout_.lineAt(l));
        for (std::size_t f = 0; f < line.size(); ++f) {
            const Figure& figure = line[f];
            const QString shown = text_.mid(figure.start, figure.end - figure.start);
            qreal previous = -1e9;
            for (int i = figure.start; i < figure.end; ++i) {
                if (isMark(text_[i]) || text_[i] == u' ') continue;
                const qreal x = drawnX(i);
                if (x <= previous) {
                    wrong << QStringLiteral("%1 is not drawn left to right in: %2").arg(shown, text_);
                    break;
                }
                previous = x;
            }
            // Figures apart in a right-to-left sentence follow it from right to left.
            if (direction_ != Qt::RightToLeft || f + 1 == line.size()) continue;
            const Figure& next = line[f + 1];
            if (drawnX(figure.start) < drawnX(next.start))
                wrong << QStringLiteral("%1 is drawn left of %2 in: %3")
                             .arg(shown, text_.mid(next.start, next.end - next.start), text_);
        }
    }
    return wrong;
}

} // namespace zantiva
