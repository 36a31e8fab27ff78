// SPDX-License-Identifier: MIT
#include "command_line.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tavo::app {

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitMisuse = 2;

// The options QApplication reads itself (each also with two dashes, and those with a value
// also as -name=value, which is handed to Qt as -name value). The ones with a description
// are listed by --help; the others are accepted quietly, as a session manager or a
// debugging tool may pass them.
struct QtOption {
    std::string_view name;
    std::string_view value;  // empty: a flag
    std::string_view description;
};

constexpr std::array kQtOptions{
    QtOption{"platform", "NAME", "windowing system: wayland, xcb, offscreen, minimal, vnc, ..."},
    QtOption{"display", "DISPLAY", "X display to open (X11 only)"},
    QtOption{"style", "STYLE", "widget style, e.g. Fusion or Windows"},
    QtOption{"stylesheet", "FILE", "style sheet to apply"},
    QtOption{"platformtheme", "NAME", "platform theme"},
    QtOption{"reverse", "", "right-to-left layout"},
    QtOption{"plugin", "NAME", "additional input plugin"},
    QtOption{"platformpluginpath", "PATH", ""},
    QtOption{"qwindowgeometry", "GEOMETRY", ""},
    QtOption{"geometry", "GEOMETRY", ""},
    QtOption{"qwindowtitle", "TITLE", ""},
    QtOption{"title", "TITLE", ""},
    QtOption{"qwindowicon", "ICON", ""},
    QtOption{"icon", "ICON", ""},
    QtOption{"name", "NAME", ""},
    QtOption{"session", "ID", ""},
    QtOption{"qmljsdebugger", "SETTINGS", ""},
    QtOption{"widgetcount", "", ""},
    QtOption{"nograb", "", ""},
    QtOption{"dograb", "", ""},
    QtOption{"sync", "", ""},
    QtOption{"testability", "", ""},
};

const QtOption* FindQtOption(std::string_view name) {
    for (const QtOption& option : kQtOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

void PrintUsage() {
    std::printf(
        "Usage: tavometr [OPTION]\n"
        "度量衡変換 (TAVOMETR) %s: converts lengths, masses, areas and volumes between\n"
        "Japanese, metric, imperial and astronomical units.\n"
        "長さ・質量・面積・体積を尺貫法・メートル法・ヤードポンド法などの単位に換算します。\n"
        "\n"
        "Options:\n"
        "  -h, --help             print this help and exit / この説明を表示して終了\n"
        "  -v, --version          print the version and exit / 版を表示して終了\n"
        "\n"
        "Qt options (also with two dashes):\n",
        TAVO_VERSION);
    for (const QtOption& option : kQtOptions) {
        if (option.description.empty()) continue;
        const std::string synopsis = "-" + std::string(option.name) +
                                     (option.value.empty() ? "" : " " + std::string(option.value));
        std::printf("  %-21s  %.*s\n", synopsis.c_str(),
                    static_cast<int>(option.description.size()), option.description.data());
    }
    std::printf(
        "\n"
        "See tavometr(1) for the windows, keys and factors.\n"
        "ウィンドウ・キー操作・換算係数は tavometr(1) を参照してください。\n");
}

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The plugin name of a platform with its options: "vnc:size=800x600" -> "vnc".
std::string_view PluginName(std::string_view platform) {
    return platform.substr(0, platform.find(':'));
}

bool NeedsDisplay(std::string_view plugin) {
    return plugin == "xcb" || plugin.starts_with("wayland");
}

// Qt's Wayland client connects to "wayland-0" in XDG_RUNTIME_DIR when WAYLAND_DISPLAY is not
// set, so that socket counts as a display for a Wayland platform.
bool DefaultWaylandSocketExists() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') return false;
    const std::string socket = std::string(runtime) + "/wayland-0";
    struct stat status {};
    return ::stat(socket.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// Whether Qt will find something to show the windows on: a platform that needs no display
// among those chosen (-platform, else QT_QPA_PLATFORM, a ";"-separated list Qt tries in
// turn), or a display for the one that does.
bool CanOpenDisplay(std::string_view platformOption, bool displayOption) {
    std::string_view platforms = platformOption;
    if (platforms.empty()) {
        const char* variable = std::getenv("QT_QPA_PLATFORM");
        platforms = variable != nullptr ? variable : "";
    }
    bool wayland = false;
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        const std::string_view plugin = PluginName(platforms.substr(0, end));
        if (!plugin.empty() && !NeedsDisplay(plugin)) return true;
        wayland = wayland || plugin.starts_with("wayland");
        platforms.remove_prefix(end == std::string_view::npos ? platforms.size() : end + 1);
    }
    return displayOption || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") ||
           (wayland && DefaultWaylandSocketExists());
}

int Misuse(const std::string& message) {
    std::fprintf(stderr,
                 "tavometr: %s\nTry 'tavometr --help' for more information. / 使い方は "
                 "tavometr --help で表示されます。\n",
                 message.c_str());
    return kExitMisuse;
}

}  // namespace

void QtCommandLine::Append(std::string_view argument) {
    m_arguments.emplace_back(argument);
    m_argc = static_cast<int>(m_arguments.size());
}

char** QtCommandLine::Argv() {
    m_argv.clear();
    for (std::string& argument : m_arguments) m_argv.push_back(argument.data());
    m_argv.push_back(nullptr);
    return m_argv.data();
}

std::optional<int> HandleCommandLine(int argc, const char* const* argv, QtCommandLine& qt) {
    std::string_view platform;
    bool display = false;
    qt.Append(argc > 0 ? argv[0] : "tavometr");
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help" || argument == "-help") {
            PrintUsage();
            return 0;
        }
        if (argument == "-v" || argument == "--version" || argument == "-version") {
            std::printf("tavometr %s\n", TAVO_VERSION);
            return 0;
        }
        if (argument.size() < 2 || argument.front() != '-') {
            return Misuse("unexpected argument '" + std::string(argument) + "'");
        }
        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        std::string_view value;
        const std::size_t equals = name.find('=');
        const bool joined = equals != std::string_view::npos;
        if (joined) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const QtOption* option = FindQtOption(name);
        if (option == nullptr) return Misuse("unknown option '" + std::string(argument) + "'");
        if (option->value.empty()) {
            if (joined) return Misuse("option '-" + std::string(name) + "' takes no value");
            qt.Append(argument);
            continue;
        }
        if (!joined) {
            if (i + 1 >= argc)
                return Misuse("option '" + std::string(argument) + "' needs a value");
            value = argv[++i];
        }
        qt.Append("-" + std::string(name));
        qt.Append(value);
        if (name == "platform") platform = value;
        if (name == "display") display = true;
    }

    if (!CanOpenDisplay(platform, display)) {
        std::fprintf(stderr,
                     "tavometr: ディスプレイがありません (DISPLAY も WAYLAND_DISPLAY も未設定) / "
                     "no display: neither DISPLAY nor WAYLAND_DISPLAY is set "
                     "(-platform offscreen runs without one)\n");
        return kExitNoDisplay;
    }
    return std::nullopt;
}

}  // namespace tavo::app
