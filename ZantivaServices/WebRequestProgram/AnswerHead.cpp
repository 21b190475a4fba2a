#include "WebRequestProgram/AnswerHead.h"

#include <optional>

#include "WebRequest/HeaderText.h"

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

// Calls `read` with each of the lines, without their line ends.
template <typename Read> void forEachLine(QByteArrayView lines, Read read) {
    for (qsizetype start = 0; start < lines.size();) {
        qsizetype end = lines.indexOf('\n', start);
        if (end < 0) end = lines.size();
        read(withoutCarriageReturn(lines.sliced(start, end - start)));
        start = end + 1;
    }
}

// The length of the field's name: a token right before the colon; 0 when the line is no field.
qsizetype nameSize(QByteArrayView line) {
    const qsizetype colon = line.indexOf(':');
    return colon > 0 && isToken(std::string_view(line.data(), std::size_t(colon))) ? colon : 0;
}

} // namespace

std::variant<AnswerHead, std::string> AnswerHead::parse(QByteArray lines) {
    const qsizetype firstEnd = lines.indexOf('\n');
    const qsizetype firstSize = firstEnd < 0 ? lines.size() : firstEnd;
    const auto status = statusOf(withoutCarriageReturn(QByteArrayView(lines).first(firstSize)));
    if (!status) return "the answer is not HTTP";
    lines.remove(0, firstEnd < 0 ? lines.size() : firstEnd + 1);
    bool wellFormed = true;
    forEachLine(lines, [&](QByteArrayView line) { wellFormed = wellFormed && nameSize(line) > 0; });
    if (!wellFormed) return "the answer's head is malformed";
    return AnswerHead(*status, std::move(lines));
}

QList<QByteArray> AnswerHead::values(QByteArrayView name) const {
    QList<QByteArray> found;
    forEachLine(lines_, [&](QByteArrayView line) {
        const qsizetype size = nameSize(line);
        if (line.first(size).compare(name, Qt::CaseInsensitive) == 0)
            found.append(line.sliced(size + 1).trimmed().toByteArray());
    });
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
