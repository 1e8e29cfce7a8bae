#include "Support/Executor.h"

#include <future>
#include <gtest/gtest.h>
#include <latch>
#include <memory>

namespace tessarin {
namespace {

// Holds the pool and says when it has let it go.
class LastOwner {
public:
    LastOwner(std::shared_ptr<ThreadPoolExecutor> pool, std::promise<void>& gone)
        : pool_(std::move(pool)), gone_(gone) {}
    ~LastOwner() {
        pool_.reset();
        gone_.set_value();
    }

private:
    std::shared_ptr<ThreadPoolExecutor> pool_;
    std::promise<void>& gone_;
};

// A job outlives every other owner of its pool, so the pool is destroyed on one of its own
// workers when the job is; that worker cannot join itself.
TEST(ThreadPoolShutdown, AJobThatDropsTheLastOwnerOfItsPoolDoesNotJoinItsOwnThread) {
    std::promise<void> gone;
    std::latch release(1);
    auto pool = std::make_shared<ThreadPoolExecutor>(2);
    auto owner = std::make_shared<LastOwner>(pool, gone);
    pool->execute([owner, &release] { release.wait(); });
    owner.reset();
    pool.reset();

    release.count_down();

    gone.get_future().wait();
}

} // namespace
} // namespace tessarin
