#pragma once

// The error a call threw, for tests that check what it says; a logic_error when the call
// returned instead.

#include <stdexcept>
#include <string>
#include <typeinfo>

namespace zantiva::testing {

template <typename Error, typename Call> Error thrownBy(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error;
    }
    throw std::logic_error(std::string("the call did not throw ") + typeid(Error).name());
}

} // namespace zantiva::testing
