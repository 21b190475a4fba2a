#include "App/LockHolder.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <charconv>
#include <vector>

namespace zantiva {
namespace {

std::string hostName() { return QSysInfo::machineHostName().toStdString(); }
std::string thisBootId() { return QSysInfo::bootUniqueId().toStdString(); }

} // namespace

LockHolder LockHolder::thisProcess() { return {QCoreApplication::applicationPid(), hostName(), thisBootId()}; }

std::optional<LockHolder> LockHolder::fromRecord(std::string_view record) {
    std::vector<std::string_view> lines;
    while (!record.empty()) {
        const auto end = record.find('\n');
        if (end == std::string_view::npos) return std::nullopt; // not written to its end yet
        lines.push_back(record.substr(0, end));
        record.remove_prefix(end + 1);
    }
    if (lines.size() != 3) return std::nullopt;
    LockHolder holder;
    const auto [end, error] = std::from_chars(lines[0].data(), lines[0].data() + lines[0].size(), holder.process);
    if (error != std::errc() || end != lines[0].data() + lines[0].size() || holder.process <= 0) return std::nullopt;
    holder.host = lines[1];
    holder.bootId = lines[2];
    return holder;
}

std::string LockHolder::record() const {
    return std::to_string(process) + '\n' + host + '\n' + bootId + '\n';
}

bool LockHolder::onThisMachine() const { return bootId.empty() ? !namedOtherHost() : bootId == thisBootId(); }

bool LockHolder::namedOtherHost() const { return host != hostName(); }

} // namespace zantiva
