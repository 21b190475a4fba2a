#include "Platform/MountInfo.h"

#include <algorithm>

#include "Platform/ProcTable.h"

namespace zantiva {
namespace {

// mountinfo writes blanks, tabs, line breaks and backslashes in paths as octal escapes.
std::string unescapeOctal(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto octal = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '7'; };
        if (text[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out.push_back(static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace

std::vector<MountInfoEntry> parseMountInfo(std::string_view text) {
    std::vector<MountInfoEntry> table;
    for (const std::string_view line : procLines(text)) {
        // id parent major:minor root mount-point options [optional fields] - type source super-options
        ProcLine fields(line);
        fields.nextWord();   // the parent's id
        MountInfoEntry entry;
        entry.device = fields.nextWord();
        const std::string_view root = fields.nextWord();
        const std::string_view mountPoint = fields.nextWord();
        if (fields.name().empty() || mountPoint.empty()) continue;
        for (std::string_view word = fields.nextWord(); !word.empty() && word != "-"; word = fields.nextWord()) {}
        entry.type = fields.nextWord();
        entry.source = unescapeOctal(fields.nextWord());
        entry.superOptions = fields.nextWord();
        entry.root = unescapeOctal(root);
        entry.mountPoint = unescapeOctal(mountPoint);
        table.push_back(std::move(entry));
    }
    return table;
}

bool listHolds(std::string_view commaList, std::string_view word) {
    while (!commaList.empty()) {
        const std::size_t comma = std::min(commaList.find(','), commaList.size());
        if (commaList.substr(0, comma) == word) return true;
        commaList.remove_prefix(std::min(comma + 1, commaList.size()));
    }
    return false;
}

} // namespace zantiva
