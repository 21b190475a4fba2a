#include <gtest/gtest.h>

#include "Probes/SMCKey.h"

namespace zantiva {
namespace {

TEST(SMCKey, FourByteTextsFoldWithTheFirstCharacterMostSignificant) {
    EXPECT_EQ(SMCKey::fromText("TC0P").value().code, 0x54433050u);
    EXPECT_EQ(SMCKey::fromText("TC0P").value().description(), "TC0P");
    EXPECT_EQ(SMCKey::fromText("#KEY").value().code, 0x234B4559u);
    for (const char* notFour : {"TC0", "TC0PX", ""}) EXPECT_FALSE(SMCKey::fromText(notFour)) << notFour;
    // "T°C" is four UTF-8 bytes, so a key, but it describes as question marks.
    EXPECT_EQ(SMCKey::fromText("T\u00B0C").value().description(), "????");
}

TEST(SMCKey, ClassifiesTemperatureKeysByTheControllersNamingRule) {
    const std::optional<ThermalSensorKind> none;
    const auto cpu = ThermalSensorKind::cpu, gpu = ThermalSensorKind::gpu;
    const std::vector<std::pair<std::string, std::optional<ThermalSensorKind>>> cases{
        {"Tp09", cpu}, {"Te05", cpu}, {"Tg0f", gpu}, {"Tf04", cpu}, {"Tf09", cpu}, {"Tf14", gpu}, {"Tf24", gpu},
        {"Tf34", none}, {"TC0P", cpu}, {"TC0D", cpu}, {"TCXC", cpu}, {"TC0E", cpu}, {"TC0F", cpu}, {"TC1C", none},
        {"TG0P", gpu}, {"TG0D", gpu}, {"TG1D", none}, {"TA0P", none}, {"tC0P", none}, {"Tp0", none},
        {"Tp09x", none}, {"????", none}, {"FNum", none}, {"TP09", none},
    };
    for (const auto& [key, kind] : cases) EXPECT_EQ(classifySMCKey(key), kind) << key;
}

} // namespace
} // namespace zantiva
