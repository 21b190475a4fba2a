#pragma once

// Which files of a tree a piece of code opens, told by the kernel (inotify) rather than by
// the code itself: every real folder under the tree is watched, so opens through symbolic
// links are seen at the files they lead to.

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zantiva::testing {

class OpenedFiles {
public:
    explicit OpenedFiles(const std::filesystem::path& tree) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        namespace fs = std::filesystem;
        watch(tree, tree);
        for (const auto& entry : fs::recursive_directory_iterator(tree))
            if (entry.is_directory() && !entry.is_symlink()) watch(entry.path(), tree);
        take();   // the walk's own opens
    }
    ~OpenedFiles() { close(fd_); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    // The files and folders opened since the previous call, as paths inside the tree, one
    // entry per open, sorted.
    std::vector<std::string> take() {
        std::vector<std::string> opened;
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                // A folder's own watch repeats what its parent's watch tells by name.
                if (event->len) opened.push_back(folders_.at(event->wd) + "/" + event->name);
                at += sizeof(inotify_event) + event->len;
            }
        std::sort(opened.begin(), opened.end());
        return opened;
    }

private:
    void watch(const std::filesystem::path& folder, const std::filesystem::path& tree) {
        const int wd = inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
        const auto inside = folder.lexically_relative(tree);
        if (wd >= 0) folders_[wd] = inside == "." ? "" : "/" + inside.generic_string();
    }

    int fd_;
    std::map<int, std::string> folders_;
};

} // namespace zantiva::testing
