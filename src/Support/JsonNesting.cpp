#include "Support/JsonNesting.h"

#include "Support/Json.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tessarin {

namespace {

// The first few steps are enough to find the place; the rest is the same bracket many times.
constexpr std::size_t kNamedSteps = 4;

bool isPlainKey(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
}

// Follows the nesting of a SAX pass, remembering how each open container is reached from the
// one around it, and stops the pass once the nesting goes past the bound.
class NestingScan final : public Json::json_sax_t {
public:
    explicit NestingScan(std::size_t limit) : limit_(limit) {}
    std::optional<std::string> fault;

    bool null() override { return scalar(); }
    bool boolean(bool) override { return scalar(); }
    bool number_integer(number_integer_t) override { return scalar(); }
    bool number_unsigned(number_unsigned_t) override { return scalar(); }
    bool number_float(number_float_t, const string_t&) override { return scalar(); }
    bool string(string_t&) override { return scalar(); }
    bool binary(binary_t&) override { return scalar(); }
    bool start_object(std::size_t) override { return open(false); }
    bool key(string_t& name) override {
        key_ = name;
        keyPending_ = true;
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        malformedMember = placeBeingRead();
        return false;
    }

    std::optional<std::string> malformedMember;

private:
    std::size_t limit_;
    struct Container {
        bool isArray = false;
        std::size_t nextIndex = 0;
        std::string step; // how the container is reached from its parent
    };

    // The step to the value that starts now, from the container it is in.
    std::string step() {
        if (containers_.empty()) {
            return {};
        }
        Container& parent = containers_.back();
        if (parent.isArray) {
            return jsonIndexStep(parent.nextIndex++);
        }
        keyPending_ = false;
        return keyStep();
    }

    std::string keyStep() const {
        const std::string dot = containers_.size() > 1 ? "." : "";
        return isPlainKey(key_) ? dot + key_ : dot + "\"" + key_ + "\"";
    }

    // Where the reading stands: the open containers, then the element or the member whose
    // value comes next, if any.
    std::string placeBeingRead() const {
        std::string place;
        for (std::size_t i = 1; i < containers_.size(); ++i) {
            place += containers_[i].step;
        }
        if (containers_.empty()) {
            return place;
        }
        const Container& innermost = containers_.back();
        if (innermost.isArray) {
            place += jsonIndexStep(innermost.nextIndex);
        } else if (keyPending_) {
            place += keyStep();
        }
        return place;
    }

    bool scalar() {
        step();
        return true;
    }

    bool open(bool isArray) {
        containers_.push_back({isArray, 0, step()});
        if (containers_.size() <= limit_) {
            return true;
        }
        std::string place;
        for (std::size_t i = 1; i < containers_.size() && i <= kNamedSteps; ++i) {
            place += containers_[i].step;
        }
        fault = place + "...";
        return false;
    }

    bool close() {
        containers_.pop_back();
        return true;
    }

    std::vector<Container> containers_;
    std::string key_;
    bool keyPending_ = false; // a member's name was read, its value not yet begun
};

} // namespace

std::string jsonIndexStep(std::size_t index) {
    // Appended piecewise: GCC 12 warns (-Wrestrict) about the inlined `"[" + to_string + "]"`.
    std::string step = "[";
    step += std::to_string(index);
    step += ']';
    return step;
}

JsonTextScan scanJsonText(std::string_view text, std::size_t limit) {
    NestingScan scan(limit);
    try {
        Json::sax_parse(text.begin(), text.end(), &scan);
    } catch (const Json::exception&) {
        // Malformed text: the parse proper reports it.
    }
    if (scan.fault) {
        return {std::move(scan.fault), std::nullopt};
    }
    return {std::nullopt, std::move(scan.malformedMember)};
}

} // namespace tessarin
