#pragma once

#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tessarin::testing {

using Stored = std::optional<PropertyValue>;

// A store holding only the given values; an absent value leaves its key unset.
inline std::unique_ptr<UserDefaults>
storeWith(std::initializer_list<std::pair<const char*, Stored>> values) {
    auto defaults = std::make_unique<UserDefaults>();
    for (const auto& [key, value] : values) {
        if (value) {
            defaults->set(key, *value);
        }
    }
    return defaults;
}

// For each row: what `read` gives for a store holding only the row's value under `key`.
template <class T, class Read>
void expectReads(const char* key, Read read, std::vector<std::pair<Stored, T>> rows) {
    SCOPED_TRACE(key);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(read(*storeWith({{key, rows[row].first}})), rows[row].second) << "row " << row;
    }
}

} // namespace tessarin::testing
