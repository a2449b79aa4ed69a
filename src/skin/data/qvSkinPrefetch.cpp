#include "skin/data/qvSkinPrefetch.h"

#include <algorithm>
#include <functional>
#include <future>

namespace qv {
namespace {

struct Prefetch {
    std::span<const std::uint8_t> stream;
    std::future<std::optional<TqvSkinContainerContent>> content;
};

// The UI thread starts and takes prefetches; the worker only sees its own stream and result.
Prefetch& Pending() {
    static Prefetch pending;
    return pending;
}

std::optional<TqvSkinContainerContent> Read(std::span<const std::uint8_t> container) {
    try {
        TqvSkinContainerContent content;
        if (!ReadSkinContainer(container, content)) {
            return std::nullopt;
        }
        return content;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<TqvSkinContainerContent> Decode(std::span<const std::uint8_t> stream) {
    try {
        return Read(InflateSkinStream(stream));
    } catch (...) {
        return std::nullopt;
    }
}

void Start(std::span<const std::uint8_t> zlibStream,
           std::function<std::optional<TqvSkinContainerContent>()> work) {
    Prefetch& p = Pending();
    if (p.content.valid()) {
        p.content.wait();
    }
    p.stream = zlibStream;
    p.content = std::async(std::launch::async, std::move(work));
}

} // namespace

void PrefetchSkinStream(std::span<const std::uint8_t> zlibStream) {
    Start(zlibStream, [zlibStream] { return Decode(zlibStream); });
}

void PrefetchSkinStream(std::span<const std::uint8_t> zlibStream, std::span<const std::uint8_t> container) {
    Start(zlibStream, [container] { return Read(container); });
}

std::optional<TqvSkinContainerContent> TakePrefetchedSkin(std::span<const std::uint8_t> zlibStream) {
    Prefetch& p = Pending();
    if (!p.content.valid() || p.stream.size() != zlibStream.size() ||
        !std::equal(p.stream.begin(), p.stream.end(), zlibStream.begin())) {
        return std::nullopt;
    }
    std::optional<TqvSkinContainerContent> content = p.content.get();
    p.stream = {};
    return content;
}

} // namespace qv
