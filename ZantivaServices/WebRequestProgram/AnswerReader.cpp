#include "WebRequestProgram/AnswerReader.h"

#include <charconv>

namespace zantiva {
namespace {

// A length written in `base`, digits only; nothing when it is not one number a qint64 holds.
std::optional<qint64> lengthOf(QByteArrayView text, int base) {
    qint64 value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.isEmpty() || text.front() == '-' || text.front() == '+' || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Content-Length: one number, however many times it is repeated.
std::optional<qint64> contentLength(const QList<QByteArray>& elements) {
    const auto length = lengthOf(elements.front(), 10);
    for (const QByteArray& element : elements)
        if (lengthOf(element, 10) != length) return std::nullopt;
    return length;
}

} // namespace

const AnswerReader::Outcome& AnswerReader::take(QByteArrayView bytes) {
    if (!std::holds_alternative<MoreToCome>(outcome_) || bytes.isEmpty()) return outcome_;
    if (taken_ + bytes.size() > maxBytes_) {
        fail("the answer is larger than " + sizeBound());
        return outcome_;
    }
    taken_ += bytes.size();
    pending_.append(bytes);
    qsizetype before = -1;
    while (std::holds_alternative<MoreToCome>(outcome_) && read_ != before) {
        before = read_;
        switch (stage_) {
        case Stage::head: readHead(); break;
        case Stage::chunkSize: readChunkSize(); break;
        case Stage::chunkEnd: readChunkEnd(); break;
        case Stage::sizedBody:
        case Stage::chunkData:
        case Stage::bodyToClose: readBody(); break;
        }
    }
    pending_.remove(0, read_);
    headScanned_ = std::max<qsizetype>(0, headScanned_ - read_);
    read_ = 0;
    return outcome_;
}

const AnswerReader::Outcome& AnswerReader::close(bool clean) {
    if (!std::holds_alternative<MoreToCome>(outcome_)) return outcome_;
    if (stage_ == Stage::bodyToClose && clean) finish();
    else if (stage_ == Stage::bodyToClose) fail("the answer broke off: the connection closed without ending its TLS session");
    else if (taken_ == 0) fail("the site closed the connection without an answer");
    else if (stage_ == Stage::head) fail("the answer broke off before its head ended");
    else fail("the answer broke off before its body ended");
    return outcome_;
}

void AnswerReader::readHead() {
    if (pending_.size() - read_ >= 5 && !QByteArrayView(pending_).sliced(read_, 5).startsWith("HTTP/"))
        return fail("the answer is not HTTP");
    // The empty line that ends the head, after a CRLF or an LF.
    const qsizetype from = std::max(read_, headScanned_ - 2);
    qsizetype end = pending_.indexOf("\n\r\n", from);
    const qsizetype bare = pending_.indexOf("\n\n", from);
    qsizetype width = 3;
    if (bare >= 0 && (end < 0 || bare < end)) end = bare, width = 2;
    if (end < 0) {
        headScanned_ = pending_.size();
        return;
    }
    auto head = AnswerHead::parse(pending_.sliced(read_, end - read_));
    read_ = end + width;
    headScanned_ = read_;
    if (const auto* why = std::get_if<std::string>(&head)) return fail(*why);
    if (auto& whole = std::get<AnswerHead>(head); whole.status() >= 200) return startBody(std::move(whole));
}

void AnswerReader::startBody(AnswerHead head) {
    const int status = head.status();
    const QList<QByteArray> codings = head.listElements("Transfer-Encoding");
    const QList<QByteArray> lengths = head.listElements("Content-Length");
    const QList<QByteArray> compressions = head.listElements("Content-Encoding");
    head_ = std::move(head);
    if (bodiless_ || status == 204 || status == 304) return finish();
    for (const QByteArray& coding : compressions)
        if (coding.compare("identity", Qt::CaseInsensitive) != 0)
            return fail("the answer came compressed as " + coding.toStdString() + ", which was not asked for");
    if (!codings.isEmpty()) {
        if (codings.size() != 1 || codings.front().compare("chunked", Qt::CaseInsensitive) != 0)
            return fail("the answer came in a transfer coding that was not asked for: " +
                        codings.join(", ").toStdString());
        stage_ = Stage::chunkSize;
    } else if (!lengths.isEmpty()) {
        const auto length = contentLength(lengths);
        if (!length) return fail("the answer's length is not one number");
        if (*length > maxBytes_) return fail("the answer is larger than " + sizeBound());
        remaining_ = *length;
        stage_ = Stage::sizedBody;
        if (remaining_ == 0) finish();
    } else {
        stage_ = Stage::bodyToClose;
    }
}

void AnswerReader::readChunkSize() {
    const qsizetype end = pending_.indexOf('\n', read_);
    if (end < 0) return;
    QByteArrayView line = QByteArrayView(pending_).sliced(read_, end - read_);
    read_ = end + 1;
    if (const qsizetype extension = line.indexOf(';'); extension >= 0) line = line.first(extension);
    const auto size = lengthOf(line.trimmed(), 16);
    if (!size) return fail("the answer's chunks are malformed");
    if (*size > maxBytes_) return fail("the answer is larger than " + sizeBound());
    // The last chunk ends the body; trailer fields after it are not read.
    if (*size == 0) return finish();
    remaining_ = *size;
    stage_ = Stage::chunkData;
}

void AnswerReader::readChunkEnd() {
    const QByteArrayView rest = QByteArrayView(pending_).sliced(read_);
    if (rest.startsWith("\r\n")) read_ += 2;
    else if (rest.startsWith('\n')) read_ += 1;
    else if (rest.isEmpty() || rest == "\r") return;
    else return fail("the answer's chunks are malformed");
    stage_ = Stage::chunkSize;
}

void AnswerReader::readBody() {
    const qsizetype available = pending_.size() - read_;
    const qsizetype count =
        stage_ == Stage::bodyToClose ? available : qsizetype(std::min<qint64>(available, remaining_));
    body_.append(QByteArrayView(pending_).sliced(read_, count));
    read_ += count;
    remaining_ -= count;
    if (stage_ == Stage::bodyToClose || remaining_ > 0) return;
    if (stage_ == Stage::sizedBody) return finish();
    stage_ = Stage::chunkEnd;
}

void AnswerReader::fail(std::string why) { outcome_ = std::move(why); }

void AnswerReader::finish() { outcome_ = Answer{std::move(*head_), std::move(body_)}; }

std::string AnswerReader::sizeBound() const { return std::to_string(maxBytes_ >> 20) + " MiB"; }

} // namespace zantiva
