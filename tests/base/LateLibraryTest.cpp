#include "base/LateLibrary.h"

#include <gtest/gtest.h>

#include <cmath>

// Declared so that a library's functions can name it; no library has it.
extern "C" double quorvel_function_no_library_has(double);

namespace quorvel {
namespace {

#define MATH_FUNCTIONS(X) X(cos) X(sqrt)
struct MathFunctions {
    MATH_FUNCTIONS(QUORVEL_LIBRARY_MEMBER)
};

const MathFunctions* LoadedMath()
{
    QUORVEL_LOADED_LIBRARY(MathFunctions, MATH_FUNCTIONS, "libm.so.6")
}

const MathFunctions* MathFromNoFile()
{
    QUORVEL_LOADED_LIBRARY(MathFunctions, MATH_FUNCTIONS, "libquorvel-no-such-library.so.0")
}

#define MATH_AND_MISSING_FUNCTIONS(X) X(cos) X(quorvel_function_no_library_has) X(sqrt)
struct MathAndMissingFunctions {
    MATH_AND_MISSING_FUNCTIONS(QUORVEL_LIBRARY_MEMBER)
};

const MathAndMissingFunctions* MathLackingAFunction(){
    QUORVEL_LOADED_LIBRARY(MathAndMissingFunctions, MATH_AND_MISSING_FUNCTIONS, "libm.so.6")}

TEST(LoadedLibrary, GivesEveryFunctionOrNothing)
{
    const MathFunctions* math = LoadedMath();
    ASSERT_NE(math, nullptr);
    EXPECT_EQ(math->cos(0.0), 1.0);
    EXPECT_EQ(math->sqrt(9.0), 3.0);
    EXPECT_EQ(LoadedMath(), math) << "loaded once, kept for the rest of the run";

    EXPECT_EQ(MathFromNoFile(), nullptr);
    // A library without one of the functions is no library: none of them is handed out.
    EXPECT_EQ(MathLackingAFunction(), nullptr);
}

}  // namespace
}  // namespace quorvel
