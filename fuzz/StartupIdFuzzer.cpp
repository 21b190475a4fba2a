// A launch's startup id, as the launcher puts it in the environment (input: the launcher's id,
// NUL, then the activation token) and as another launch hands it over. An id taken is printable
// ASCII without spaces, quotes or backslashes, within the bound; the launch passes on the first
// of the two that is taken; a user's time is the nonzero number whose digits end the id.

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "App/StartupId.h"
#include "FuzzCheck.h"

using namespace zantiva;

namespace {

void checkId(const QByteArray& id) {
    if (StartupId::isValid(id)) {
        FUZZ_CHECK(!id.isEmpty() && id.size() <= StartupId::maxBytes);
        FUZZ_CHECK(std::ranges::none_of(id, [](char c) { return c <= ' ' || c >= 0x7f || c == '"' || c == '\\'; }));
    }
    const auto time = StartupId::userTime(id);
    if (!time) return;
    const QByteArray digits = id.mid(id.lastIndexOf("_TIME") + 5);
    FUZZ_CHECK(*time != 0);
    FUZZ_CHECK(std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }));
    FUZZ_CHECK(digits.toULongLong() == *time);
}

// The environment holds no NUL: a value ends at the first.
QByteArray upToNul(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.first(nul);
}

// Sets `name` to `value` through `entry`, which the environment then points at. setenv would
// keep every value it was ever given, and a fuzzer's millions of them run it out of memory.
void setEnvironment(const char* name, std::string& entry, const QByteArray& value) {
    ::unsetenv(name);
    entry = name + ('=' + value.toStdString());
    ::putenv(entry.data());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray launcher = upToNul(input);
    const QByteArray token = launcher.size() < input.size() ? upToNul(input.mid(launcher.size() + 1)) : QByteArray();
    checkId(launcher);
    checkId(token);
    static std::string launcherEntry, tokenEntry;
    setEnvironment("DESKTOP_STARTUP_ID", launcherEntry, launcher);
    setEnvironment("XDG_ACTIVATION_TOKEN", tokenEntry, token);
    const QByteArray passed = StartupId::ofThisLaunch();
    FUZZ_CHECK(passed == (StartupId::isValid(launcher) ? launcher : StartupId::isValid(token) ? token : QByteArray()));
    return 0;
}
