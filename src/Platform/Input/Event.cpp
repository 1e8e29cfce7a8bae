#include "Platform/Input/Event.h"

#include <ostream>

namespace tessarin {

int64_t Event::integerValue(uint32_t field) const {
    auto it = integerFields.find(field);
    return it == integerFields.end() ? 0 : it->second;
}

double Event::doubleValue(uint32_t field) const {
    auto it = doubleFields.find(field);
    return it == doubleFields.end() ? 0.0 : it->second;
}

void Event::setIntegerValue(uint32_t field, int64_t value) {
    integerFields[field] = value;
}

void Event::setDoubleValue(uint32_t field, double value) {
    doubleFields[field] = value;
}

uint16_t Event::keyCode() const {
    return static_cast<uint16_t>(integerValue(EventField::keyboardEventKeycode));
}

Event Event::keyboard(uint16_t keyCode, bool keyDown, uint64_t flags) {
    Event event;
    event.type = keyDown ? EventType::keyDown : EventType::keyUp;
    event.flags = flags;
    event.setIntegerValue(EventField::keyboardEventKeycode, keyCode);
    return event;
}

Event Event::mouse(uint32_t type, Point location, MouseButton button, uint64_t flags) {
    Event event;
    event.type = type;
    event.flags = flags;
    event.location = location;
    event.setIntegerValue(EventField::mouseEventButtonNumber, static_cast<int64_t>(button));
    return event;
}

std::ostream& operator<<(std::ostream& stream, const Event& event) {
    stream << "Event{type=" << event.type << " flags=0x" << std::hex << event.flags << std::dec
           << " location=(" << event.location.x << "," << event.location.y << ")";
    for (const auto& [field, value] : event.integerFields) {
        stream << " " << field << "=" << value;
    }
    for (const auto& [field, value] : event.doubleFields) {
        stream << " " << field << "=" << value;
    }
    if (!event.characters.empty()) {
        stream << " characters=\"" << event.characters << "\"";
    }
    return stream << "}";
}

bool isMouseDownType(uint32_t type) {
    return type == EventType::leftMouseDown || type == EventType::rightMouseDown ||
           type == EventType::otherMouseDown;
}

} // namespace tessarin
