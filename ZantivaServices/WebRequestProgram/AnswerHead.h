#pragma once

#include <string>
#include <variant>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace zantiva {

// The head of an HTTP/1.x answer: the status line's code and the header lines as they came.
// A field is looked up by name when asked: a head may hold as many lines as the answer's bound
// allows, and only a few of them matter to the program.
class AnswerHead {
public:
    // The head's lines (CRLF or LF between them), without the empty line that ends it; or why
    // they are not a head: the first one is not an HTTP/1.x status line, or a field line is not
    // a name, a colon and a value. A line folded onto the one before it (starting with a space or
    // a tab) or a space before the colon is refused, not read in some way of our own: a
    // server on the way may have read it another way.
    static std::variant<AnswerHead, std::string> parse(QByteArray lines);

    int status() const { return status_; }
    // The value of every field of that name (in any case), trimmed, in the order they came.
    QList<QByteArray> values(QByteArrayView name) const;
    // The elements of the comma-separated lists in those fields, trimmed, empty ones left out.
    QList<QByteArray> listElements(QByteArrayView name) const;

private:
    AnswerHead(int status, QByteArray lines) : status_(status), lines_(std::move(lines)) {}

    int status_;
    QByteArray lines_;
};

} // namespace zantiva
