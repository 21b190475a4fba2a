#include "WebRequestProgram/AnswerHead.h"

namespace zantiva {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "HTTP/1.x 200", then the end of the line or a space and the reason.
std::optional<int> statusOf(QByteArrayView line) {
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !isDigit(line[7]) || line[8] != ' ') return std::nullopt;
    if (line.size() > 12 && line[12] != ' ') return std::nullopt;
    if (line[9] < '1' || line[9] > '9' || !isDigit(line[10]) || !isDigit(line[11])) return std::nullopt;
    return (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
}

QByteArrayView withoutCarriageReturn(QByteArrayView line) { return line.endsWith('\r') ? line.chopped(1) : line; }

} // namespace

std::optional<AnswerHead> AnswerHead::parse(QByteArray lines) {
    const qsizetype firstEnd = lines.indexOf('\n');
    const qsizetype firstSize = firstEnd < 0 ? lines.size() : firstEnd;
    const auto status = statusOf(withoutCarriageReturn(QByteArrayView(lines).first(firstSize)));
    if (!status) return std::nullopt;
    lines.remove(0, firstEnd < 0 ? lines.size() : firstEnd + 1);
    return AnswerHead(*status, std::move(lines));
}

QList<QByteArray> AnswerHead::values(QByteArrayView name) const {
    QList<QByteArray> found;
    for (qsizetype start = 0; start < lines_.size();) {
        qsizetype end = lines_.indexOf('\n', start);
        if (end < 0) end = lines_.size();
        const QByteArrayView line = withoutCarriageReturn(QByteArrayView(lines_).sliced(start, end - start));
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            found.append(line.sliced(colon + 1).trimmed().toByteArray());
        start = end + 1;
    }
    return found;
}

QList<QByteArray> AnswerHead::listElements(QByteArrayView name) const {
    QList<QByteArray> elements;
    for (const QByteArray& value : values(name))
        for (const QByteArray& element : value.split(','))
            if (const QByteArray trimmed = element.trimmed(); !trimmed.isEmpty()) elements.append(trimmed);
    return elements;
}

} // namespace zantiva
