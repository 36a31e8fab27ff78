// SPDX-License-Identifier: MIT
#include "layout_data.h"

#include <cstdio>
#include <string_view>

namespace tavo::forms {

std::string ControlObjectName(const ControlDesign& control) {
    std::string name(control.name);
    if (control.index >= 0) name += "_" + std::to_string(control.index);
    return name;
}

namespace {

std::string_view KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return "textBox";
        case ControlKind::MultiLineTextBox:
            return "multiLineTextBox";
        case ControlKind::Label:
            return "label";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::OptionButton:
            return "optionButton";
        case ControlKind::CommandButton:
            return "commandButton";
        case ControlKind::PictureBox:
            return "pictureBox";
    }
    return "";
}

std::string_view FrameStyleName(FrameStyle style) {
    switch (style) {
        case FrameStyle::FixedDialog:
            return "fixedDialog";
        case FrameStyle::FixedSingle:
            return "fixedSingle";
        case FrameStyle::FixedTitleOnly:
            return "fixedTitleOnly";
        case FrameStyle::DialogNoTitle:
            return "dialogNoTitle";
    }
    return "";
}

// Writes one JSON object member by member; the caller opens and closes the braces.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : m_out(out) {}

    void key(std::string_view name) {
        if (m_needComma) m_out += ',';
        m_needComma = true;
        string(name);
        m_out += ':';
    }
    void member(std::string_view name, std::string_view value) {
        key(name);
        string(value);
    }
    void member(std::string_view name, int value) {
        key(name);
        m_out += std::to_string(value);
    }
    void member(std::string_view name, bool value) {
        key(name);
        m_out += value ? "true" : "false";
    }
    void member(std::string_view name, Rgb colour) {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
        member(name, std::string_view(text));
    }
    // Opens a nested object or array after its key; the next member starts without a comma.
    void open(std::string_view name, char bracket) {
        key(name);
        m_out += bracket;
        m_needComma = false;
    }
    void close(char bracket) {
        m_out += bracket;
        m_needComma = true;
    }
    // An element of an array: a comma before all but the first.
    void element() {
        if (m_needComma) m_out += ',';
        m_needComma = false;
    }

private:
    void string(std::string_view text) {
        m_out += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                m_out += '\\';
                m_out += c;
            } else if (c == '\r') {
                m_out += "\\r";
            } else if (c == '\n') {
                m_out += "\\n";
            } else if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                m_out += escaped;
            } else {
                m_out += c;  // UTF-8 passes as it is
            }
        }
        m_out += '"';
    }

    std::string& m_out;
    bool m_needComma = false;
};

std::string RefId(const ControlRef& ref) {
    if (ref.name.empty()) return {};
    return ControlObjectName({.kind = ControlKind::Label, .name = ref.name, .index = ref.index});
}

void WriteControl(JsonWriter& json, const ControlDesign& control) {
    const auto flag = [&control](ControlFlag f) { return (control.flags & f) != 0; };
    const PixelRect rect = ToPixels(control.rect);
    json.member("id", ControlObjectName(control));
    json.member("name", control.name);
    json.member("index", control.index);
    json.member("kind", KindName(control.kind));
    json.member("caption", control.caption);
    json.member("x", rect.x);
    json.member("y", rect.y);
    json.member("width", rect.width);
    json.member("height", rect.height);
    json.open("font", '{');
    json.member("face", control.font.face);
    json.member("pixelSize", FontPixelSize(control.font.points));
    json.member("bold", control.font.bold);
    json.member("underline", control.font.underline);
    json.close('}');
    json.member("foreColour", control.foreColour);
    json.member("backColour", control.backColour);
    json.member("tabIndex", control.tabIndex);
    json.member("tabStop", control.tabStop);
    json.member("selected", flag(kSelected));
    json.member("imeOff", flag(kImeOff));
    json.member("centred", flag(kCentred));
    json.member("flat", flag(kFlat));
    json.member("backgroundFilled", flag(kBackgroundFilled));
    json.member("container", RefId({control.container}));
    json.member("picture", control.picture);
    json.member("accessibleName", control.accessibleName);
    json.member("description", control.description);
    json.member("shortcut", control.shortcut);
    json.member("buddy", RefId(control.buddy));
}

}  // namespace

std::string LayoutJson(const FormDesign& design) {
    std::string out = "{";
    JsonWriter json(out);
    json.member("name", design.name);
    json.member("title", design.title);
    json.member("accessibleName", design.accessibleName);
    json.member("frameStyle", FrameStyleName(design.frameStyle));
    json.member("startPosition", design.startPosition == StartPosition::Manual
                                     ? std::string_view("manual")
                                     : std::string_view("centreScreen"));
    json.member("left", TwipsToPixels(design.left));
    json.member("top", TwipsToPixels(design.top));
    json.member("width", TwipsToPixels(design.clientWidth));
    json.member("height", TwipsToPixels(design.clientHeight));
    json.member("background", design.background);
    json.member("icon", design.icon);
    json.open("menus", '[');
    for (const MenuDesign& menu : design.menus) {
        json.element();
        out += '{';
        json.member("name", menu.name);
        json.member("caption", menu.caption);
        json.open("items", '[');
        for (const MenuItemDesign& item : menu.items) {
            json.element();
            out += '{';
            json.member("name", item.name);
            json.member("caption", item.caption);
            json.close('}');
        }
        json.close(']');
        json.close('}');
    }
    json.close(']');
    json.open("controls", '[');
    for (const ControlDesign& control : design.controls) {
        json.element();
        out += '{';
        WriteControl(json, control);
        json.close('}');
    }
    json.close(']');
    out += '}';
    return out;
}

}  // namespace tavo::forms
