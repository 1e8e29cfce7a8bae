#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Json.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Seams on the file operations of a persisted store, so tests can break a write half-way.
struct UserDefaultsFileHooks {
    // Replaces `to` by `from`; returns false on failure. Default: std::filesystem::rename.
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
    // How many bytes of `size` the write of the temporary file gets out before it fails;
    // default: all of them.
    std::function<std::size_t(std::size_t size)> writableBytes;
    // The most bytes the file may hold: a larger one is not read, and a change that would make
    // it larger is not stored.
    std::size_t maximumFileBytes = kMaxJsonFileBytes;
};

struct UserDefaultsObserverToken {
    uint64_t value = 0;
    friend bool operator==(const UserDefaultsObserverToken&,
                           const UserDefaultsObserverToken&) = default;
};

// The values of one preference domain. In memory, or persisted as a JSON file: each write
// replaces the file atomically (a temporary file in the same folder, flushed, then renamed), so
// a write that fails half-way leaves the previous file whole. A file that cannot be read back
// is moved aside to "<file>.corrupt" and logged, and the store starts empty.
class UserDefaults {
public:
    UserDefaults();
    explicit UserDefaults(std::filesystem::path file, UserDefaultsFileHooks hooks = {});
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    std::optional<PropertyValue> object(const std::string& key) const;
    // The stored value itself, shared rather than copied (a large one, like the Spaces
    // configuration, is read often); a later write replaces it and leaves this one as it was.
    std::shared_ptr<const PropertyValue> sharedObject(const std::string& key) const;
    std::optional<bool> boolValue(const std::string& key) const;
    std::optional<int64_t> integerValue(const std::string& key) const;
    std::optional<double> doubleValue(const std::string& key) const;
    std::optional<std::string> stringValue(const std::string& key) const;
    std::optional<Data> dataValue(const std::string& key) const;
    std::optional<PropertyArray> arrayValue(const std::string& key) const;
    std::optional<PropertyDictionary> dictionaryValue(const std::string& key) const;
    std::optional<std::vector<std::string>> stringArrayValue(const std::string& key) const;

    void set(const std::string& key, PropertyValue value);
    void remove(const std::string& key);
    bool contains(const std::string& key) const;
    std::vector<std::string> keys() const; // sorted
    PropertyDictionary dictionaryRepresentation() const;
    // Replaces every value at once (one file write); observers hear of each key that changed.
    void replaceAll(PropertyDictionary values);

    // Called after every write with the key written (set, or a remove of a present key).
    UserDefaultsObserverToken addObserver(std::function<void(const std::string& key)> observer);
    void removeObserver(UserDefaultsObserverToken token);

    // Writes the file again when the last write failed; true when the file holds the current
    // values (always true in memory).
    bool synchronize();

    const std::optional<std::filesystem::path>& file() const { return file_; }
    // False while persistence is off because an existing file could not be moved out of the
    // way; the store then never writes, so that file is never overwritten.
    bool isPersisting() const { return persisting_; }

private:
    struct Observer {
        UserDefaultsObserverToken token;
        std::function<void(const std::string&)> callback;
    };
    enum class Persisted { written, failed, tooLarge };
    void load();
    // A write that would make the file larger than its reader takes is never made.
    Persisted persistLocked();
    void notify(const std::vector<std::string>& keys);

    using SharedValues = std::map<std::string, std::shared_ptr<const PropertyValue>>;
    static SharedValues shared(PropertyDictionary values);
    PropertyDictionary plainValuesLocked() const;

    mutable std::mutex mutex_;
    SharedValues values_; // a read shares a value, so no read copies it
    std::optional<std::filesystem::path> file_;
    UserDefaultsFileHooks hooks_;
    bool persisting_ = false;
    bool dirty_ = false;
    std::vector<Observer> observers_;
    uint64_t nextObserverToken_ = 1;
};

} // namespace tessarin
