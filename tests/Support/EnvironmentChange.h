#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace zantiva::testing {

// Sets (or, given nothing, removes) an environment variable until the end of the scope.
class EnvironmentChange {
public:
    EnvironmentChange(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentChange() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvironmentChange(const EnvironmentChange&) = delete;
    EnvironmentChange& operator=(const EnvironmentChange&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace zantiva::testing
