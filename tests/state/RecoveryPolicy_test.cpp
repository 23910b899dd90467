#include "state/RecoveryPolicy.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vallo;
using Action = RecoveryPolicy::Action;

namespace {

// Something around a look: a failed write, a removal, a restored copy, a busy writer.
enum class Before { Nothing, Failed, Removed, Adopted, Busy };

// One look at the document: time, change count, stroke in progress, Modified; and what the
// policy must answer.
struct Step {
    int64_t Time;
    uint64_t Count;
    bool Drawing;
    bool Modified;
    Action Expect;
    Before Event = Before::Nothing;
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
          {2250, 1, false, true, N, Before::Failed},
          {4250, 1, false, true, N},
          {32249, 1, false, true, N},
          {32250, 1, false, true, W}}},
        {"removed while still modified: written again after the quiet time",
         {{0, 1, false, true, N},
          {2000, 1, false, true, W},
          {3000, 1, false, true, N, Before::Removed},
          {4999, 1, false, true, N},
          {5000, 1, false, true, W}}},
        {"a write waits while the writer is busy",
         {{0, 1, false, true, N},
          {2000, 1, false, true, N, Before::Busy},
          {2250, 1, false, true, W}}},
        {"a restored copy waits for a change",
         {{60000, 7, false, true, N, Before::Adopted},
          {60100, 8, false, true, N},
          {62100, 8, false, true, W}}},
    };
    for (const PolicyCase& c : cases) {
        RecoveryPolicy policy;
        for (const Step& step : c.Steps) {
            if (step.Event == Before::Failed)
                policy.WriteFailed(step.Time);
            if (step.Event == Before::Removed)
                policy.Removed(step.Time);
            if (step.Event == Before::Adopted)
                policy.Adopted(step.Count);
            EXPECT_EQ(policy.Tick(step.Time, step.Count, step.Drawing, step.Modified,
                                  step.Event != Before::Busy),
                      step.Expect)
                << c.Name << " at " << step.Time;
        }
    }
}
