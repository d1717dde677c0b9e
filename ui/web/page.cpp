// The core as the web page sees it, compiled to WebAssembly and exported through embind: the
// window's look, the handlers behind "Do It!" and the two menus, the tooltips and the typing
// rule. The page's module only translates between these calls and the DOM.
//
// The controls the handlers work on are a memory copy (MemoryControls), kept in step with the
// page around each call: the page hands in the texts the user can change (the three boxes and
// the list's edit field), the handler runs on the copy, and the call hands back everything a
// handler may have changed (the boxes, whether First shows, the list's entries). Between calls
// the page holds the true texts and the copy holds the list and NumberMode, which only the
// handlers change.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "controls.h"
#include "driver.h"
#include "failure.h"
#include "handlers.h"
#include "look.h"
#include "memory_controls.h"
#include "typing.h"

namespace quillon {

namespace {

using emscripten::val;

MemoryControls controls;
std::int16_t NumberMode = 0;

val text(std::string_view text) {
    return val(std::string(text));
}

std::string cssColour(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

std::string_view kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Box:
            return "box";
        case ControlKind::List:
            return "list";
        case ControlKind::Button:
            return "button";
        case ControlKind::Line:
            return "line";
    }
    return "line";
}

// One control of the look table, in CSS pixels.
val lookOfControl(const ControlLook& look) {
    val control = val::object();
    control.set("kind", text(kindName(look.kind)));
    control.set("name", text(look.name));
    control.set("label", text(accessibleName(look)));
    control.set("text", text(look.text));
    control.set("left", pixels(look.twips.left));
    control.set("top", pixels(look.twips.top));
    control.set("width", pixels(look.twips.width));
    control.set("height", pixels(look.twips.height));
    control.set("background", look.background ? val(cssColour(*look.background)) : val::null());
    control.set("boxFont", look.boxFont);
    control.set("tabIndex", look.tabIndex);
    control.set("description", text(look.description));
    return control;
}

val look() {
    const WindowLook& window = windowLook();
    val out = val::object();
    out.set("caption", text(window.caption));
    out.set("clientWidth", pixels(window.clientWidth));
    out.set("clientHeight", pixels(window.clientHeight));
    out.set("background", cssColour(window.background));
    val fixedText = val::object();
    fixedText.set("text", cssColour(window.fixedText.text));
    fixedText.set("selection", cssColour(window.fixedText.selection));
    fixedText.set("selectedText", cssColour(window.fixedText.selectedText));
    out.set("fixedText", fixedText);
    // How long the note of a paste refused for its length shows.
    out.set("noteMilliseconds", kTooLongNoteMilliseconds);
    val font = val::object();
    font.set("family", text(window.boxFont.family));
    font.set("points", window.boxFont.points);
    font.set("weight", window.boxFont.weight);
    out.set("boxFont", font);
    val controlsOut = val::array();
    for (const ControlLook& control : window.controls) {
        controlsOut.call<void>("push", lookOfControl(control));
    }
    out.set("controls", controlsOut);
    // The controls' names in the order the focus visits them, those that take none last.
    val order = val::array();
    for (const ControlLook* control : tabOrder()) {
        order.call<void>("push", text(control->name));
    }
    out.set("tabOrder", order);
    val menus = val::array();
    for (const MenuLook& menu : window.menus) {
        val menuOut = val::object();
        menuOut.set("name", text(menu.name));
        menuOut.set("caption", text(menu.caption));
        menuOut.set("itemName", text(menu.itemName));
        val items = val::array();
        for (const std::string_view item : menu.items) {
            items.call<void>("push", text(item));
        }
        menuOut.set("items", items);
        menuOut.set("exclusive", menu.exclusive);
        menus.call<void>("push", menuOut);
    }
    out.set("menus", menus);
    return out;
}

// The page's texts into the memory copy: {first, second, answer, operation}.
void takeTexts(const val& page) {
    controls.setText(Box::First, page["first"].as<std::string>());
    controls.setText(Box::Second, page["second"].as<std::string>());
    controls.setText(Box::Answer, page["answer"].as<std::string>());
    controls.setEditText(page["operation"].as<std::string>());
}

// The boxes' texts of the memory copy, for the page.
val boxTexts() {
    val out = val::object();
    out.set("first", controls.text(Box::First));
    out.set("second", controls.text(Box::Second));
    out.set("answer", controls.text(Box::Answer));
    return out;
}

// The window after a handler that may change more than the boxes (Form_Load and the menus):
// the boxes, First's visibility, the list's entries, each with its tooltip, and for each menu
// the item shown checked (from 1), or null where its items are no exclusive choice.
val windowView() {
    val out = boxTexts();
    out.set("firstVisible", controls.firstVisible());
    val entries = val::array();
    for (int i = 0; i < controls.listCount(); ++i) {
        const std::string name = controls.listText(i);
        val entry = val::object();
        entry.set("name", name);
        entry.set("tip", text(operationTip(name, modeOf(NumberMode))));
        entries.call<void>("push", entry);
    }
    out.set("entries", entries);
    val checked = val::array();
    for (const MenuLook& menu : windowLook().menus) {
        checked.call<void>("push",
                           menu.checkedItem ? val(menu.checkedItem(NumberMode)) : val::null());
    }
    out.set("checkedItems", checked);
    return out;
}

val formLoad(const val& page) {
    takeTexts(page);
    Form_Load(controls, NumberMode);
    return windowView();
}

// A click on item `item` (from 1) of the menu at `menu` on the menu bar (from 0): the handler
// that menu carries in the look.
val chooseMenuItem(std::size_t menu, std::int16_t item, const val& page) {
    takeTexts(page);
    const std::span<const MenuLook> menus = windowLook().menus;
    if (menu < menus.size()) {
        menus[menu].click(controls, NumberMode, item);
    }
    return windowView();
}

// A press of "Do It!": the boxes afterwards, and the message of the failure that stopped the
// evaluation, as the message box shows it, or null.
val doIt(const val& page) {
    takeTexts(page);
    const std::optional<Failure> failure = DoIt_Click(controls, NumberMode);
    val out = boxTexts();
    out.set("failure", failure ? val(failureMessage(*failure)) : val::null());
    return out;
}

// The tooltip of the list's edit text in the current mode; empty when it names no entry.
std::string tipOf(const std::string& editText) {
    return std::string(operationTip(editText, modeOf(NumberMode)));
}

// What a screen reader says of the list beside its name: the tooltip of `editText`, if any,
// and the number of entries the list holds.
std::string descriptionOf(const std::string& editText) {
    return operationDescription(operationTip(editText, modeOf(NumberMode)),
                                static_cast<std::size_t>(controls.listCount()));
}

// What the control named `name` holds after the user replaces the range [start, end) of
// `held` with `inserted` (empty for a removal): {outcome, text, cursor, note}, the outcome
// "taken", "unchanged" or "tooLong" (refused; the box keeps `held`), and the note to show
// beside the box, or null. Each control takes at most the typing limit of its look.
val typeIntoControl(const std::string& name, const std::u16string& held, std::size_t start,
                    std::size_t end, const std::u16string& inserted) {
    const ControlLook* look = controlLook(name);
    const std::size_t limit = look ? look->typingLimit : kNoTypingLimit;
    const TypedText typed = typeInto(held, start, end, inserted, limit);
    val out = val::object();
    switch (typed.outcome) {
        case TypedText::Outcome::Taken:
            out.set("outcome", text("taken"));
            break;
        case TypedText::Outcome::Unchanged:
            out.set("outcome", text("unchanged"));
            break;
        case TypedText::Outcome::TooLong:
            out.set("outcome", text("tooLong"));
            break;
    }
    out.set("text", typed.text);
    out.set("cursor", typed.cursor);
    out.set("note", showsTooLongNote(typed, inserted) ? val(tooLongNote(limit)) : val::null());
    return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon) {
    emscripten::function("look", &look);
    emscripten::function("Form_Load", &formLoad);
    emscripten::function("chooseMenuItem", &chooseMenuItem);
    emscripten::function("DoIt", &doIt);
    emscripten::function("operationTip", &tipOf);
    emscripten::function("operationDescription", &descriptionOf);
    emscripten::function("typeIntoControl", &typeIntoControl);
}

}  // namespace quillon
