// The names of the operations as the golden script tests/scripts/catalogue.txt pins them in its
// expected output, so that no test counts or lists them by hand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "operations.h"

namespace quillon::testing {

// Every entry the states of the script show in a mode (2 or 1), in the order they first
// appear, the placeholder left out: the script lists the basic block, then each category.
inline std::vector<std::string> goldenNames(int mode) {
    const char* path = QUILLON_SOURCE_DIR "/tests/scripts/catalogue.jsonl";
    std::ifstream file(path);
    if (!file) {
        ADD_FAILURE() << "cannot read " << path;
    }
    std::vector<std::string> names;
    for (std::string line; std::getline(file, line);) {
        const auto state = nlohmann::json::parse(line);
        if (state.at("mode") != mode) {
            continue;
        }
        for (const std::string name : state.at("entries")) {
            if (name != kNoOperators &&
                std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

}  // namespace quillon::testing
