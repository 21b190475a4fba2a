#include "Platform/NumericLocale.h"

#include <clocale>

namespace zantiva {

void keepNumbersPosix() { std::setlocale(LC_NUMERIC, "C"); }

} // namespace zantiva
