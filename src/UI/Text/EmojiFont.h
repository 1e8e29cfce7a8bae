#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QTextDocument;

namespace tessarin::EmojiFont {

// The installed colour emoji family, if there is one.
std::optional<QString> family();

// Where `text` holds emoji sequences: a pictograph with the joiners, the code points they join,
// the presentation selectors and skin tones that follow it, as (start, length) in UTF-16 units.
std::vector<std::pair<int, int>> sequences(const QString& text);

// Sets every emoji sequence of `document` in the colour emoji family alone. A sequence whose
// parts another font also has (the male sign of a man bowing) would otherwise be drawn as its
// parts in two fonts rather than as the one glyph the emoji font joins them into. Without an
// emoji font nothing changes.
void apply(QTextDocument& document);

} // namespace tessarin::EmojiFont
