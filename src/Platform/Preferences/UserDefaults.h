#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Json.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
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
    // How long a write waits for another process's write of the same file before it goes on
    // without the lock (and says so).
    std::chrono::milliseconds lockWait{2000};
};

struct UserDefaultsObserverToken {
    uint64_t value = 0;
    friend bool operator==(const UserDefaultsObserverToken&,
                           const UserDefaultsObserverToken&) = default;
};

// The values of one preference domain. In memory, or persisted as a JSON file that several
// processes may share: each write takes the file's lock, reads what the file holds now, puts
// this store's changes and removals since its last write onto it and replaces the file
// atomically (a temporary file of its own in the same folder, flushed, then renamed), so a
// write that fails half-way leaves the previous file whole and a key another process stored is
// kept. What other processes stored reaches this store at its next write or `synchronize`, and
// its observers hear of each such key as of any change. A file kept as a symbolic link is
// written at the link's target. A file that cannot be read back is moved aside to
// "<file>.corrupt" and logged, and the store starts empty.
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

    // Writes the file again when the last write failed, and takes in what other processes
    // stored since this store last read it; true when the file holds the current values
    // (always true in memory).
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
    // The file's identity and last change, to tell whether another process replaced it.
    struct FileStamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t modifiedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    static FileStamp stampOf(const std::filesystem::path& file);
    static FileStamp stampOf(const struct stat& status);
    void load();
    // A write that would make the file larger than its reader takes is never made. Keys that
    // other processes changed meanwhile are added to `external`.
    Persisted persistLocked(std::vector<std::string>& external);
    Persisted failedLocked(const std::string& reason);
    // What the file holds now to write onto; none when it cannot be read and cannot be moved
    // aside either.
    std::optional<PropertyDictionary> currentFileValuesLocked(const std::filesystem::path& target);
    PropertyDictionary mergedLocked(PropertyDictionary onto) const;
    void adoptLocked(const PropertyDictionary& stored, std::vector<std::string>& external);
    void refreshLocked(std::vector<std::string>& external);
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
    std::set<std::string> pending_; // set or removed here since the last write
    bool replacesWhole_ = false;    // replaceAll: the next write stores exactly these values
    FileStamp seen_;                // the file as this store last read or wrote it
    std::string lastFailure_;       // a failure is logged once, not at each write it repeats
    std::vector<Observer> observers_;
    uint64_t nextObserverToken_ = 1;
};

} // namespace tessarin
