#include "Core/Previews/OSDGridWindowDiagnostics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <algorithm>
#include <cstdio>

namespace tessarin::OSDGridWindowDiagnostics {

namespace {

const Logger& logger() {
    static const Logger instance("WindowPreview");
    return instance;
}

std::string decimal(double value, const char* format) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string formatRect(const std::optional<Rect>& rect) {
    if (!rect) {
        return "nil";
    }
    return "{x=" + decimal(rect->origin.x, "%.1f") + " y=" + decimal(rect->origin.y, "%.1f") +
           " w=" + decimal(rect->width(), "%.1f") + " h=" + decimal(rect->height(), "%.1f") + "}";
}

std::string quoted(const std::optional<std::string>& text) {
    std::string result = "\"";
    for (char c : text.value_or("")) {
        switch (c) {
        case '\\':
            result += "\\\\";
            break;
        case '"':
            result += "\\\"";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        default:
            result += c;
        }
    }
    return result + "\"";
}

template <typename Container> std::string formatIDs(const Container& ids) {
    std::vector<std::uint64_t> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    std::string result = "[";
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        result += (i ? "," : "") + std::to_string(sorted[i]);
    }
    return result + "]";
}

std::string optionalIndex(const std::optional<int>& index) {
    return index ? std::to_string(*index) : "nil";
}

// One log line: "event=" and the name, then " key=value" per field in the order added.
class Line {
public:
    explicit Line(const std::string& event) : text_("event=" + event) {}
    Line& field(const std::string& key, const std::string& value) {
        text_ += " " + key + "=" + value;
        return *this;
    }
    Line& field(const std::string& key, long long value) {
        return field(key, std::to_string(value));
    }
    // Written only while the switch is on, so a line switched off mid-list is dropped.
    void write() const {
        if (isEnabled()) {
            logger().debug(text_);
        }
    }

private:
    std::string text_;
};

void appendFields(Line& line, const OSDGridWindowRecordFields& r) {
    line.field("id", r.windowID)
        .field("pid", r.processIdentifier)
        .field("listIndex", r.zIndex)
        .field("onScreenIndex", optionalIndex(r.onScreenIndex))
        .field("layer", r.layer)
        .field("onScreen", r.isOnScreen ? "true" : "false")
        .field("alpha", decimal(r.alpha, "%.2f"))
        .field("sharing", r.sharingState)
        .field("area", decimal(nonNegativeArea(r.bounds), "%.1f"))
        .field("bounds", formatRect(r.bounds))
        .field("owner", quoted(r.ownerName))
        .field("title", quoted(r.title));
}

void appendFields(Line& line, const OSDGridWindowPreviewCandidateFields& c) {
    line.field("id", c.windowID)
        .field("listIndex", c.zIndex)
        .field("onScreenIndex", optionalIndex(c.onScreenIndex))
        .field("area", decimal(nonNegativeArea(c.bounds), "%.1f"))
        .field("bounds", formatRect(c.bounds))
        .field("bundle", quoted(c.bundleIdentifier))
        .field("app", quoted(c.appDisplayName))
        .field("title", quoted(c.windowTitle));
}

void appendFields(Line& line, const OSDGridWindowRenderCandidateFields& c) {
    line.field("id", c.windowID)
        .field("listIndex", c.zIndex)
        .field("onScreenIndex", optionalIndex(c.onScreenIndex))
        .field("area", decimal(c.area, "%.1f"))
        .field("scale", decimal(c.captureScale, "%.1f"))
        .field("bounds", formatRect(c.bounds))
        .field("bundle", quoted(c.bundleIdentifier))
        .field("app", quoted(c.appDisplayName));
}

void appendFields(Line& line, const OSDGridRenderableWindowPreview& p) {
    line.field("id", p.windowID ? std::to_string(*p.windowID) : "unknown")
        .field("listIndex", p.zIndex)
        .field("onScreenIndex", optionalIndex(p.onScreenIndex))
        .field("area", decimal(p.area, "%.1f"))
        .field("bounds", formatRect(p.bounds))
        .field("size", "{w=" + std::to_string(p.image.width()) +
                           " h=" + std::to_string(p.image.height()) + "}")
        .field("bundle", quoted(p.bundleIdentifier))
        .field("app", quoted(p.appDisplayName));
}

// Record a is painted before record b: lower list index, then larger area, then lower ID.
bool paintFirstRecordPrecedence(const OSDGridWindowRecordFields& a,
                                const OSDGridWindowRecordFields& b) {
    if (a.zIndex != b.zIndex) {
        return a.zIndex < b.zIndex;
    }
    const double areaA = nonNegativeArea(a.bounds);
    const double areaB = nonNegativeArea(b.bounds);
    if (areaA != areaB) {
        return areaA > areaB;
    }
    return a.windowID < b.windowID;
}

constexpr const char* kPaintOrder = "paint-first-to-last";

} // namespace

