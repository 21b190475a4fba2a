#pragma once

#include <span>
#include <string_view>

namespace zantiva {

// One interface text in both languages.
struct MessageEntry {
    std::string_view key;
    std::string_view english;
    std::string_view persian;
};

// Every message of the program in the order of messages.tsv. The list is generated from that
// file at build time (the generator rejects duplicates and malformed lines).
std::span<const MessageEntry> messageList();

} // namespace zantiva
