#include <gtest/gtest.h>

#include "DriveHealth/DriveHealthProtocol.h"

namespace zantiva {
namespace {

using namespace DriveHealthProtocol;

TEST(DriveHealthProtocol, OnlyAPlainDeviceNameIsADriveName) {
    for (const char* name : {"nvme0n1", "sda", "vda", "mmcblk0", "dm-0", "nvme0c0n1", "xvda", "md127",
                             "a234567890123456789012345678901"})
        EXPECT_EQ(driveNameProblem(name), std::nullopt) << name;
    for (const char* notAName : {"", "/dev/sda", "../sda", "sda/..", "..", ".", "-h", "--help", "-sda", "_sda",
                                 "sda ", "sd a", "sda\n", "sda;reboot", "$(reboot)", "nvme0n1*", "sdä",
                                 "a2345678901234567890123456789012"})
        EXPECT_NE(driveNameProblem(notAName), std::nullopt) << notAName;
    EXPECT_NE(driveNameProblem(std::string_view("sda\0b", 5)), std::nullopt);
}

DriveHealthReading sampleReading() {
    std::vector<std::uint8_t> log(512);
    for (std::size_t i = 0; i < log.size(); ++i) log[i] = static_cast<std::uint8_t>(i * 7);
    return {.nvmeLog = log, .verdict = false};
}

TEST(DriveHealthProtocol, AReadingGoesThroughItsLinesUnchanged) {
    for (const DriveHealthReading& reading :
         {sampleReading(), DriveHealthReading{}, DriveHealthReading{.nvmeLog = std::nullopt, .verdict = true}}) {
        const std::string text = encodeReading(reading);
        EXPECT_LE(text.size(), maxAnswerBytes);
        EXPECT_EQ(decodeReading(text), reading) << text;
    }
    EXPECT_EQ(encodeReading(DriveHealthReading{.nvmeLog = std::nullopt, .verdict = true}), "smart-verdict: passed\n");
    EXPECT_EQ(encodeReading(sampleReading()).substr(0, 20), "nvme-log: 00070e151c");
}

// The program's whole answer opens with its start line, and only then its reading.
TEST(DriveHealthProtocol, AnAnswerIsTheStartLineAndThenAReading) {
    const DriveHealthReading reading = sampleReading();
    EXPECT_EQ(decodeAnswer(std::string(startLine) + encodeReading(reading)), reading);
    EXPECT_EQ(decodeAnswer(startLine), DriveHealthReading{});
    for (const std::string& text : {encodeReading(reading), std::string(), encodeReading(reading) + std::string(startLine),
                                    std::string(startLine) + std::string(startLine)})
        EXPECT_EQ(decodeAnswer(text), std::nullopt) << text.substr(0, 80);
}

TEST(DriveHealthProtocol, AnythingElseIsNoAnswer) {
    const std::string log = encodeReading({.nvmeLog = sampleReading().nvmeLog, .verdict = std::nullopt});
    const std::string hex = log.substr(10, 1024);
    for (const std::string& text : {
             std::string("smart-verdict: passed"),                 // no line end
             std::string("smart-verdict: PASSED\n"),
             std::string("smart-verdict: passed\nsmart-verdict: failing\n"),
             std::string("smart-verdict:passed\n"),
             std::string("verdict: passed\n"),
             std::string("\n"),
             "nvme-log: " + hex.substr(2) + "\n",                  // 511 bytes
             "nvme-log: " + hex + "00\n",                          // 513 bytes
             "nvme-log: " + hex.substr(0, 1022) + "0G\n",
             "nvme-log: " + hex.substr(0, 1022) + "0A\n",          // lower case only
             log + log,
             "smart-verdict: passed\n" + log,                     // the log comes first
             log + "smart-verdict: passed\n" + std::string(maxAnswerBytes, 'x') + "\n",
         })
        EXPECT_EQ(decodeReading(text), std::nullopt) << text.substr(0, 80);
}

} // namespace
} // namespace zantiva
