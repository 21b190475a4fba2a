#include "DriveHealth/DriveHealthProtocol.h"

#include "Platform/HexText.h"
#include "Platform/ProcTable.h"
#include "Probes/NvmeHealthLog.h"

namespace zantiva::DriveHealthProtocol {

namespace {

constexpr std::string_view logName = "nvme-log";
constexpr std::string_view verdictName = "smart-verdict";

bool isLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

std::optional<std::vector<std::uint8_t>> decodeLog(std::string_view hex) {
    if (hex.size() != 2 * DriveHealthReader::nvmeHealthLogBytes) return std::nullopt;
    const auto bytes = bytesOfLowercaseHex(hex);
    if (!bytes) return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::optional<bool> decodeVerdict(std::string_view word) {
    if (word == "passed") return true;
    if (word == "failing") return false;
    return std::nullopt;
}

} // namespace

std::optional<std::string> driveNameProblem(std::string_view word) {
    if (word.empty() || word.size() > maxDriveNameBytes)
        return "a drive name has 1 to " + std::to_string(maxDriveNameBytes) + " characters";
    if (!isLetterOrDigit(word.front())) return "a drive name starts with a letter or a digit";
    for (const char c : word)
        if (!isLetterOrDigit(c) && c != '-' && c != '_')
            return "a drive name holds only letters, digits, '-' and '_'";
    return std::nullopt;
}

std::string encodeReading(const DriveHealthReading& reading) {
    std::string text;
    if (reading.nvmeLog && reading.nvmeLog->size() == DriveHealthReader::nvmeHealthLogBytes) {
        text.append(logName).append(": ");
        text.append(lowercaseHex({reinterpret_cast<const char*>(reading.nvmeLog->data()), reading.nvmeLog->size()}));
        text.push_back('\n');
    }
    if (reading.verdict) text.append(verdictName).append(": ").append(*reading.verdict ? "passed" : "failing").append("\n");
    return text;
}

std::optional<DriveHealthReading> decodeReading(std::string_view text) {
    if (text.size() > maxAnswerBytes || (!text.empty() && text.back() != '\n')) return std::nullopt;
    DriveHealthReading reading;
    bool sawLog = false;
    bool sawVerdict = false;
    for (const std::string_view line : procLines(text)) {
        const auto colon = line.find(": ");
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 2);
        if (name == logName && !sawLog && !sawVerdict) {
            sawLog = true;
            reading.nvmeLog = decodeLog(value);
            if (!reading.nvmeLog) return std::nullopt;
        } else if (name == verdictName && !sawVerdict) {
            sawVerdict = true;
            reading.verdict = decodeVerdict(value);
            if (!reading.verdict) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return reading;
}

std::optional<DriveHealthReading> decodeAnswer(std::string_view output) {
    if (!output.starts_with(startLine)) return std::nullopt;
    return decodeReading(output.substr(startLine.size()));
}

} // namespace zantiva::DriveHealthProtocol
