#include "Localization/MessageTables.h"

#include "Localization/MessageList.h"

#include <cstdio>
#include <cstdlib>

namespace zantiva {
namespace {

using Table = std::unordered_map<std::string_view, std::string_view>;

Table buildTable(std::string_view MessageEntry::*text) {
    const auto list = messageList();
    Table table;
    table.reserve(list.size());
    for (const auto& entry : list) {
        if (!table.emplace(entry.key, entry.*text).second) {
            // The generator refuses such a list, so this is a broken build, not a user error.
            std::fprintf(stderr, "zantiva: message key listed twice: %.*s\n", static_cast<int>(entry.key.size()),
                         entry.key.data());
            std::abort();
        }
    }
    return table;
}

} // namespace

namespace StringsEn {
const Table& table() {
    static const Table englishTable = buildTable(&MessageEntry::english);
    return englishTable;
}
} // namespace StringsEn

namespace StringsFa {
const Table& table() {
    static const Table persianTable = buildTable(&MessageEntry::persian);
    return persianTable;
}
} // namespace StringsFa

} // namespace zantiva
