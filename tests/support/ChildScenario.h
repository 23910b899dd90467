#pragma once

// UI tests that need a real process of their own (to kill it, for example) run the test binary
// again with VALLO_CHILD naming a scenario registered here; the scenario's result is the exit
// code of that child.

#include <functional>
#include <map>
#include <string>

namespace vallo::test {

inline std::map<std::string, std::function<int()>>& ChildScenarios() {
    static std::map<std::string, std::function<int()>> scenarios;
    return scenarios;
}

struct ChildScenario {
    ChildScenario(const std::string& name, std::function<int()> run) {
        ChildScenarios()[name] = std::move(run);
    }
};

} // namespace vallo::test
