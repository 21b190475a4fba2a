#pragma once

#include <QFont>
#include <QString>
#include <array>

namespace zantiva {

// The six weights of the interface typeface, lightest first.
enum class VazirWeight { regular, medium, semiBold, bold, extraBold, black };

inline constexpr std::array<VazirWeight, 6> allVazirWeights{
    VazirWeight::regular, VazirWeight::medium,    VazirWeight::semiBold,
    VazirWeight::bold,    VazirWeight::extraBold, VazirWeight::black,
};

// "Regular", "Medium", "SemiBold", "Bold", "ExtraBold", "Black".
QString rawValue(VazirWeight weight);
// "Vazirmatn-" + the raw value; also the name of the weight's font file.
QString postScriptName(VazirWeight weight);
QFont::Weight fontWeight(VazirWeight weight);

} // namespace zantiva
