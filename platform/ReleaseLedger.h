#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The handles a device gave out and has not yet seen released, with the function
// that releases one. A device closes its ledger when it goes: what is still held is
// released then, and a later release by its holder does nothing. So a texture kept
// past its device neither touches the device
// after it is gone nor keeps it alive: a Direct3D 9 texture holds a reference to its
// device, and a device kept alive that way takes its worker thread into process exit.
template <class Handle>
class ReleaseLedger {
public:
    using Release = void (*)(Handle);

    explicit ReleaseLedger(Release release) : release_(release) {}
    ReleaseLedger(const ReleaseLedger&) = delete;
    ReleaseLedger& operator=(const ReleaseLedger&) = delete;

    void add(Handle handle) { held_.push_back(handle); }

    // Releases the handle if the ledger still holds it.
    void release(Handle handle)
    {
        const auto found = std::find(held_.begin(), held_.end(), handle);
        if (found == held_.end())
            return;
        held_.erase(found);
        release_(handle);
    }

    // Releases every handle still held, the newest first.
    void close()
    {
        std::vector<Handle> left;
        left.swap(held_);
        for (auto it = left.rbegin(); it != left.rend(); ++it)
            release_(*it);
    }

    std::size_t held() const { return held_.size(); }

private:
    Release release_;
    std::vector<Handle> held_;
};
