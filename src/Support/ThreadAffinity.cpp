#include "Support/ThreadAffinity.h"

#include <cstdio>
#include <cstdlib>

namespace tessarin {

#ifndef NDEBUG
void ThreadAffinity::fail() const {
    std::fprintf(stderr,
                 "Tessarin: %s touched from another thread; it is not synchronised and belongs "
                 "to the main queue\n",
                 owner_);
    std::abort();
}
#endif

} // namespace tessarin
