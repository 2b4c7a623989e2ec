// The step runner shared by the data object and the start-up modules.

#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using pasos::Resume;
using pasos::RunSteps;
using pasos::Trap;

namespace {

ado::Error adoErr(long n) {
    ado::Error e;
    e.Number = n;
    e.Description = QStringLiteral("falla");
    return e;
}

} // namespace

TEST(Pasos, AnswersRepeatSkipOrLeave) {
    EXPECT_EQ(pasos::ResumeFor(vb::vbRetry), Resume::Retry);
    EXPECT_EQ(pasos::ResumeFor(vb::vbIgnore), Resume::Next);
    for (int other : std::vector<int>{0, vb::vbOK, vb::vbCancel, vb::vbAbort, vb::vbYes, vb::vbNo})
        EXPECT_EQ(pasos::ResumeFor(other), Resume::Exit) << other;

    // Step 1 fails twice: Retry runs it again, Ignore goes on with step 2.
    const struct {
        std::vector<Resume> answers;
        bool completed;
        std::vector<int> ran;
    } cases[] = {
        {{Resume::Retry, Resume::Next}, true, {0, 1, 1, 2}},
        {{Resume::Next}, true, {0, 1, 2}},
        {{Resume::Exit}, false, {0, 1}},
        {{Resume::Retry, Resume::Exit}, false, {0, 1, 1}},
    };
    for (const auto& c : cases) {
        std::vector<int> ran;
        size_t asked = 0;
        int failures = 2;
        const bool completed = RunSteps(
            [&](int i) {
                if (i > 2)
                    return -1;
                ran.push_back(i);
                if (i == 1 && failures-- > 0)
                    throw ado::Exception(adoErr(3021));
                return i + 1;
            },
            [&](const ado::Error& e) {
                EXPECT_EQ(e.Number, 3021);
                return c.answers.at(asked++);
            });
        EXPECT_EQ(completed, c.completed);
        EXPECT_EQ(ran, c.ran);
        EXPECT_EQ(asked, c.answers.size());
    }
}

TEST(Pasos, ListOfStepsEndsWhenAStepLeaves) {
    std::vector<int> ran;
    const std::vector<pasos::Step> steps = {
        [&] { ran.push_back(0); },
        [&] {
            ran.push_back(1);
            return false;
        },
        [&] { ran.push_back(2); },
    };
    EXPECT_TRUE(RunSteps(steps, [](const ado::Error&) { return Resume::Exit; }));
    EXPECT_EQ(ran, (std::vector<int>{0, 1}));
}

TEST(Pasos, WhatIsTrapped) {
    int asked = 0;
    ado::Error seen;
    auto onError = [&](const ado::Error& e) {
        ++asked;
        seen = e;
        return Resume::Next;
    };
    auto throwing = [](auto ex) {
        return [ex](int i) -> int {
            if (i == 0)
                throw ex;
            return -1;
        };
    };

    // The data object traps only the database's errors.
    EXPECT_THROW(RunSteps(throwing(std::runtime_error("x")), onError), std::runtime_error);
    EXPECT_EQ(asked, 0);

    // The start-up modules trap every run-time error, as its number.
    EXPECT_TRUE(RunSteps(throwing(std::overflow_error("big")), onError, 0, Trap::AllErrors));
    EXPECT_EQ(seen.Number, 6);
    EXPECT_EQ(seen.Description, QStringLiteral("Desbordamiento"));
    EXPECT_TRUE(RunSteps(throwing(std::runtime_error("otra")), onError, 0, Trap::AllErrors));
    EXPECT_EQ(seen.Number, 5);
    EXPECT_EQ(seen.Description, QStringLiteral("otra"));
    EXPECT_TRUE(RunSteps(throwing(ado::Exception(adoErr(3709))), onError, 0, Trap::AllErrors));
    EXPECT_EQ(seen.Number, 3709);
    EXPECT_EQ(asked, 3);

    // Ending the program is never an error to go on from.
    for (Trap trap : {Trap::AdoErrors, Trap::AllErrors})
        EXPECT_THROW(RunSteps(throwing(vb::ProgramEnded(0)), onError, 0, trap), vb::ProgramEnded);
    EXPECT_EQ(asked, 3);
}
