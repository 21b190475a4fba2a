#include "Presenters/ShownNumber.h"

#include <cmath>

#include "Localization/CompositeFormat.h"

namespace zantiva {

FormatArg shownNumber(double value) {
    if (std::isfinite(value)) return value;
    return missingNumber;
}

std::string formattedNumber(std::string_view templateText, double value) {
    if (!std::isfinite(value)) return missingNumber;
    return CompositeFormat::format(templateText, {value});
}

} // namespace zantiva
