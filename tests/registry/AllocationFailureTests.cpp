// EnumerateSections and EnumerateValues when an allocation fails inside them.
#include <gtest/gtest.h>

#include <new>

#include "Error.h"
#include "FailingAllocation.h"
#include "ProgramFile.h"
#include "RegistryFixture.h"

using cRegistryAllocationFailure = RegistryFixture;

TEST_F(cRegistryAllocationFailure, EnumerateSectionsRaisesItsOwnError) {
    for (const wchar_t* name : {L"One", L"Two", L"Three", L"Four"}) scratch.CreateKey(L"S\\" + std::wstring(name));
    Address(L"S", L"");
    NameList names;
    std::int32_t count = 0;
    for (int failAt = 0; failAt < 6; ++failAt) {
        SCOPED_TRACE(failAt);
        FailAllocationAfter(failAt);
        try {
            reg.EnumerateSections(names, count);
            StopFailingAllocations();
            EXPECT_EQ(4, count) << "no failure was met, so every name is there";
        } catch (const Error& error) {
            StopFailingAllocations();
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
        FailAllocationAfter(failAt);
        try {
            reg.EnumerateValues(names, count);
        } catch (const std::bad_alloc&) {
            raised = true;
        }
        StopFailingAllocations();
    }
    EXPECT_TRUE(raised);
}
