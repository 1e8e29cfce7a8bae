#include "Platform/Scenario.h"

namespace tessarin {

namespace {

constexpr DisplayID kBuiltInDisplay = 1;
constexpr DisplayID kExternalDisplay = 3;
constexpr const char* kBuiltInUUID = "4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90";
constexpr const char* kExternalUUID = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";

constexpr int32_t kFinder = 412;
constexpr int32_t kSafari = 521;
constexpr int32_t kTerminal = 533;
constexpr int32_t kMail = 547;
constexpr int32_t kNotes = 562;
constexpr int32_t kControlCenter = 388;
constexpr int32_t kDock = 97;

// The desktop icons live far below every window.
constexpr int kDesktopIconLayer = -2147483603;
constexpr int kStatusLayer = 25;

ServerWindow window(int32_t pid, const char* owner, std::optional<std::string> title, Rect bounds,
                    std::vector<SpaceID> spaces) {
    ServerWindow w;
    w.ownerPID = pid;
    w.ownerName = owner;
    w.name = std::move(title);
    w.bounds = bounds;
    w.spaces = std::move(spaces);
    return w;
}

Json symbolicHotKeyEntry(int keyCode, int64_t flags, bool enabled) {
    return {
        {"enabled", enabled},
        {"value", {{"parameters", Json::array({65535, keyCode, flags})}, {"type", "standard"}}}};
}

Json defaultSymbolicHotKeys() {
    constexpr int64_t kControl = 0x40000;
    constexpr int64_t kControlArrow = 0x840000;
    Json table = Json::object();
    table["32"] = symbolicHotKeyEntry(126, kControlArrow, true);
    table["33"] = symbolicHotKeyEntry(125, kControlArrow, true);
    table["79"] = symbolicHotKeyEntry(123, kControlArrow, true);
    table["81"] = symbolicHotKeyEntry(124, kControlArrow, true);
    // Control-1 to Control-6 for the six desktops of the built-in display.
    const int digitKeyCodes[] = {18, 19, 20, 21, 23, 22};
    for (int n = 1; n <= 6; ++n) {
        table[std::to_string(117 + n)] = symbolicHotKeyEntry(digitKeyCodes[n - 1], kControl, true);
    }
    return {{"AppleSymbolicHotKeys", table}};
}

Json trackpadDomain() {
    return {{"TrackpadThreeFingerHorizSwipeGesture", 0}, {"TrackpadFourFingerHorizSwipeGesture", 2},
            {"TrackpadThreeFingerVertSwipeGesture", 0},  {"TrackpadFourFingerVertSwipeGesture", 2},
            {"TrackpadThreeFingerTapGesture", 0},        {"TrackpadThreeFingerDrag", false}};
}

} // namespace

Scenario Scenario::defaultScenario() {
    Scenario s;
    // A 1512x982 built-in display and a 2560x1440 display to its right, top edges aligned.
    s.displays = {
        {kBuiltInDisplay,
         kBuiltInUUID,
         "Built-in Retina Display",
         {0, 0, 1512, 982},
         {0, 70, 1512, 887},
         2.0},
        {kExternalDisplay,
         kExternalUUID,
         "Studio Display",
         {1512, -458, 2560, 1440},
         {1512, -458, 2560, 1415},
         1.0},
    };
    s.displaysHaveSeparateSpaces = true;
    s.spaceLists = {
        {kBuiltInUUID,
         {{3, kSpaceTypeUserDesktop, "", "Mail"},
          {4, kSpaceTypeUserDesktop, "", "Web"},
          {5, kSpaceTypeUserDesktop, "", "Research"},
          {6, kSpaceTypeUserDesktop, "", "Code"},
          {7, kSpaceTypeUserDesktop, "", std::nullopt},
          {8, kSpaceTypeUserDesktop, "", std::nullopt}},
         4},
        {kExternalUUID,
         {{9, kSpaceTypeUserDesktop, "", "Logs"},
          {10, kSpaceTypeUserDesktop, "", "Notes"},
          {11, kSpaceTypeUserDesktop, "", std::nullopt},
          {12, kSpaceTypeUserDesktop, "", std::nullopt}},
         9},
    };
    s.activeMenuBarDisplay = kBuiltInDisplay;
    s.mouseLocation = Point{756, 491};
    s.applications = {
        {kFinder, "com.apple.finder", "Finder"},
        {kDock, "com.apple.dock", "Dock"},
        {kControlCenter, "com.apple.controlcenter", "Control Center"},
        {kSafari, "com.apple.Safari", "Safari"},
        {kTerminal, "com.apple.Terminal", "Terminal"},
        {kMail, "com.apple.mail", "Mail"},
        {kNotes, "com.apple.Notes", "Notes"},
    };
    s.frontmostApplication = kSafari;

    // Window-server coordinates: the built-in display spans (0,0)-(1512,982), the external one
    // (1512,0)-(4072,1440). Front to back.
    ServerWindow clock =
        window(kControlCenter, "Control Center", std::nullopt, {1400, 0, 60, 24}, {3});
    clock.layer = kStatusLayer;
    clock.isSticky = true;
    s.windows.push_back(clock);
    s.windows.push_back(window(kSafari, "Safari", "Start Page", {80, 60, 1200, 820}, {4}));
    s.windows.push_back(window(kSafari, "Safari", "Release Notes", {120, 90, 1100, 760}, {5}));
    s.windows.push_back(window(kMail, "Mail", "Inbox – 12 messages", {40, 40, 1400, 880}, {3}));
    s.windows.push_back(
        window(kTerminal, "Terminal", "build — zsh — 120×40", {60, 80, 900, 600}, {6}));
    s.windows.push_back(
        window(kTerminal, "Terminal", "tests — zsh — 100×30", {700, 300, 760, 520}, {6}));
    s.windows.push_back(
        window(kTerminal, "Terminal", "server.log — tail", {1600, 80, 1400, 900}, {9}));
    s.windows.push_back(window(kNotes, "Notes", "Groceries", {1700, 120, 900, 700}, {10}));
    s.windows.push_back(window(kFinder, "Finder", "Downloads", {2000, 200, 1000, 640}, {11}));
    s.windows.push_back(window(kFinder, "Finder", "Projects", {200, 160, 900, 560}, {5}));
    // Sticky on a built-in Space: on every Space of the built-in display.
    ServerWindow icons = window(kFinder, "Finder", std::nullopt, {0, 0, 1512, 982}, {3});
    icons.layer = kDesktopIconLayer;
    icons.isSticky = true;
    s.windows.push_back(icons);

    s.accessibilityTrusted = true;
    s.screenCaptureAllowed = true;
    s.operatingSystemVersion = {15, 3, 0};
    s.appearance = Appearance::dark;
    s.preferenceDomains["com.apple.dock"] = {{"mru-spaces", false},
                                             {"showMissionControlGestureEnabled", true},
                                             {"showAppExposeGestureEnabled", false}};
    s.preferenceDomains["com.apple.symbolichotkeys"] = defaultSymbolicHotKeys();
    s.preferenceDomains["com.apple.AppleMultitouchTrackpad"] = trackpadDomain();
    s.preferenceDomains["com.apple.driver.AppleBluetoothMultitouch.trackpad"] = trackpadDomain();
    s.dockAnimationDuration = 0.3;
    s.dockProcessIdentifier = kDock;
    return s;
}

} // namespace tessarin
