#include "Assets/VazirWeight.h"

namespace zantiva {

namespace {

struct WeightRow {
    VazirWeight weight;
    const char* raw;
    QFont::Weight fontWeight;
};

constexpr std::array<WeightRow, 6> rows{{
    {VazirWeight::regular, "Regular", QFont::Normal},
    {VazirWeight::medium, "Medium", QFont::Medium},
    {VazirWeight::semiBold, "SemiBold", QFont::DemiBold},
    {VazirWeight::bold, "Bold", QFont::Bold},
    {VazirWeight::extraBold, "ExtraBold", QFont::ExtraBold},
    {VazirWeight::black, "Black", QFont::Black},
}};

const WeightRow& row(VazirWeight weight) { return rows[static_cast<std::size_t>(weight)]; }

} // namespace

QString rawValue(VazirWeight weight) { return QString::fromLatin1(row(weight).raw); }

QString postScriptName(VazirWeight weight) { return QStringLiteral("Vazirmatn-") + rawValue(weight); }

QFont::Weight fontWeight(VazirWeight weight) { return row(weight).fontWeight; }

} // namespace zantiva
