// Build tool: reads messages.tsv (one message a line: key, tab, English text, tab, Persian text)
// and writes the C++ source of the program's message list. Any fault of the file stops the build
// with "file:line: reason" and writes nothing.
//
// Usage: zantiva_message_generator <messages.tsv> <output.cpp>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Entry {
    std::string key;
    std::string english;
    std::string persian;
};

struct Fault {
    std::size_t line;
    std::string reason;
};

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isAlnum(char c) { return isUpper(c) || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// An area and a name joined by dots, every part starting with a capital letter: "Ssd.Error.NotEnoughSpace".
bool isKey(std::string_view key) {
    std::size_t parts = 0;
    std::size_t i = 0;
    while (true) {
        if (i >= key.size() || !isUpper(key[i])) return false;
        while (i < key.size() && isAlnum(key[i])) ++i;
        ++parts;
        if (i == key.size()) return parts >= 2;
        if (key[i] != '.') return false;
        ++i;
    }
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (lead < 0x80) length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
        else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
        else return false;
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// Undoes the file's escapes: "\n" line break, "\t" tab, "\\" backslash. Raw control characters
// and any other backslash sequence are faults.
bool unescape(std::string_view field, std::string& out, std::string& reason) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            reason = "raw control character (write \\n or \\t)";
            return false;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 1 == field.size()) {
            reason = "backslash at the end of a text (write \\\\ for a backslash)";
            return false;
        }
        switch (field[++i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default:
            reason = std::string("unknown escape \\") + field[i];
            return false;
        }
    }
    return true;
}

// The placeholders of a text as written ("{0}", "{1:0.0}"); doubled braces are not placeholders.
std::set<std::string> placeholders(std::string_view text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') continue;
        if (i + 1 < text.size() && text[i + 1] == '{') {
            ++i;
            continue;
        }
        const auto close = text.find('}', i + 1);
        if (close == std::string_view::npos) break;
        found.emplace(text.substr(i, close - i + 1));
        i = close;
    }
    return found;
}

std::string joined(const std::set<std::string>& items) {
    std::string text;
    for (const auto& item : items) text += (text.empty() ? "" : " ") + item;
    return text.empty() ? "none" : text;
}

// Persian is written with its own yeh and kaf; the Arabic look-alikes break search and shaping.
bool hasArabicLetters(std::string_view text) {
    for (std::string_view letter : {"\u064A", "\u0643", "\u0649"})
        if (text.find(letter) != std::string_view::npos) return true;
    return false;
}

// Numbers read in ASCII digits in both languages, as the formatter writes them; Persian or
// Arabic-Indic digits (and their separators) in a text would mix two digit sets on one screen.
bool hasIndicDigits(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead == 0xD9 && ((next >= 0xA0 && next <= 0xA9) || next == 0xAB || next == 0xAC)) ||
            (lead == 0xDB && next >= 0xB0 && next <= 0xB9))
            return true;
    }
    return false;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::vector<Entry> parse(std::string_view content, std::vector<Fault>& faults) {
    std::vector<Entry> entries;
    std::map<std::string, std::size_t, std::less<>> firstLine;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < content.size();) {
        auto end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        const auto line = content.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;

        auto fault = [&](std::string reason) { faults.push_back({lineNumber, std::move(reason)}); };
        if (!isValidUtf8(line)) {
            fault("not valid UTF-8");
            continue;
        }
        const auto fields = splitTabs(line);
        if (fields.size() != 3) {
            fault("expected key, English and Persian separated by two tabs, found " + std::to_string(fields.size()) +
                  " field(s)");
            continue;
        }
        Entry entry{std::string(fields[0]), {}, {}};
        if (!isKey(entry.key)) {
            fault("malformed key \"" + entry.key + "\"");
            continue;
        }
        std::string reason;
        if (!unescape(fields[1], entry.english, reason) || !unescape(fields[2], entry.persian, reason)) {
            fault(entry.key + ": " + reason);
            continue;
        }
        if (entry.english.empty() || entry.persian.empty()) {
            fault(entry.key + ": empty text");
            continue;
        }
        if (const auto english = placeholders(entry.english), persian = placeholders(entry.persian);
            english != persian) {
            fault(entry.key + ": placeholders differ, English " + joined(english) + ", Persian " + joined(persian));
            continue;
        }
        if (hasArabicLetters(entry.persian)) {
            fault(entry.key + ": Arabic yeh or kaf in the Persian text (use \u06CC and \u06A9)");
            continue;
        }
        if (hasIndicDigits(entry.english) || hasIndicDigits(entry.persian)) {
            fault(entry.key + ": Persian or Arabic-Indic digits (write numbers in ASCII digits)");
            continue;
        }
        if (const auto [it, inserted] = firstLine.emplace(entry.key, lineNumber); !inserted) {
            fault("duplicate key " + entry.key + " (first on line " + std::to_string(it->second) + ")");
            continue;
        }
        entries.push_back(std::move(entry));
    }
    if (entries.empty() && faults.empty()) faults.push_back({lineNumber, "no messages"});
    return entries;
}

std::string cppLiteral(std::string_view text) {
    std::string literal = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': literal += "\\\""; break;
        case '\\': literal += "\\\\"; break;
        case '\n': literal += "\\n"; break;
        case '\t': literal += "\\t"; break;
        default: literal += c;
        }
    }
    return literal + "\"";
}

std::string source(const std::vector<Entry>& entries) {
    std::ostringstream out;
    out << "// Generated from messages.tsv by zantiva_message_generator; edit that file instead.\n"
           "#include \"Localization/MessageList.h\"\n\n"
           "namespace zantiva {\nnamespace {\n\nconstexpr MessageEntry entries[] = {\n";
    for (const auto& entry : entries)
        out << "    {" << cppLiteral(entry.key) << ", " << cppLiteral(entry.english) << ", "
            << cppLiteral(entry.persian) << "},\n";
    out << "};\n\n} // namespace\n\n"
           "std::span<const MessageEntry> messageList() { return entries; }\n\n"
           "} // namespace zantiva\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zantiva_message_generator <messages.tsv> <output.cpp>\n";
        return 2;
    }
    const std::string inputPath = argv[1];
    const std::string outputPath = argv[2];

    std::ifstream input(inputPath, std::ios::binary);
    if (!input) {
        std::cerr << inputPath << ": cannot be read\n";
        return 1;
    }
    const std::string content{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};

    std::vector<Fault> faults;
    const auto entries = parse(content, faults);
    if (!faults.empty()) {
        for (const auto& fault : faults) std::cerr << inputPath << ":" << fault.line << ": " << fault.reason << "\n";
        return 1;
    }

    // Written beside the target and renamed, so an interrupted build leaves no half file behind.
    const std::string temporaryPath = outputPath + ".tmp";
    {
        std::ofstream output(temporaryPath, std::ios::binary | std::ios::trunc);
        output << source(entries);
        if (!output.flush()) {
            std::cerr << temporaryPath << ": cannot be written\n";
            std::remove(temporaryPath.c_str());
            return 1;
        }
    }
    if (std::rename(temporaryPath.c_str(), outputPath.c_str()) != 0) {
        std::cerr << outputPath << ": cannot be replaced\n";
        std::remove(temporaryPath.c_str());
        return 1;
    }
    return 0;
}
