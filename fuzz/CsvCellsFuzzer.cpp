// The CSV export's cells over any device name or tool text: the written line reads back
// under a strict RFC 4180 reader to the same cells (a formula-like text keeps the
// apostrophe that disarms it), and the file stays valid UTF-8 as it declares.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "External/CsvCells.h"
#include "FuzzCheck.h"

using namespace zantiva;

namespace {

// One CRLF-ended record of RFC 4180, and nothing after it; absent when malformed.
std::optional<std::vector<std::string>> readRecord(std::string_view text) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    while (true) {
        std::string cell;
        if (at < text.size() && text[at] == '"') {
            ++at;
            while (true) {
                if (at >= text.size()) return std::nullopt;
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        cell += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                cell += text[at++];
            }
        } else {
            while (at < text.size() && std::string_view(",\"\r\n").find(text[at]) == std::string_view::npos)
                cell += text[at++];
        }
        cells.push_back(std::move(cell));
        if (at < text.size() && text[at] == ',') {
            ++at;
            continue;
        }
        if (text.substr(at) != "\r\n") return std::nullopt;
        return cells;
    }
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        std::uint32_t point;
        if (lead < 0x80) length = 1, point = lead;
        else if (lead >= 0xC2 && lead < 0xE0) length = 2, point = lead & 0x1F;
        else if (lead >= 0xE0 && lead < 0xF0) length = 3, point = lead & 0x0F;
        else if (lead >= 0xF0 && lead < 0xF5) length = 4, point = lead & 0x07;
        else return false;
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            point = (point << 6) | (next & 0x3F);
        }
        if ((length == 3 && (point < 0x800 || (point >= 0xD800 && point < 0xE000))) ||
            (length == 4 && (point < 0x10000 || point > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Cells are separated by NUL bytes; a cell of "#" and eight more bytes is the number
    // those bytes hold.
    std::vector<std::optional<std::string_view>> texts; // absent for a number cell
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (start <= input.size()) {
        const auto end = std::min(input.find('\0', start), input.size());
        const std::string_view text = input.substr(start, end - start);
        if (text.size() == 9 && text.front() == '#') {
            double value;
            std::memcpy(&value, text.data() + 1, 8);
            texts.emplace_back();
            cells.push_back(csv::numberCell(value, static_cast<unsigned char>(text[1]) % 7));
        } else {
            texts.emplace_back(text);
            cells.push_back(csv::textCell(text));
        }
        start = end + 1;
    }
    const std::string line = csv::line(cells);
    FUZZ_CHECK(isValidUtf8(line));
    const auto read = readRecord(line);
    FUZZ_CHECK(read && read->size() == cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!texts[i]) {
            FUZZ_CHECK((*read)[i] == cells[i]);
            continue;
        }
        const std::string_view text = *texts[i];
        if (!isValidUtf8(text)) continue; // its invalid sequences are replaced
        const bool disarmed = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
        FUZZ_CHECK((*read)[i] == (disarmed ? "'" : "") + std::string(text));
    }
    return 0;
}
