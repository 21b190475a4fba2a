#include "Model/JsonCodec.h"

#include "Platform/Log.h"

namespace zantiva::json {

void reportNonFinite(std::string_view key) {
    log::error("store", "non-finite value for \"" + std::string(key) + "\" written as 0 or left out");
}

namespace detail {
void fail(std::string_view key, std::string_view what) {
    throw DecodeError("\"" + std::string(key) + "\" must be " + std::string(what));
}
} // namespace detail

} // namespace zantiva::json
