#include "platform/vb/programend.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

TEST(VbEnd, ThrowOnEndReportsTheCode) {
    vb::throwOnEnd();
    try {
        vb::End(3);
        FAIL() << "End returned";
    } catch (const vb::ProgramEnded& e) {
        EXPECT_EQ(e.code, 3);
    }
    EXPECT_THROW(vb::End(), vb::ProgramEnded);
}

TEST(VbEnd, HandlerSeesTheCode) {
    int seen = -1;
    vb::setEndHandler([&seen](int code) {
        seen = code;
        throw vb::ProgramEnded(code);
    });
    EXPECT_THROW(vb::End(9), vb::ProgramEnded);
    EXPECT_EQ(seen, 9);
    vb::throwOnEnd();
}

TEST(VbEndDeathTest, DefaultEndLeavesTheProcessWithTheCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            vb::setEndHandler({});
            std::fputs("closing", stderr);
            vb::End(7);
        },
        ::testing::ExitedWithCode(7), "closing");
    vb::throwOnEnd();
}

TEST(VbEndDeathTest, AHandlerThatReturnsDoesNotLetEndReturn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            vb::setEndHandler([](int) {});
            vb::End(4);
            std::fputs("returned", stderr);
            std::_Exit(99);
        },
        ::testing::ExitedWithCode(4), "");
    vb::throwOnEnd();
}

} // namespace
