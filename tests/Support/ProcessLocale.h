#pragma once

// The C library's locale for the life of the object, as an application object takes it from
// the user's environment, and the previous one back afterwards.

#include <clocale>
#include <string>

namespace zantiva::testing {

class ProcessLocale {
public:
    explicit ProcessLocale(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;

    // False when the locale isn't installed: nothing changed then.
    bool isSet() const { return set_; }

private:
    std::string saved_;
    bool set_ = false;
};

} // namespace zantiva::testing
