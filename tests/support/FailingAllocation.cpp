#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

int allocationsBeforeFailure = -1;
bool failed = false;

}  // namespace

void FailAllocationAfter(int successes) noexcept {
    allocationsBeforeFailure = successes;
    failed = false;
}

bool StopFailingAllocations() noexcept {
    allocationsBeforeFailure = -1;
    return failed;
}

void* operator new(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        failed = true;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0) --allocationsBeforeFailure;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

// GCC cannot see that these pair with the malloc above.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#pragma GCC diagnostic pop
