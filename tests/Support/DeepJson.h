#pragma once

// A JSON value nested far deeper than any record (a damaged or crafted file): copying,
// comparing or writing it recurses as deep, past the stack.

#include <string>

namespace zantiva::testing {

inline std::string deeplyNestedJson() { return std::string(200000, '[') + std::string(200000, ']'); }

} // namespace zantiva::testing
