// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Window layouts as constant data, the way a form designer stores them: positions and sizes
// in twips (1/1440 inch, 15 twips to a device-independent pixel), fonts by face and points,
// colours as RGB. One builder (form_builder.h) turns a FormDesign into Qt widgets.
namespace tavo::forms {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

// A font's size in pixels at 96 dots per inch, rounded to the nearest (14.25 points are 19
// pixels), like the twips of the layout, so that text and controls scale together.
constexpr int FontPixelSize(double points) {
    // std::lround is not constexpr; for the layouts' positive sizes in quarter points, adding
    // a half and cutting rounds alike.
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);  // NOLINT(bugprone-incorrect-roundings)
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The character set a font is asked for. Qt chooses glyphs by script on its own; the value
// is kept so that the layouts read as designed and a test can check them.
enum class Charset { Ansi, ShiftJis };

struct FontDesign {
    std::string_view face{};
    double points = 9;
    bool bold = false;
    bool underline = false;
    Charset charset = Charset::ShiftJis;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A rectangle in device-independent pixels, as both fronts place controls.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

constexpr PixelRect ToPixels(const TwipsRect& rect) {
    return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
            TwipsToPixels(rect.height)};
}

enum class ControlKind {
    TextBox,           // single-line entry box
    MultiLineTextBox,  // read-only multi-line text with a vertical scroll bar
    Label,
    Frame,         // group box; its children's positions are relative to it
    OptionButton,  // one group per container
    CommandButton,
    PictureBox,  // a 32 x 32 icon on a button face; a push button for the mouse and the keys
};

// Settings that only some controls carry.
enum ControlFlag : unsigned {
    kNoFlags = 0,
    kSelected = 1u << 0,          // option button selected at creation
    kImeOff = 1u << 1,            // the input method is switched off in the box
    kCentred = 1u << 2,           // text centred horizontally
    kFlat = 1u << 3,              // drawn flat, without 3-D shading
    kBackgroundFilled = 1u << 4,  // paints its own background (labels are transparent otherwise)
};

// A control by its layout name and, for an element of a control array, its index.
struct ControlRef {
    std::string_view name{};
    int index = -1;
};

struct ControlDesign {
    ControlKind kind;
    std::string_view name;
    int index = -1;  // element of a control array (TextBox(3) -> name "TextBox", index 3)
    std::string_view caption{};
    TwipsRect rect{};
    FontDesign font{};
    Rgb foreColour{};
    Rgb backColour{255, 255, 255};
    int tabIndex = 0;
    bool tabStop = false;
    unsigned flags = kNoFlags;
    std::string_view container{};       // name of the frame that holds it; empty for the window
    std::string_view picture{};         // a picture box's icon, by name (icons::Picture)
    std::string_view accessibleName{};  // for screen readers, where the caption does not say it
    std::string_view description{};     // what the control does, for screen readers
    // A key that clicks the control, in Qt's portable text ("Alt+N"); shown in its tooltip and
    // its description, never in its caption.
    std::string_view shortcut{};
    // The control a label names: for screen readers (its name, without the caption's blanks,
    // unless it has a name of its own) and for the window's own code (a unit label's box).
    ControlRef buddy{};
};

// A menu of the window's menu bar and its items, by name and caption.
struct MenuItemDesign {
    std::string_view name;
    std::string_view caption;
};

struct MenuDesign {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuItemDesign> items;
};

enum class FrameStyle {
    FixedDialog,     // title bar with system menu and close box, no minimise or maximise
    FixedSingle,     // title bar with system menu, minimise and close boxes, no maximise
    FixedTitleOnly,  // title bar with the title only: no system menu, no boxes
    DialogNoTitle,   // no title bar at all, a thin dialog frame around the client area
};

enum class StartPosition {
    CentreScreen,  // centred on the screen (the windows are opened without an owner)
    Manual,        // client area's upper-left corner at `position`, from the screen's corner
};

struct FormDesign {
    std::string_view name{};
    std::string_view title{};
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    FrameStyle frameStyle = FrameStyle::FixedDialog;
    StartPosition startPosition = StartPosition::CentreScreen;
    int left = 0;  // twips, for StartPosition::Manual
    int top = 0;
    Rgb background{};
    std::string_view icon{};            // name of the window icon (icons::Picture)
    std::string_view accessibleName{};  // for screen readers, where the title does not say it
    std::span<const ControlDesign> controls;
    std::span<const MenuDesign> menus{};  // the menu bar above the client area; none if empty
};

// The object name a built control carries: "TextBox_3" for an array element, else its name.
std::string ControlObjectName(const ControlDesign& control);

}  // namespace tavo::forms
