#pragma once

#include <cstdlib>
#include <memory>

namespace zantiva {

// An XCB reply, which the caller frees with free().
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
XcbReply<Reply> xcbReply(Reply* reply) {
    return {reply, &std::free};
}

} // namespace zantiva
