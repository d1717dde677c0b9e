// The core as the web page sees it, compiled to WebAssembly and exported through embind: the
// window's look, the handlers behind "Do It!" and the two menus, the tooltips and the typing
// rule. The handlers work on the page's own controls (PageControls), as the Qt window's work on
// its widgets: the page hands each call its object of the controls, and the handler reads and
// writes the page through it. Each event of the page is one call here.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "controls.h"
#include "driver.h"
#include "failure.h"
#include "handlers.h"
#include "look.h"
#include "typing.h"

namespace quillon {

// The look's texts, colours and lists reach the page as JavaScript strings and arrays.
inline emscripten::val toJs(std::string_view text) {
    return emscripten::val(std::string(text));
}

// A colour as CSS writes it.
inline emscripten::val toJs(const Rgb& colour) {
    return emscripten::val("rgb(" + std::to_string(colour.red) + ", " +
                           std::to_string(colour.green) + ", " + std::to_string(colour.blue) + ")");
}

// A fixed background, or null where the control has the theme's.
inline emscripten::val toJs(const std::optional<Rgb>& colour) {
    return colour ? toJs(*colour) : emscripten::val::null();
}

// The items each as embind gives them: texts as above, parts of the look as declared below.
template <typename T>
emscripten::val toJs(std::span<const T> items) {
    emscripten::val out = emscripten::val::array();
    for (const T& item : items) {
        out.call<void>("push", emscripten::val(item));
    }
    return out;
}

// The types toJs makes, exactly (a std::string stays embind's own).
template <typename T>
constexpr bool kToJs = false;
template <>
constexpr bool kToJs<std::string_view> = true;
template <>
constexpr bool kToJs<Rgb> = true;
template <>
constexpr bool kToJs<std::optional<Rgb>> = true;
template <typename T>
constexpr bool kToJs<std::span<const T>> = true;

}  // namespace quillon

namespace emscripten::internal {

// Embind's wire for each type that toJs makes into a JavaScript value. The page never hands the
// look back, so none is read from JavaScript.
template <typename T>
struct TypeID<T, std::enable_if_t<quillon::kToJs<std::remove_cvref_t<T>>>> {
    static constexpr TYPEID get() { return TypeID<val>::get(); }
};

template <typename T>
struct BindingType<T, std::enable_if_t<quillon::kToJs<T>>> {
    using WireType = BindingType<val>::WireType;
    static WireType toWireType(const T& value) {
        return BindingType<val>::toWireType(quillon::toJs(value));
    }
    static T fromWireType(WireType) { return T(); }
};

}  // namespace emscripten::internal

namespace quillon {

namespace {

using emscripten::val;

std::int16_t NumberMode = 0;

// The control's kind, as the page's markup and stylesheet name it.
std::string_view kindName(const ControlLook& look) {
    constexpr std::string_view kKinds[] = {"box", "list", "button", "line"};  // as ControlKind
    return kKinds[static_cast<int>(look.kind)];
}

// The names of the controls in the order the focus visits them, those that take none last.
val tabOrderNames(const WindowLook&) {
    val names = val::array();
    for (const ControlLook* control : tabOrder()) {
        names.call<void>("push", toJs(control->name));
    }
    return names;
}

// A field of the look that the page reads and never writes back.
template <typename Look, typename Value>
void readOnly(Look&, Value) {}

// A control's place and size in CSS pixels.
template <int TwipRect::*edge>
int pixelsOf(const ControlLook& look) {
    return pixels(look.twips.*edge);
}

// The page's controls as the handlers see them: each operation is the call of the same name on
// the page's object of its controls (quillon.js), which reads or writes the page's elements.
class PageControls final : public Controls {
public:
    explicit PageControls(val page) : page_(std::move(page)) {}

    std::string text(Box box) const override { return page_.call<std::string>("text", name(box)); }
    void setText(Box box, const std::string& text) override {
        page_.call<void>("setText", name(box), text);
    }
    bool firstVisible() const override { return page_.call<bool>("firstVisible"); }
    void setFirstVisible(bool visible) override { page_.call<void>("setFirstVisible", visible); }
    int listCount() const override { return page_.call<int>("listCount"); }
    // An entry comes with its tooltip in the mode in force, as the window's list holds it.
    void addItem(const std::string& text) override {
        page_.call<void>("addItem", text, std::string(operationTip(text, modeOf(NumberMode))));
    }
    std::string editText() const override { return page_.call<std::string>("editText"); }

private:
    static std::string name(Box box) { return std::string(boxName(box)); }
    std::string entryText(int index) const override {
        return page_.call<std::string>("entryText", index);
    }
    void removeEntry(int index) override { page_.call<void>("removeEntry", index); }

