#pragma once

// A UI test that needs a process of its own runs the test binary again with VALLO_CHILD naming
// a scenario registered here; the scenario's result is the child's exit code.

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
