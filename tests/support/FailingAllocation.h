#pragma once

// A program that links FailingAllocation.cpp replaces its operator new, so
// that a test can make one allocation fail the way exhausted memory would.

// After `successes` more allocations succeed, the next one throws
// std::bad_alloc; one failure only.
void FailAllocationAfter(int successes) noexcept;

// Takes back a failure that has not happened yet; answers whether the
// planned failure happened.
bool StopFailingAllocations() noexcept;
