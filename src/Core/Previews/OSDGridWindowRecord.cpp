#include "Core/Previews/OSDGridWindowRecord.h"

#include <algorithm>

namespace tessarin {

double OSDGridWindowRecord::area() const {
    return std::max(bounds.size.width, 0.0) * std::max(bounds.size.height, 0.0);
}

OSDGridWindowRecordFields OSDGridWindowRecord::diagnosticFields() const {
    OSDGridWindowRecordFields fields;
    fields.windowID = windowID;
    fields.processIdentifier = processIdentifier;
    fields.zIndex = static_cast<int>(zIndex);
    if (onScreenIndex) {
        fields.onScreenIndex = static_cast<int>(*onScreenIndex);
    }
    fields.layer = static_cast<int>(layer);
    fields.isOnScreen = isOnScreen;
    fields.alpha = alpha;
    fields.sharingState = static_cast<int>(sharingState);
    fields.bounds = bounds;
    fields.ownerName = ownerName;
    fields.title = title;
    return fields;
}

std::vector<OSDGridWindowRecordFields>
OSDGridWindowRecord::diagnosticFields(const std::vector<OSDGridWindowRecord>& records) {
    std::vector<OSDGridWindowRecordFields> fields;
    fields.reserve(records.size());
    for (const OSDGridWindowRecord& record : records) {
        fields.push_back(record.diagnosticFields());
    }
    return fields;
}

} // namespace tessarin
