#pragma once

#include "Platform/Preferences/DefaultsFileMerge.h"
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
    // on waiting, as nothing is written without a lock that can be had.
    std::chrono::milliseconds lockWait{250};
    // How long the store, when it goes (at quit), waits for a write still under way.
    std::chrono::milliseconds finalWait{2000};
    // The user's private folder, for a lock of the store's own when the lock beside the file
    // cannot be used; none when there is no such folder. Default: the running copy's folder.
    std::function<std::optional<std::filesystem::path>()> privateFolder = {};
};

struct UserDefaultsObserverToken {
    uint64_t value = 0;
    friend bool operator==(const UserDefaultsObserverToken&,
                           const UserDefaultsObserverToken&) = default;
};

// The values of one preference domain. In memory, or persisted as a JSON file that several
// processes may share. A change is made in memory at once and written by a thread of the
// store's own, so the thread that made it never waits for a write or for another process: that
// thread takes the file's lock (a fair line, see DefaultsFileLock), reads what the file holds
// now, puts this store's changes and removals onto it and replaces the file atomically (a
// temporary file of its own in the same folder, flushed, then renamed), so a write that fails
// half-way leaves the previous file whole and a key another process stored is kept. No write is
// made without the lock while it can be had; while another process holds it, the change waits.
// A lock file that cannot be used at all (a link, a folder, another user's) costs no change:
// the writes go under a lock of the store's own in the user's private folder, said once. What
// other processes stored reaches this store at its next write or `synchronize`, and its
// observers hear of each such key at the next `synchronize`. Temporary files that writers of
// this file left when they were killed half-way are removed the first time the store holds the
// lock, when no writer has one under way. A file kept as a symbolic link is written at the
// link's target. A file that cannot be read back is moved aside to "<file>.corrupt" and logged,
// and the store starts empty.
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

    // Called on the changing thread after every change with its key (set, or a remove of a
    // present key), and at `synchronize` with each key another process changed.
    UserDefaultsObserverToken addObserver(std::function<void(const std::string& key)> observer);
    void removeObserver(UserDefaultsObserverToken token);

    // Writes the file again when the last write failed, takes in what other processes stored
    // since this store last read it and tells the observers of the keys the store's thread took
    // in; true when the file holds the current values (always true in memory). Never waits: a
    // write still to be made answers false until the store's thread has made it.
    bool synchronize();
    // Waits at most `wait` for the writes still to be made; true when the file holds the
    // current values.
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
    // The file's identity and last change, to tell whether another process replaced it.
    struct FileStamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t modifiedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    // What one write puts onto the file, taken from the store when the write begins.
    struct WriteOrder {
        std::filesystem::path target;
        std::vector<DefaultsChange> changes;
        std::map<std::string, uint64_t> numbers; // each change's number, to tell a later one
        bool replacesWhole = false;
        uint64_t upTo = 0; // the last change this write holds
    };
    static FileStamp stampOf(const std::filesystem::path& file);
    void load();
    bool isDirtyLocked() const { return !pending_.empty() || replacesWhole_; }
    // Hands what changed to the store's thread.
    void scheduleWriteLocked();
    // On the store's thread: one go at writing what changed; true when there is nothing more to
    // do until the next change.
    bool attemptWrite();
    std::optional<WriteOrder> takeWriteOrder();
    // Waits a short while for the lock; false while another process holds it.
    bool holdLockFor(const std::filesystem::path& target);
    void openLock(const std::filesystem::path& target);
    void clearLeftoversAtStart();
    void clearLeftovers(const std::filesystem::path& target);
    std::unique_ptr<DefaultsFileLock> fallbackLock(const std::filesystem::path& target,
                                                   const std::string& problem);
    void writeHeld(const WriteOrder& order);
    // What the file holds now to write onto; none when it cannot be read and cannot be moved
    // aside either.
    std::optional<PropertyDictionary> currentFileValues(const std::filesystem::path& target);
    void commitLocked(const WriteOrder& order, const DefaultsFileMerge& merge,
                      const PropertyDictionary& onto);
    void settleLocked();
    void failedLocked(const std::string& reason);
    void adoptLocked(const PropertyDictionary& stored, std::vector<std::string>& external);
    void refreshLocked(std::vector<std::string>& external);
    void notify(const std::vector<std::string>& keys);

    using SharedValues = std::map<std::string, std::shared_ptr<const PropertyValue>>;
    static SharedValues shared(PropertyDictionary values);
    PropertyDictionary plainValuesLocked() const;

    // Guards the fields from here to `unreported_`. The store's thread takes it only to take a
    // write order and to settle one, never across reading, writing or syncing the file, so a
    // change made meanwhile never waits for a write. (Moving a spoiled file aside, a rename, is
    // the one file operation made under it: rare, and the values it keeps must not change
    // meanwhile.)
    mutable std::mutex mutex_;
    SharedValues values_; // a read shares a value, so no read copies it
    std::optional<std::filesystem::path> file_;
    UserDefaultsFileHooks hooks_;
    bool persisting_ = false;
    std::map<std::string, uint64_t> pending_; // set or removed here since the last write
    bool replacesWhole_ = false; // replaceAll: the next write stores exactly these values
    uint64_t lastChange_ = 0;
    FileStamp seen_;          // the file as this store last read or wrote it
    std::string lastFailure_; // a failure is logged once, not at each write it repeats
    std::vector<Observer> observers_;
    uint64_t nextObserverToken_ = 1;
    bool writing_ = false; // the store's thread has a write to make
    std::condition_variable writeSettled_;
    std::vector<std::string> unreported_; // keys the store's thread took in from the file

    // Only the store's thread touches these.
    std::unique_ptr<DefaultsFileLock> lock_;
    std::optional<std::chrono::steady_clock::time_point> waitingSince_;
    bool saidWaiting_ = false;
    bool saidUnusableLock_ = false;
    bool lockIsOwn_ = false; // the lock in the private folder, in place of the one beside
    bool lockless_ = false;  // no lock can be had anywhere
    bool leftoversCleared_ = false;
    std::unique_ptr<DefaultsWriterThread> writer_; // last: stopped before the rest goes
};

} // namespace tessarin
