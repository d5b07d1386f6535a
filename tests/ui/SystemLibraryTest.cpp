// Libraries loaded on first use: nothing is loaded before a function is asked for, the
// function is called through the declared type, the library goes with its holder, and a
// missing library or function raises instead of handing out a null pointer.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "framework/ui/SystemLibrary.h"

namespace {

// shlwapi.dll: nothing this test links loads it, so its presence is ours alone.
TEST(SystemLibrary, LoadsAtTheFirstFunctionAndGoesWithItsHolder)
{
    ASSERT_EQ(GetModuleHandleA("shlwapi.dll"), nullptr);
    {
        TSystemLibrary Shlwapi("shlwapi.dll");
        EXPECT_EQ(GetModuleHandleA("shlwapi.dll"), nullptr);
        auto* ToInt = Shlwapi.Function<decltype(StrToIntA)>("StrToIntA");
        EXPECT_NE(GetModuleHandleA("shlwapi.dll"), nullptr);
        // The argument and the result pass through the declared type.
        EXPECT_EQ(ToInt("4711"), 4711);
        EXPECT_EQ(ToInt("-12"), -12);
        // Asking again gives the same function from the same load.
        EXPECT_EQ(Shlwapi.Function<decltype(StrToIntA)>("StrToIntA"), ToInt);
    }
    EXPECT_EQ(GetModuleHandleA("shlwapi.dll"), nullptr);
}

TEST(SystemLibrary, MissingLibraryOrFunctionRaises)
{
    TSystemLibrary Missing("pantrel-no-such-library.dll");
    EXPECT_THROW(Missing.Function<void()>("Anything"), EOutOfResources);
    TSystemLibrary Shlwapi("shlwapi.dll");
    EXPECT_THROW(Shlwapi.Function<void()>("NoSuchFunction"), EOutOfResources);
}

} // namespace
