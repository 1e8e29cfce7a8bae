#include "Support/Uuid.h"

#include "Support/Text.h"

#include <QByteArray>
#include <QUuid>
#include <algorithm>

namespace tessarin {

namespace {

constexpr std::size_t kTextLength = 36; // 8-4-4-4-12 with hyphens
constexpr std::string_view kNilText = "00000000-0000-0000-0000-000000000000";

Uuid fromQUuid(const QUuid& uuid) {
    const QByteArray data = uuid.toRfc4122();
    std::array<std::uint8_t, 16> bytes{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(data.constData()), bytes.size(),
                bytes.begin());
    return Uuid(bytes);
}

} // namespace

Uuid Uuid::random() {
    return fromQUuid(QUuid::createUuid());
}

std::optional<Uuid> Uuid::fromString(std::string_view text) {
    const std::string trimmed = trimmingWhitespaceAndNewlines(text);
    // QUuid also reads braced forms; only the bare hyphenated one is a UUID string here.
    if (trimmed.size() != kTextLength) {
        return std::nullopt;
    }
    const QUuid uuid = QUuid::fromString(QLatin1StringView(trimmed.data(), trimmed.size()));
    // A text QUuid cannot read comes back nil, like the nil UUID's own text.
    if (uuid.isNull() && trimmed != kNilText) {
        return std::nullopt;
    }
    return fromQUuid(uuid);
}

std::string Uuid::uuidString() const {
    const QByteArray data(reinterpret_cast<const char*>(bytes_.data()),
                          static_cast<qsizetype>(bytes_.size()));
    return QUuid::fromRfc4122(data).toString(QUuid::WithoutBraces).toUpper().toStdString();
}

bool Uuid::isNil() const {
    return std::all_of(bytes_.begin(), bytes_.end(), [](std::uint8_t byte) { return byte == 0; });
}

} // namespace tessarin
