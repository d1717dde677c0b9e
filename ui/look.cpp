#include "look.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "handlers.h"
#include "operations.h"

namespace quillon {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kSelectionBlue{48, 140, 198};

constexpr std::array kControls = {
    ControlLook{ControlKind::Box,
                "First",
                "0",
                {1920, 0, 2895, 285},
                kGreen,
                true,
                0,
                "The first number",
                kTypingLimit},
    ControlLook{
        ControlKind::List, "Operation", "Choose Operation", {0, 240, 1935, 315}, kYellow, false, 1},
    ControlLook{ControlKind::Box,
                "Second",
                "0",
                {1920, 240, 2895, 285},
                kGreen,
                true,
                2,
                "The second number (the only one in one-number mode)",
                kTypingLimit},
    ControlLook{ControlKind::Box, "Answer", "0", {0, 720, 4815, 285}, kCyan, true, 3, "The answer"},
    ControlLook{ControlKind::Button, "DoIt", "Do It!", {0, 960, 4815, 270}, std::nullopt, true, 4},
    // A line 4 pixels (60 twips) wide from (0, 600) to (4800, 600), centred on its y.
    ControlLook{ControlKind::Line, "Bar", "", {0, 570, 4800, 60}, kBlack, false, -1},
};

constexpr std::array<std::string_view, 2> kNumberItems = {"One Number", "Two Numbers"};

// The items of "Add Operations" are the categories' captions, in menu order.
std::span<const std::string_view> categoryCaptions() {
    static const std::vector<std::string_view> captions = [] {
        std::vector<std::string_view> built;
        for (const CatalogueBlock& category : categories()) {
            built.push_back(category.caption);
        }
        return built;
    }();
    return captions;
}

}  // namespace

const WindowLook& windowLook() {
    static const std::array menus = {
        MenuLook{"mnuOp", "Add Operations", "mnuAdd", categoryCaptions(),
                 [](Controls& controls, std::int16_t& NumberMode, std::int16_t Index) {
                     mnuAdd_Click(controls, NumberMode, Index);
                 }},
        MenuLook{"mnuNumO", "Number of Figures", "mnuNum", kNumberItems, mnuNum_Click, true,
                 checkedNumberItem},
    };
    static const WindowLook look{
        "Quillon", 4785,  1230, kWhite, {kBlack, kSelectionBlue, kWhite}, {"Courier New", 12, 700},
        kControls, menus,
    };
    return look;
}

const ControlLook* controlLook(std::string_view name) {
    for (const ControlLook& control : kControls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

std::string_view accessibleName(const ControlLook& control) {
    return control.kind == ControlKind::Button ? control.text : control.name;
}

std::vector<const ControlLook*> tabOrder() {
    std::vector<const ControlLook*> order;
    for (const ControlLook& control : kControls) {
        order.push_back(&control);
    }
    std::stable_sort(order.begin(), order.end(), [](const ControlLook* a, const ControlLook* b) {
        const auto place = [](const ControlLook* control) {
            return control->tabIndex < 0 ? std::numeric_limits<int>::max() : control->tabIndex;
        };
        return place(a) < place(b);
    });
    return order;
}

}  // namespace quillon
