#include "script_checks.h"

#include <utility>

#include <nlohmann/json.hpp>

#include "handlers.h"
#include "replay.h"
#include "utf8.h"

namespace quillon {

namespace {

// The headless window, noting the boxes just before each press of "Do It!" and whether a menu
// changed any of them.
class WatchedTarget : public HeadlessTarget {
public:
    std::optional<Failure> pressDoIt() override {
        pressed = true;
        before = BoxTexts::of(controls());
        return HeadlessTarget::pressDoIt();
    }
    void chooseNumberItem(std::int16_t index) override {
        watchMenu("Number of Figures", [&] { HeadlessTarget::chooseNumberItem(index); });
    }
    void chooseAddItem(std::int16_t index) override {
        watchMenu("Add Operations", [&] { HeadlessTarget::chooseAddItem(index); });
    }

    bool pressed = false;
    BoxTexts before;
    std::optional<std::string> menuViolation;

private:
    template <typename Choose>
    void watchMenu(const char* menu, Choose choose) {
        const BoxTexts was = BoxTexts::of(controls());
        choose();
        if (BoxTexts::of(controls()) != was) {
            menuViolation = std::string("the menu \"") + menu + "\" changed the text of a box";
        }
    }
};

std::optional<std::string> checkCommand(WatchedTarget& target, const std::string& line) {
    target.pressed = false;
    target.menuViolation.reset();
    const std::optional<std::string> printed = runCommand(line, target);
    if (target.menuViolation) {
        return target.menuViolation;
    }
    if (printed && !isJsonLine(*printed)) {
        return "printed a line that is not JSON: " + *printed;
    }
    if (target.pressed) {
        const BoxTexts after = BoxTexts::of(target.controls());
        if (auto violation = checkLoopPasses(target.lastTrace().loopSteps)) {
            return violation;
        }
        if (auto violation = checkRecall(target.before, after, target.numberMode())) {
            return violation;
        }
        if (!printed) {
            return std::string("a click printed nothing");
        }
        if (auto violation = checkClickLine(*printed, after)) {
            return violation;
        }
    }
    return checkBasicBlock(target.controls(), target.numberMode());
}

}  // namespace

BoxTexts BoxTexts::of(const Controls& controls) {
    return {controls.text(Box::First), controls.text(Box::Second), controls.text(Box::Answer)};
}

std::optional<std::string> checkLoopPasses(std::uint64_t passes) {
    if (passes > kLoopPassBound) {
        return "a click ran " + std::to_string(passes) + " loop passes, more than " +
               std::to_string(kLoopPassBound);
    }
    return std::nullopt;
}

std::optional<std::string> checkRecall(const BoxTexts& before, const BoxTexts& after,
                                       std::int16_t NumberMode) {
    const auto check = [&](const char* name, const std::string& was,
                           const std::string& now) -> std::optional<std::string> {
        if (now == was) {
            return std::nullopt;
        }
        if (was.find('%') == std::string::npos || now != before.answer) {
            return std::string("a click changed ") + name + " from " + jsonString(was) + " to " +
                   jsonString(now) + " with Answer " + jsonString(before.answer);
        }
        return std::nullopt;
    };
    if (NumberMode != 2 && after.first != before.first) {
        return "a click in one-number mode changed First from " + jsonString(before.first) +
               " to " + jsonString(after.first);
    }
    if (auto violation = check("First", before.first, after.first)) {
        return violation;
    }
    return check("Second", before.second, after.second);
}

std::optional<std::string> checkBasicBlock(const Controls& controls, std::int16_t NumberMode) {
    const CatalogueBlock& basic = basicBlock();
    const auto& entries = NumberMode == 2 ? basic.twoNumbers : basic.oneNumber;
    if (controls.listCount() < static_cast<int>(entries.size())) {
        return "the list holds " + std::to_string(controls.listCount()) +
               " entries, fewer than the basic block of mode " + std::to_string(NumberMode);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = controls.listText(static_cast<int>(i));
        if (entry != entries[i].name) {
            return "entry " + std::to_string(i) + " of the list is " + jsonString(entry) +
                   ", not the basic block's " + jsonString(std::string(entries[i].name));
        }
    }
    return std::nullopt;
}

bool isJsonLine(std::string_view line) {
    return nlohmann::json::accept(line);
}

std::optional<std::string> checkClickLine(std::string_view line, const BoxTexts& boxes) {
    const nlohmann::json value = nlohmann::json::parse(line, nullptr, false);
    if (!value.is_object()) {
        return "a click printed a line that is not a JSON object: " + std::string(line);
    }
    const std::pair<const char*, const std::string*> shown[] = {
        {"first", &boxes.first}, {"second", &boxes.second}, {"answer", &boxes.answer}};
    for (const auto& [key, text] : shown) {
        const auto member = value.find(key);
        if (member == value.end() || !member->is_string()) {
            return std::string("a click printed no text for \"") + key + "\": " + std::string(line);
        }
        if (member->get_ref<const std::string&>() != *text) {
            return std::string("a click printed \"") + key + "\" " +
                   jsonString(member->get<std::string>()) + " while the box holds " +
                   jsonString(*text) +
                   (validUtf8(*text) == *text ? "" : ", which is not valid UTF-8");
        }
    }
    return std::nullopt;
}

std::optional<std::string> findViolation(std::string_view script) {
    WatchedTarget target;
    if (auto violation = checkBasicBlock(target.controls(), target.numberMode())) {
        return "at start-up: " + *violation;
    }
    std::size_t lineNumber = 0;
    std::size_t begin = 0;
    while (begin < script.size()) {
        std::size_t end = script.find('\n', begin);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        ++lineNumber;
        if (auto violation = checkCommand(target, std::string(script.substr(begin, end - begin)))) {
            return "line " + std::to_string(lineNumber) + ": " + *violation;
        }
        begin = end + 1;
    }
    return std::nullopt;
}

}  // namespace quillon
