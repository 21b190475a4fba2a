// The line a later launch hands to the running program (its link, then a space and its startup
// id). What a line asks has a valid link or none and a startup id that is one or none; the
// line a launch writes for it fits the bound, holds no newline, and reads back to the same
// request (links compared as written), less a link or id without room in the line.

#include <QByteArray>
#include <QUrl>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "App/SingleInstance.h"
#include "App/StartupId.h"
#include "FuzzCheck.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    bool leftOut = false;
    const auto request = SingleInstance::requestOf(line, &leftOut);
    if (!request) return 0;
    FUZZ_CHECK(!request->link || request->link->isValid());
    FUZZ_CHECK(request->startupId.isEmpty() || StartupId::isValid(request->startupId));
    const QByteArray written = SingleInstance::lineOf(*request);
    FUZZ_CHECK(written.size() <= SingleInstance::maxLineBytes && !written.contains('\n'));
    const auto again = SingleInstance::requestOf(written, &leftOut);
    FUZZ_CHECK(again && !leftOut);
    const bool linkFits = !request->link || request->link->toEncoded().size() <= SingleInstance::maxLineBytes;
    // Links compare as they are written: Qt keeps a '#' inside a fragment as it was read, but
    // writes it as "%23".
    const auto asWritten = [](const std::optional<QUrl>& link) {
        return link ? std::optional(link->toEncoded()) : std::nullopt;
    };
    FUZZ_CHECK(asWritten(again->link) == asWritten(linkFits ? request->link : std::nullopt));
    // The id goes only where the line has room for it.
    FUZZ_CHECK(again->startupId == request->startupId || again->startupId.isEmpty());
    return 0;
}