    val page_;
};

// The tooltip of the list's edit text in the mode in force (empty when it names no entry), and
// what a screen reader says of the list beside its name: that tooltip and the number of
// entries.
struct ListTip {
    std::string tip;
    std::string description;
};

ListTip listTip(const std::string& editText, int count) {
    const std::string_view tip = operationTip(editText, modeOf(NumberMode));
    return {std::string(tip), operationDescription(tip, static_cast<std::size_t>(count))};
}

// What the menus show after a handler: the list's tooltip and description, and (checkedItems)
// for each menu the item shown checked (from 1), or null where its items are no exclusive
// choice.
struct MenuView {
    ListTip list;
};

val checkedItems(const MenuView&) {
    val checked = val::array();
    for (const MenuLook& menu : windowLook().menus) {
        checked.call<void>("push",
                           menu.checkedItem ? val(menu.checkedItem(NumberMode)) : val::null());
    }
    return checked;
}

MenuView menuView(const PageControls& controls) {
    return {listTip(controls.editText(), controls.listCount())};
}

MenuView formLoad(const val& page) {
    PageControls controls(page);
    Form_Load(controls, NumberMode);
    return menuView(controls);
}

// A click on item `item` (from 1) of the menu at `menu` on the menu bar (from 0): the handler
// that menu carries in the look.
MenuView chooseMenuItem(std::size_t menu, std::int16_t item, const val& page) {
    PageControls controls(page);
    const std::span<const MenuLook> menus = windowLook().menus;
    if (menu < menus.size()) {
        menus[menu].click(controls, NumberMode, item);
    }
    return menuView(controls);
}

// A press of "Do It!": the message of the failure that stopped the evaluation, as the message
// box shows it, or null.
val doIt(const val& page) {
    PageControls controls(page);
    const std::optional<Failure> failure = DoIt_Click(controls, NumberMode);
    return failure ? val(failureMessage(*failure)) : val::null();
}

// What a box holds after a change the typing rule judged: the outcome, "taken", "unchanged" or
// "tooLong" (refused; the box keeps what it held), the text and the cursor, and the note to show
// beside the box, or null.
struct TypedView {
    std::string_view outcome;
    std::u16string text;
    std::size_t cursor;
    val note = val::null();
};

// The typing limit of the control named `name`, from its look.
std::size_t limitOf(const std::string& name) {
    const ControlLook* look = controlLook(name);
    return look ? look->typingLimit : kNoTypingLimit;
}

// What the control named `name` holds after the user's change made `held`, whose selection
// was [start, end), into `changed`, with the cursor at `cursor`.
TypedView typeIntoControl(const std::string& name, const std::u16string& held, std::size_t start,
                          std::size_t end, const std::u16string& changed, std::size_t cursor) {
    const std::size_t limit = limitOf(name);
    auto [typed, showsNote] = judgeChange(held, start, end, changed, cursor, limit);
    // In the order of TypedText::Outcome.
    constexpr std::string_view kOutcomes[] = {"taken", "unchanged", "tooLong"};
    return {kOutcomes[static_cast<int>(typed.outcome)], std::move(typed.text), typed.cursor,
            showsNote ? val(tooLongNote(limit)) : val::null()};
}

// What the control named `name` holds once `typed` is typed into it key by key from empty, each
// key judged by its typing rule: for what the page took before the core was there.
std::string typeKeysInto(const std::string& name, const std::string& typed) {
    return typeKeys("", typed, limitOf(name));
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillon) {
    using emscripten::value_object;
    value_object<FontLook>("FontLook")
        .field("family", &FontLook::family)
        .field("points", &FontLook::points)
        .field("weight", &FontLook::weight);
    value_object<TextColours>("TextColours")
        .field("text", &TextColours::text)
        .field("selection", &TextColours::selection)
        .field("selectedText", &TextColours::selectedText);
    value_object<MenuLook>("MenuLook")
        .field("name", &MenuLook::name)
        .field("caption", &MenuLook::caption)
        .field("itemName", &MenuLook::itemName)
        .field("items", &MenuLook::items)
        .field("exclusive", &MenuLook::exclusive);
    value_object<ControlLook>("ControlLook")
        .field("kind", &kindName, &readOnly<ControlLook, std::string_view>)
        .field("name", &ControlLook::name)
        .field("label", &accessibleName, &readOnly<ControlLook, std::string_view>)
        .field("text", &ControlLook::text)
        .field("left", &pixelsOf<&TwipRect::left>, &readOnly<ControlLook, int>)
        .field("top", &pixelsOf<&TwipRect::top>, &readOnly<ControlLook, int>)
        .field("width", &pixelsOf<&TwipRect::width>, &readOnly<ControlLook, int>)
        .field("height", &pixelsOf<&TwipRect::height>, &readOnly<ControlLook, int>)
        .field("background", &ControlLook::background)
        .field("boxFont", &ControlLook::boxFont)
        .field("tabIndex", &ControlLook::tabIndex)
        .field("description", &ControlLook::description);
    value_object<WindowLook>("WindowLook")
        .field("caption", &WindowLook::caption)
        .field(
            "clientWidth", +[](const WindowLook& w) { return pixels(w.clientWidth); },
            &readOnly<WindowLook, int>)
        .field(
            "clientHeight", +[](const WindowLook& w) { return pixels(w.clientHeight); },
            &readOnly<WindowLook, int>)
        .field("background", &WindowLook::background)
        .field("fixedText", &WindowLook::fixedText)
        .field("boxFont", &WindowLook::boxFont)
        .field("controls", &WindowLook::controls)
        .field("tabOrder", &tabOrderNames, &readOnly<WindowLook, val>)
        .field("menus", &WindowLook::menus)
        // How long the note of a paste refused for its length shows.
        .field(
            "noteMilliseconds", +[](const WindowLook&) { return kTooLongNoteMilliseconds; },
            &readOnly<WindowLook, int>);
    value_object<ListTip>("ListTip")
        .field("tip", &ListTip::tip)
        .field("description", &ListTip::description);
    value_object<MenuView>("MenuView")
        .field("checkedItems", &checkedItems, &readOnly<MenuView, val>)
        .field("list", &MenuView::list);
    value_object<TypedView>("TypedView")
        .field("outcome", &TypedView::outcome)
        .field("text", &TypedView::text)
        .field("cursor", &TypedView::cursor)
        .field("note", &TypedView::note);

    emscripten::function("look", &windowLook);
    emscripten::function("Form_Load", &formLoad);
    emscripten::function("chooseMenuItem", &chooseMenuItem);
    emscripten::function("DoIt", &doIt);
    emscripten::function("listTip", &listTip);
    emscripten::function("typeIntoControl", &typeIntoControl);
    emscripten::function("typeKeysInto", &typeKeysInto);
}

}  // namespace quillon
