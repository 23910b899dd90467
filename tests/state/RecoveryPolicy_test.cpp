#include "state/RecoveryPolicy.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using Action = RecoveryPolicy::Action;

// Each case is a run of looks at the document, "time count state answer;": state holds d
// (a stroke in progress), m (Modified) and, before the look, F (the last write failed),
// R (the copy was removed), A (a copy was restored at this count) or B (the writer is busy);
// "-" is none of them. The answer is N (none), W (write) or R (remove).
TEST(RecoveryPolicyTest, WritesAfterQuietAtMostEveryThirtySecondsAndRemovesWhenSaved) {
    const std::pair<const char*, const char*> cases[] = {
        {"quiet two seconds after a change",
         "0 0 - N; 100 1 m N; 2099 1 m N; 2100 1 m W; 9000 1 m N"},
        {"a new change restarts the quiet time", "0 1 m N; 1500 2 m N; 3499 2 m N; 3500 2 m W"},
        {"a long stroke: once at thirty seconds, then quiet after it ends",
         "0 1 dm N; 15000 1 dm N; 30000 1 dm W; 30250 1 dm N; 45000 1 dm N; 46000 1 m N; "
         "46999 1 m N; 47000 1 m W"},
        {"saved: the copy goes once, nothing after", "0 1 m N; 2000 1 m W; 2250 1 - R; 2500 1 - N"},
        {"never modified: nothing", "0 0 - N; 5000 0 - N"},
        {"a failed write is tried again thirty seconds later",
         "0 1 m N; 2000 1 m W; 2250 1 mF N; 4250 1 m N; 32249 1 m N; 32250 1 m W"},
        {"removed while still modified: written again after the quiet time",
         "0 1 m N; 2000 1 m W; 3000 1 mR N; 4999 1 m N; 5000 1 m W"},
        {"a write waits while the writer is busy", "0 1 m N; 2000 1 mB N; 2250 1 m W"},
        {"a restored copy waits for a change", "60000 7 mA N; 60100 8 m N; 62100 8 m W"},
    };
    int looks = 0;
    for (const auto& [name, steps] : cases) {
        RecoveryPolicy policy;
        std::istringstream in(steps);
        int64_t time = 0;
        uint64_t count = 0;
        std::string state, answer;
        while (in >> time >> count >> state >> answer) {
            const auto has = [&state](char c) { return state.find(c) != std::string::npos; };
            if (has('F'))
                policy.WriteFailed(time);
            if (has('R'))
                policy.Removed(time);
            if (has('A'))
                policy.Adopted(count);
            const Action got = policy.Tick(time, count, has('d'), has('m'), !has('B'));
            const char* names = "NWR";
            EXPECT_EQ(names[int(got)], answer[0]) << name << " at " << time;
            ++looks;
        }
    }
    EXPECT_EQ(looks, 40);
}
