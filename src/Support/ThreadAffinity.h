#pragma once

#include <thread>

namespace tessarin {

// Remembers the thread that made an unsynchronised object and, in debug builds, aborts with a
// message naming the object when another thread touches it. Release builds keep nothing and
// check nothing.
class ThreadAffinity {
public:
    explicit ThreadAffinity(const char* owner) {
#ifndef NDEBUG
        owner_ = owner;
        thread_ = std::this_thread::get_id();
#else
        (void)owner;
#endif
    }

    void check() const {
#ifndef NDEBUG
        if (std::this_thread::get_id() != thread_) {
            fail();
        }
#endif
    }

private:
#ifndef NDEBUG
    [[noreturn]] void fail() const;
    const char* owner_ = "";
    std::thread::id thread_;
#endif
};

} // namespace tessarin
