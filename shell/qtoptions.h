#pragma once

// Qt's own options, which the window's application takes out of argv itself, one dash or two; the command
// line lets them pass for the window.
namespace vellora {

struct QtOption
{
    const char *name;
    bool valued;
};

inline constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},        {"qwindowtitle", true},  {"session", true},
    {"display", true},         {"geometry", true},           {"style", true},         {"stylesheet", true},
    {"qmljsdebugger", false},  {"reverse", false},           {"widgetcount", false},  {"nograb", false},
    {"dograb", false},
};

} // namespace vellora
