// The fuzzer's target: its input is a script of user actions for the scripted driver. Every
// command and click runs on a freshly loaded headless window, and the checks of script_checks.h
// run after each command; a violation aborts, so that the fuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "script_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    if (const auto violation = quillon::findViolation(script)) {
        std::fputs(("violation: " + *violation + "\n").c_str(), stderr);
        std::abort();
    }
    return 0;
}
