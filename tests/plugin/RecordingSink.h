// Test double of the bridge's message sink: keeps every accepted post and refuses all posts
// beyond its capacity, like a patch whose message pool is full. Test thread only.
#pragma once

#include "PatchMessageSink.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

class RecordingSink final : public Orvane::PatchMessageSink {
public:
    explicit RecordingSink(size_t capacity = std::numeric_limits<size_t>::max())
        : fCapacity(capacity)
    {
    }

    bool post(const Orvane::PatchPost& message) noexcept override
    {
        if (posts.size() >= fCapacity) {
            ++refused;
            return false;
        }
        posts.push_back(message);
        return true;
    }

    // Accepted posts to `receiverHash` whose first value is `first`.
    std::vector<Orvane::PatchPost> postsOf(uint32_t receiverHash, float first) const
    {
        std::vector<Orvane::PatchPost> found;
        for (const auto& post : posts) {
            if (post.receiverHash == receiverHash && post.values[0] == first)
                found.push_back(post);
        }
        return found;
    }

    std::vector<Orvane::PatchPost> posts;
    size_t refused = 0;

private:
    size_t fCapacity;
};
