#include "state/RecoveryPolicy.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vallo;
using Action = RecoveryPolicy::Action;

namespace {

// One look at the document: time, change count, stroke in progress, Modified; and what the
// policy must answer. F marks a failed write reported before that tick.
struct Step {
    int64_t Time;
    uint64_t Count;
    bool Drawing;
    bool Modified;
    Action Expect;
    bool FailedBefore = false;
};

struct PolicyCase {
    const char* Name;
    std::vector<Step> Steps;
};

} // namespace

TEST(RecoveryPolicyTest, WritesAfterQuietAtMostEveryThirtySecondsAndRemovesWhenSaved) {
    const Action N = Action::None, W = Action::Write, R = Action::Remove;
    const PolicyCase cases[] = {
        {"quiet two seconds after a change",
         {{0, 0, false, false, N},
          {100, 1, false, true, N},
          {2099, 1, false, true, N},
          {2100, 1, false, true, W},
          {9000, 1, false, true, N}}},
        {"a new change restarts the quiet time",
         {{0, 1, false, true, N},
          {1500, 2, false, true, N},
          {3499, 2, false, true, N},
          {3500, 2, false, true, W}}},
        {"a long stroke: once at thirty seconds, then quiet after it ends",
         {{0, 1, true, true, N},
          {15000, 1, true, true, N},
          {30000, 1, true, true, W},
          {30250, 1, true, true, N},
          {45000, 1, true, true, N},
          {46000, 1, false, true, N},
          {46999, 1, false, true, N},
          {47000, 1, false, true, W}}},
        {"saved: the copy goes once, nothing after",
         {{0, 1, false, true, N},
          {2000, 1, false, true, W},
          {2250, 1, false, false, R},
          {2500, 1, false, false, N}}},
        {"never modified: nothing", {{0, 0, false, false, N}, {5000, 0, false, false, N}}},
        {"a failed write is tried again thirty seconds later",
         {{0, 1, false, true, N},
          {2000, 1, false, true, W},
          {2250, 1, false, true, N, true},
          {4250, 1, false, true, N},
          {32249, 1, false, true, N},
          {32250, 1, false, true, W}}},
    };
    for (const PolicyCase& c : cases) {
        RecoveryPolicy policy;
        for (const Step& step : c.Steps) {
            if (step.FailedBefore)
                policy.WriteFailed(step.Time);
            EXPECT_EQ(policy.Tick(step.Time, step.Count, step.Drawing, step.Modified), step.Expect)
                << c.Name << " at " << step.Time;
        }
    }
}

TEST(RecoveryPolicyTest, RemovedWhileModifiedWritesAgainAndAdoptedWaitsForAChange) {
    RecoveryPolicy policy;
    EXPECT_EQ(policy.Tick(0, 1, false, true), Action::None);
    EXPECT_EQ(policy.Tick(2000, 1, false, true), Action::Write);
    policy.Removed(3000); // Open failed after the question: the document is still modified
    EXPECT_EQ(policy.Tick(4999, 1, false, true), Action::None);
    EXPECT_EQ(policy.Tick(5000, 1, false, true), Action::Write);

    RecoveryPolicy adopted;
    adopted.Adopted(7);
    EXPECT_EQ(adopted.Tick(60000, 7, false, true), Action::None);
    EXPECT_EQ(adopted.Tick(60100, 8, false, true), Action::None);
    EXPECT_EQ(adopted.Tick(62100, 8, false, true), Action::Write);
}
