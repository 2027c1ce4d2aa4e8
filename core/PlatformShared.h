#pragma once
// What the POSIX and Windows platform files share; not for use outside them.
#include "core/PlatformFile.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <string>

namespace vornix::platform {

// Names of temporary files to remove when the process is interrupted, kept where a signal or
// console handler may read them: fixed storage, no allocation, no lock.
// A slot's state is stored kReady only after its name is copied, so a handler that loads
// kReady reads a whole name. The adder stores kReady and then loads closing_; removeAll
// stores closing_ and then loads the states. Only sequentially consistent order (the default
// used throughout) makes at least one of them see the other: either the handler removes the
// file or the adder learns it must.
template <typename Char, std::size_t Length, std::size_t Slots = 8> class TempSlots {
  public:
    // False when the name is too long or every slot is taken: an interruption then leaves
    // that file behind.
    bool add(const std::basic_string<Char>& name) {
        if (name.size() >= Length)
            return false;
        for (std::size_t i = 0; i < kSlots; ++i) {
            int free = kFree;
            if (state_[i].compare_exchange_strong(free, kWriting)) {
                std::memcpy(names_[i], name.c_str(), (name.size() + 1) * sizeof(Char));
                state_[i].store(kReady);
                return true;
            }
        }
        return false;
    }
    void remove(const std::basic_string<Char>& name) {
        for (std::size_t i = 0; i < kSlots; ++i)
            if (state_[i].load() == kReady && name == names_[i])
                state_[i].store(kFree);
    }
    // Calls removeFile(name) for every name held; safe in a signal handler. Names added from
    // then on are the adder's to remove (see closing): another thread may still be creating.
    template <typename Remove> void removeAll(Remove removeFile) {
        close();
        for (std::size_t i = 0; i < kSlots; ++i)
            if (state_[i].load() == kReady)
                removeFile(names_[i]);
    }

    // True once removeAll has begun: a name added from then on may have been missed; the thread
    // that added it removes the file itself.
    bool closing() const { return closing_.load(); }
    void close() { closing_.store(true); }

  private:
    static constexpr std::size_t kSlots = Slots;
    enum : int { kFree, kWriting, kReady };
    Char names_[kSlots][Length] = {};
    std::atomic<int> state_[kSlots] = {};
    std::atomic<bool> closing_{false};
};

// copyRange through a buffer of this thread's own, where the system cannot copy by itself.
FileError copyThroughMemory(Handle input, std::uint64_t offset, Handle output, std::uint64_t count,
                            const std::string& inputPath, const std::string& outputPath);

} // namespace vornix::platform
