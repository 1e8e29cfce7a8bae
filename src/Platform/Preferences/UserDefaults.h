#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Json.h"

#include <chrono>
#include <condition_variable>
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

class DefaultsFileLock;
class DefaultsWriterThread;

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
    // How long a write that waits for another process's lock waits before it says so; it goes
    // on waiting, as nothing is written without the lock.
    std::chrono::milliseconds lockWait{250};
    // How long the store, when it goes (at quit), waits for a write still waiting for the lock.
    std::chrono::milliseconds finalWait{2000};
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
// kept. No write is made without the lock: while another process holds it, the change waits on
// a thread of the store's own and is written once the lock is let go, so the thread that made
// the change never waits on another process. What other processes stored reaches this store at
// its next write or `synchronize`, and its observers hear of each such key as of any change.
// Temporary files that writers of this file left when they were killed half-way are removed at
// the start and at each write. A file kept as a symbolic link is
// written at the link's target. A file that cannot be read back is moved aside to
// "<file>.corrupt" and logged, and the store starts empty.
class UserDefaults {
public:
    UserDefaults();
    explicit UserDefaults(std::filesystem::path file, UserDefaultsFileHooks hooks = {});
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;
    // Waits at most `finalWait` for a write still waiting for the lock, and says when it could
    // not be made.
    ~UserDefaults();

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
    // (always true in memory). Never waits on another process: a write that must wait for the
    // lock is left to the store's thread, and this answers false until it is made.
    bool synchronize();
    // Waits at most `wait` for a write waiting for another process's lock; true when the file
    // holds the current values.
    bool flush(std::chrono::milliseconds wait);

    const std::optional<std::filesystem::path>& file() const { return file_; }
    // False while persistence is off because an existing file could not be moved out of the
    // way; the store then never writes, so that file is never overwritten.
    bool isPersisting() const { return persisting_; }

private:
    struct Observer {
        UserDefaultsObserverToken token;
        std::function<void(const std::string&)> callback;
    };
    enum class Persisted { written, failed, tooLarge, waiting };
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
    // The write itself, with the file's lock held.
    Persisted writeHeldLocked(const std::filesystem::path& target,
                              std::vector<std::string>& external);
    // Leaves the change to the store's thread, which waits for the lock.
    Persisted handToWriterLocked();
    // On the store's thread: one wait for the lock, and the write once it is held; true when
    // there is nothing more to wait for.
    bool attemptWaitingWrite();
    void finishWaitingWrite(const std::string& failure);
    // A change that made the file too large, found by the store's thread: the file's values
    // stand and the change is dropped.
    void dropPendingLocked(const std::filesystem::path& target, std::vector<std::string>& external);
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

    // The write waiting for another process's lock. Only the store's thread touches the lock.
    bool writerBusy_ = false;
    std::condition_variable writerDone_;
    std::vector<std::string> unreported_; // keys the store's thread took in from the file
    std::unique_ptr<DefaultsFileLock> waitingLock_;
    std::filesystem::path waitingTarget_;
    std::chrono::steady_clock::time_point waitingSince_;
    bool saidWaiting_ = false;
    std::unique_ptr<DefaultsWriterThread> writer_; // last: stopped before the rest goes
};

} // namespace tessarin
