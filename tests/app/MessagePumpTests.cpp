#include <windows.h>

#include <gtest/gtest.h>

#include "MessagePump.h"

namespace {

BOOL WINAPI FailingGetMessage(MSG*, HWND, UINT, UINT) {
    return -1;
}

}  // namespace

// The loop ends with WM_QUIT's exit code, or with -1 when no message can be
// fetched (then there is no exit code to return).
TEST(MessageLoop, EndsWithTheQuitCodeOrMinusOneWhenFetchingFails) {
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop());
    EXPECT_EQ(-1, RunMessageLoop(&FailingGetMessage));
}