bool isEnabled() {
    return isEnvironmentSwitchOn("TESSARIN_WINDOW_DEBUG");
}

void debugWindowRecords(const std::vector<OSDGridWindowRecordFields>& records,
                        const std::string& stage) {
    if (!isEnabled()) {
        return;
    }
    Line("window.records").field("stage", stage).field("count", std::ssize(records)).write();
    for (std::size_t i = 0; i < records.size(); ++i) {
        Line line("window.record");
        line.field("stage", stage).field("index", static_cast<long long>(i));
        appendFields(line, records[i]);
        line.write();
    }
}

void debugWindowsBySpaceID(
    const std::map<SpaceID, std::vector<OSDGridWindowRecordFields>>& recordsBySpaceID,
    const std::map<SpaceID, std::set<std::uint32_t>>& previewWindowIDsBySpaceID,
    const std::set<SpaceID>& visibleSpaceIDs, const std::string& displayIdentifier) {
    if (!isEnabled()) {
        return;
    }
    Line("window.records.by-space")
        .field("display", displayIdentifier)
        .field("visible", formatIDs(visibleSpaceIDs))
        .field("spacesWithWindows", std::ssize(recordsBySpaceID))
        .write();
    std::set<SpaceID> spaces = visibleSpaceIDs;
    for (const auto& [spaceID, records] : recordsBySpaceID) {
        spaces.insert(spaceID);
    }
    for (SpaceID spaceID : spaces) {
        const auto found = recordsBySpaceID.find(spaceID);
        auto records = found == recordsBySpaceID.end() ? std::vector<OSDGridWindowRecordFields>{}
                                                       : found->second;
        const auto previewIDs = previewWindowIDsBySpaceID.contains(spaceID)
                                    ? previewWindowIDsBySpaceID.at(spaceID)
                                    : std::set<std::uint32_t>{};
        Line("window.records.space")
            .field("display", displayIdentifier)
            .field("space", std::to_string(spaceID))
            .field("count", std::ssize(records))
            .field("previewWindowIDs", formatIDs(previewIDs))
            .field("order", kPaintOrder)
            .write();
        std::stable_sort(records.begin(), records.end(), paintFirstRecordPrecedence);
        for (std::size_t i = 0; i < records.size(); ++i) {
            Line line("window.record.space");
            line.field("display", displayIdentifier)
                .field("space", std::to_string(spaceID))
                .field("index", static_cast<long long>(i))
                .field("previewCandidate",
                       previewIDs.contains(records[i].windowID) ? "true" : "false");
            appendFields(line, records[i]);
            line.write();
        }
    }
}

void debugPreviewCandidates(const std::vector<OSDGridWindowPreviewCandidateFields>& candidates,
                            const std::string& stage, const std::string& displayIdentifier,
                            SpaceID spaceID, int visualIndex) {
    if (!isEnabled()) {
        return;
    }
    Line("window.preview.candidates")
        .field("stage", stage)
        .field("display", displayIdentifier)
        .field("space", std::to_string(spaceID))
        .field("visualIndex", visualIndex)
        .field("count", std::ssize(candidates))
        .field("order", kPaintOrder)
        .write();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        Line line("window.preview.candidate");
        line.field("stage", stage)
            .field("display", displayIdentifier)
            .field("space", std::to_string(spaceID))
            .field("index", static_cast<long long>(i));
        appendFields(line, candidates[i]);
        line.write();
    }
}

void debugRenderCandidates(const std::vector<OSDGridWindowRenderCandidateFields>& candidates,
                           const std::string& stage,
                           const std::optional<std::string>& displayIdentifier,
                           const std::optional<Rect>& displayFrame) {
    if (!isEnabled()) {
        return;
    }
    Line("window.preview.render-candidates")
        .field("stage", stage)
        .field("display", displayIdentifier.value_or("unknown"))
        .field("displayFrame", formatRect(displayFrame))
        .field("count", std::ssize(candidates))
        .field("order", kPaintOrder)
        .write();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        Line line("window.preview.render-candidate");
        line.field("stage", stage).field("index", static_cast<long long>(i));
        appendFields(line, candidates[i]);
        line.write();
    }
}

void debugRenderablePreviews(const std::vector<OSDGridRenderableWindowPreview>& previews,
                             const std::string& stage, const std::optional<Rect>& displayFrame) {
    if (!isEnabled()) {
        return;
    }
    Line("window.preview.renderables")
        .field("stage", stage)
        .field("displayFrame", formatRect(displayFrame))
        .field("count", std::ssize(previews))
        .field("order", stage == "compose.draw-order" ? kPaintOrder : "index-order")
        .write();
    for (std::size_t i = 0; i < previews.size(); ++i) {
        Line line("window.preview.renderable");
        line.field("stage", stage).field("index", static_cast<long long>(i));
        appendFields(line, previews[i]);
        line.write();
    }
}

} // namespace tessarin::OSDGridWindowDiagnostics
