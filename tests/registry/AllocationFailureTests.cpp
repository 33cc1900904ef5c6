// Replaces the program's operator new so that a test can make one
// allocation fail, the way exhausted memory would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "Error.h"
#include "ProgramFile.h"
#include "RegistryFixture.h"

namespace {
int allocationsBeforeFailure = -1;
}

void* operator new(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
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

using cRegistryAllocationFailure = RegistryFixture;

TEST_F(cRegistryAllocationFailure, EnumerateSectionsRaisesItsOwnError) {
    for (const wchar_t* name : {L"One", L"Two", L"Three", L"Four"}) scratch.CreateKey(L"S\\" + std::wstring(name));
    Address(L"S", L"");
    NameList names;
    std::int32_t count = 0;
    for (int failAt = 0; failAt < 6; ++failAt) {
        SCOPED_TRACE(failAt);
        allocationsBeforeFailure = failAt;
        try {
            reg.EnumerateSections(names, count);
            allocationsBeforeFailure = -1;
            EXPECT_EQ(4, count) << "no failure was met, so every name is there";
        } catch (const Error& error) {
            allocationsBeforeFailure = -1;
            EXPECT_EQ(static_cast<std::int32_t>(0x800469AAu), error.Number());
            EXPECT_EQ(ProgramName() + L".cRegistry", error.Source());
            EXPECT_EQ(L"std::bad_alloc", error.Description());
        }
    }
}

TEST_F(cRegistryAllocationFailure, EnumerateValuesLetsTheFailurePass) {
    scratch.SetText(L"V", "a", "1");
    scratch.SetText(L"V", "b", "2");
    Address(L"V", L"");
    NameList names;
    std::int32_t count = 0;
    bool raised = false;
    for (int failAt = 0; failAt < 6; ++failAt) {
        allocationsBeforeFailure = failAt;
        try {
            reg.EnumerateValues(names, count);
        } catch (const std::bad_alloc&) {
            raised = true;
        }
        allocationsBeforeFailure = -1;
    }
    EXPECT_TRUE(raised);
}
