#pragma once

// Works in a folder until the end of the scope (or back()), then in the one worked in before.

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace zantiva::testing {

class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : before_(std::filesystem::current_path()), entered_(::chdir(folder.c_str()) == 0) {}
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder() { back(); }

    bool entered() const { return entered_; }
    void back() {
        std::error_code ignored;
        if (entered_) std::filesystem::current_path(before_, ignored);
        entered_ = false;
    }

private:
    std::filesystem::path before_;
    bool entered_;
};

} // namespace zantiva::testing
