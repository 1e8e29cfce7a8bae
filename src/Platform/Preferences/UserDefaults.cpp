#include "Platform/Preferences/UserDefaults.h"

#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/DefaultsFileLeftovers.h"
#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/DefaultsFileReplacement.h"
#include "Platform/Preferences/DefaultsFileTarget.h"
#include "Platform/Preferences/DefaultsWriterThread.h"
#include "Platform/Program/RunningCopyFolder.h"
#include "Support/BoundedFileRead.h"
#include "Support/JsonNesting.h"
#include "Support/Logger.h"
#include "Support/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tessarin {
namespace {

const Logger& logger() {
    static const Logger instance("Preferences");
    return instance;
}

// How long the store's thread waits for the lock in one go: short, so it stops soon at quit.
constexpr auto kWaitingSlice = std::chrono::milliseconds(50);

// "<file>.corrupt", or "<file>.corrupt.2" and so on when earlier ones are still there.
std::filesystem::path asidePath(const std::filesystem::path& file) {
    std::filesystem::path candidate = file.string() + ".corrupt";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(candidate, error); ++n) {
        candidate = file.string() + ".corrupt." + std::to_string(n);
    }
    return candidate;
}

bool defaultRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

DefaultsFileReadResult readFile(const std::filesystem::path& file, std::size_t maximumBytes) {
    const BoundedFileRead read = readBoundedFile(file, maximumBytes);
    if (!read) {
        return {std::nullopt, read.error};
    }
    return readDefaultsFileText(*read.bytes);
}

// Moves an unreadable file aside and logs it; false when it cannot be moved.
bool moveAside(const std::filesystem::path& file, const std::string& readError,
               const UserDefaultsFileHooks& hooks) {
    auto aside = asidePath(file);
    // The reason may quote the file's bytes.
    const std::string line = "defaults.corrupt file=" + escapingUnprintable(file.string()) +
                             " reason=" + escapingUnprintable(readError);
    if (hooks.rename(file, aside)) {
        logger().error(line + " movedTo=" + escapingUnprintable(aside.string()));
        return true;
    }
    // Writing now would destroy the only copy of whatever the file holds.
    logger().error(line + " movedTo=none persistence=off");
    return false;
}

// The rename that puts a write in place would replace a file even where it may not be written:
// a file made read-only is left as it is, as a read-only folder leaves it.
bool isReadOnly(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return false; // none yet: it is made
    }
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(file.c_str(), W_OK) != 0;
}

// A value the file reader would refuse would get the whole file moved aside at the next start,
// losing every other setting with it; such a value is never stored.
void logRefusal(const std::string& key, const std::string& reason) {
    logger().error("defaults.set.refused key=" + key + " reason=" + reason);
}

bool refusesToStore(const std::string& key, const PropertyValue& value) {
    if (!nestsDeeperThan(value, kMaxJsonNesting)) {
        return false;
    }
    logRefusal(key, "nested deeper than " + std::to_string(kMaxJsonNesting) + " levels");
    return true;
}

std::string fileTooLarge(std::size_t maximumBytes) {
    return "the file would be larger than " + describeByteCount(maximumBytes);
}

// replaceAll's values, whole, or none of them when they would make the file too large.
DefaultsFileMerge wholeReplacement(const PropertyDictionary& onto,
                                   const std::vector<DefaultsChange>& changes,
                                   std::size_t maximumBytes) {
    DefaultsFileMerge merge;
    for (const auto& change : changes) {
        merge.values.emplace(change.key, *change.value);
    }
    merge.text = defaultsFileText(merge.values);
    if (merge.text.size() > maximumBytes) {
        merge = {onto, defaultsFileText(onto), {"*"}};
    }
    return merge;
}

std::optional<std::filesystem::path> privateRuntimeFolder() {
    const RunningCopyFolder folder = RunningCopyFolder::forProcess();
    return folder.doubt.empty() ? std::optional(folder.path) : std::nullopt;
}

} // namespace

UserDefaults::UserDefaults() = default;

UserDefaults::UserDefaults(std::filesystem::path file, UserDefaultsFileHooks hooks)
    : file_(std::move(file)), hooks_(std::move(hooks)) {
    if (!hooks_.rename) {
        hooks_.rename = defaultRename;
    }
    if (!hooks_.privateFolder) {
        hooks_.privateFolder = privateRuntimeFolder;
    }
    load();
    clearLeftoversAtStart();
}

void UserDefaults::clearLeftoversAtStart() {
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
    std::error_code error;
    if (!persisting_ || !target.error.empty() ||
        !std::filesystem::is_directory(target.path.parent_path(), error)) {
        return;
    }
    // Without waiting: while another process holds the lock, the first write clears them.
    openLock(target.path);
    if (!lock_ || lock_->acquire(std::chrono::milliseconds(0))) {
        clearLeftovers(target.path);
    }
    lock_.reset();
    lockless_ = false;
}

UserDefaults::~UserDefaults() {
    if (!writer_) {
        return;
    }
    if (!flush(hooks_.finalWait)) {
        std::lock_guard lock(mutex_);
        if (writing_) {
            logger().error("defaults.write.abandoned file=" + escapingUnprintable(file_->string()) +
                           " keys=" + std::to_string(pending_.size()) +
                           " reason=" + DefaultsFileLock::heldLongerThan(hooks_.finalWait));
        }
    }
    writer_.reset();
}

UserDefaults::FileStamp UserDefaults::stampOf(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
            static_cast<int64_t>(status.st_size),
            static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

void UserDefaults::load() {
    const auto& file = *file_;
    persisting_ = true;
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        // None yet (a dangling link names the file to make), or a folder on the way that is no
        // folder or a loop of links: the store starts empty and a write says why it fails.
        return;
    }
    seen_ = stampOf(file);
    auto result = readFile(file, hooks_.maximumFileBytes);
    if (result.values) {
        values_ = shared(std::move(*result.values));
        return;
    }
    persisting_ = moveAside(file, result.error, hooks_);
    seen_ = {};
}

void UserDefaults::failedLocked(const std::string& reason) {
    if (reason != lastFailure_) {
        logger().error("defaults.write.failed file=" + escapingUnprintable(file_->string()) +
                       " reason=" + escapingUnprintable(reason));
        lastFailure_ = reason;
    }
}

std::optional<PropertyDictionary>
UserDefaults::currentFileValues(const std::filesystem::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        return PropertyDictionary{};
    }
    auto result = readFile(target, hooks_.maximumFileBytes);
    if (result.values) {
        return std::move(*result.values);
    }
    // Spoiled while this process ran: kept aside like one found at the start, and what this
    // store holds is written in its place.
    std::lock_guard lock(mutex_);
    if (!moveAside(target, result.error, hooks_)) {
        persisting_ = false;
        return std::nullopt;
    }
    return plainValuesLocked();
}

void UserDefaults::adoptLocked(const PropertyDictionary& stored,
                               std::vector<std::string>& external) {
    for (auto it = values_.begin(); it != values_.end();) {
        if (stored.count(it->first) == 0 && pending_.count(it->first) == 0) {
            external.push_back(it->first);
            it = values_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [key, value] : stored) {
        if (pending_.count(key) > 0) {
            continue;
        }
        const auto it = values_.find(key);
        if (it == values_.end() || !(*it->second == value)) {
            values_.insert_or_assign(key, std::make_shared<const PropertyValue>(value));
            external.push_back(key);
        }
    }
}

void UserDefaults::scheduleWriteLocked() {
    if (!file_ || !persisting_) {
        return;
    }
    writing_ = true;
    if (!writer_) {
        writer_ = std::make_unique<DefaultsWriterThread>([this] { return attemptWrite(); });
    }
    writer_->wake();
}

std::optional<UserDefaults::WriteOrder> UserDefaults::takeWriteOrder() {
    std::lock_guard lock(mutex_);
    if (!isDirtyLocked() || !persisting_) {
        settleLocked();
        return std::nullopt;
    }
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
    std::optional<std::string> problem =
        target.error.empty() ? std::nullopt : std::optional(target.error);
    if (!problem) {
        problem = makeDefaultsFolder(target.path.parent_path());
    }
    if (!problem && isReadOnly(target.path)) {
        problem = "the file is read-only";
    }
    if (problem) {
        failedLocked(*problem);
        settleLocked();
        return std::nullopt;
    }
    WriteOrder order{target.path, {}, {}, replacesWhole_, lastChange_};
    if (replacesWhole_) {
        order.changes.reserve(values_.size());
        for (const auto& [key, value] : values_) {
            order.changes.push_back({key, *value});
        }
    } else {
        for (const auto& [key, number] : pending_) {
            const auto it = values_.find(key);
            order.changes.push_back(
                {key, it == values_.end() ? std::nullopt : std::optional(*it->second)});
            order.numbers.emplace(key, number);
        }
    }
    return order;
}

void UserDefaults::settleLocked() {
    writing_ = false;
    writeSettled_.notify_all();
}

bool UserDefaults::attemptWrite() {
    const std::optional<WriteOrder> order = takeWriteOrder();
    if (!order) {
        return true;
    }
    if (!holdLockFor(order->target)) {
        return false; // another process holds it: the next attempt waits again
    }
    writeHeld(*order);
    lock_.reset(); // lets go, so the next writer in line takes its turn
    std::lock_guard lock(mutex_);
    if (writing_ && isDirtyLocked() && lastFailure_.empty()) {
        return false; // changed meanwhile: written at once
    }
    settleLocked();
    return true;
}

void UserDefaults::openLock(const std::filesystem::path& target) {
    lock_ = std::make_unique<DefaultsFileLock>(DefaultsFileLock::lockFileFor(target));
    lockIsOwn_ = false;
    if (lock_->isUnusable()) {
        lock_ = fallbackLock(target, lock_->problem());
    }
}

bool UserDefaults::holdLockFor(const std::filesystem::path& target) {
    if (!lock_ && !lockless_) {
        openLock(target);
    }
    if (!lock_) {
        return true; // no lock can be had anywhere: written without one, as said
    }
    if (!waitingSince_) {
        waitingSince_ = std::chrono::steady_clock::now();
    }
    const auto waited = [this] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - *waitingSince_);
    };
    if (lock_->acquire(kWaitingSlice)) {
        if (saidWaiting_) {
            logger().notice("defaults.lock.taken file=" + escapingUnprintable(file_->string()) +
                            " waited=" + std::to_string(waited().count()) + " ms");
        }
        waitingSince_.reset();
        saidWaiting_ = false;
        return true;
    }
    if (!lock_->isWaiting()) {
        // Taken from under the store (a lock that cannot be taken at all): the next one, once.
        lock_ = lockIsOwn_ ? nullptr : fallbackLock(target, lock_->problem());
        return lock_ ? holdLockFor(target) : true;
    }
    if (!saidWaiting_ && waited() >= hooks_.lockWait) {
        logger().notice("defaults.lock.waiting file=" + escapingUnprintable(file_->string()) +
                        " waited=" + std::to_string(waited().count()) +
                        " ms reason=another process holds the lock"
                        " change=kept until the lock is let go");
        saidWaiting_ = true;
    }
    return false;
}

std::unique_ptr<DefaultsFileLock> UserDefaults::fallbackLock(const std::filesystem::path& target,
                                                             const std::string& problem) {
    std::unique_ptr<DefaultsFileLock> lock;
    std::string instead = "none, so the file is written without a lock";
    if (const auto folder = hooks_.privateFolder()) {
        const auto path = *folder / (RunningCopyFolder::nameFor(target) + ".defaults.lock");
        lock = std::make_unique<DefaultsFileLock>(path);
        if (lock->isUnusable()) {
            lock.reset();
        } else {
            instead = path.string();
        }
    }
    lockIsOwn_ = true;
    lockless_ = !lock;
    if (!saidUnusableLock_) {
        logger().error("defaults.lock.unusable file=" + escapingUnprintable(file_->string()) +
                       " reason=" + escapingUnprintable(problem) +
                       " lock=" + escapingUnprintable(instead));
        saidUnusableLock_ = true;
    }
    return lock;
}

void UserDefaults::clearLeftovers(const std::filesystem::path& target) {
    if (leftoversCleared_) {
        return; // once: listing a crowded folder at every write would cost every write
    }
    if (lock_) {
        // Under the lock no writer of this file has a write under way: any temporary file of
        // its pattern is a killed writer's, whatever its pid says (another pid namespace).
        removeDefaultsFileLeftovers(target, [](pid_t) { return false; });
    } else {
        removeDefaultsFileLeftovers(target);
    }
    leftoversCleared_ = true;
}

void UserDefaults::writeHeld(const WriteOrder& order) {
    clearLeftovers(order.target);
    std::optional<PropertyDictionary> onto = currentFileValues(order.target);
    if (!onto) {
        std::lock_guard lock(mutex_);
        settleLocked();
        return;
    }
    const DefaultsFileMerge merge =
        order.replacesWhole ? wholeReplacement(*onto, order.changes, hooks_.maximumFileBytes)
                            : mergeDefaultsChanges(*onto, order.changes, hooks_.maximumFileBytes);
    std::optional<std::string> failure;
    if (merge.values != *onto || !std::filesystem::exists(order.target)) {
        failure =
            replaceFileAtomically(order.target, merge.text, {hooks_.rename, hooks_.writableBytes});
    }
    std::lock_guard lock(mutex_);
    if (failure) {
        failedLocked(*failure);
        return;
    }
    commitLocked(order, merge, *onto);
}

void UserDefaults::commitLocked(const WriteOrder& order, const DefaultsFileMerge& merge,
                                const PropertyDictionary& onto) {
    seen_ = stampOf(order.target);
    lastFailure_.clear();
    const auto unchangedSince = [&](const std::string& key) {
        const auto it = pending_.find(key);
        return it != pending_.end() && it->second <= order.upTo;
    };
    for (const auto& key : merge.refused) {
        logRefusal(key, fileTooLarge(hooks_.maximumFileBytes));
        if (key == "*" && replacesWhole_) {
            values_ = shared(onto);
            replacesWhole_ = false;
            pending_.clear();
            continue;
        }
        if (!unchangedSince(key)) {
            continue;
        }
        // What the file holds stands: the store goes back to it.
        pending_.erase(key);
        const auto stored = onto.find(key);
        if (stored == onto.end()) {
            values_.erase(key);
        } else {
            values_.insert_or_assign(key, std::make_shared<const PropertyValue>(stored->second));
        }
        unreported_.push_back(key);
    }
    if (order.replacesWhole && lastChange_ == order.upTo) {
        replacesWhole_ = false;
        pending_.clear();
    }
    for (const auto& [key, number] : order.numbers) {
        if (unchangedSince(key)) {
            pending_.erase(key);
        }
    }
    adoptLocked(merge.values, unreported_);
}

void UserDefaults::refreshLocked(std::vector<std::string>& external) {
    if (!file_ || !persisting_) {
        return;
    }
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
    if (!target.error.empty()) {
        return;
    }
    const FileStamp stamp = stampOf(target.path);
    if (stamp == seen_ || stamp.size < 0) {
        return;
    }
    // Every write replaces the file whole, so a read needs no lock.
    auto result = readFile(target.path, hooks_.maximumFileBytes);
    if (!result.values) {
        return; // the next write moves it aside
    }
    seen_ = stamp; // a change after this stamp is read again at its own notice
    adoptLocked(*result.values, external);
}

UserDefaults::SharedValues UserDefaults::shared(PropertyDictionary values) {
    SharedValues result;
    for (auto& [key, value] : values) {
        result.emplace(key, std::make_shared<const PropertyValue>(std::move(value)));
    }
    return result;
}

PropertyDictionary UserDefaults::plainValuesLocked() const {
    PropertyDictionary result;
    for (const auto& [key, value] : values_) {
        result.emplace(key, *value);
    }
    return result;
}

std::shared_ptr<const PropertyValue> UserDefaults::sharedObject(const std::string& key) const {
    std::lock_guard lock(mutex_);
    const auto it = values_.find(key);
    return it == values_.end() ? nullptr : it->second;
}

std::optional<PropertyValue> UserDefaults::object(const std::string& key) const {
    const auto value = sharedObject(key);
    if (!value) {
        return std::nullopt;
    }
    return *value;
}

std::optional<bool> UserDefaults::boolValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->boolValue() : std::nullopt;
}

std::optional<int64_t> UserDefaults::integerValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->integerValue() : std::nullopt;
}

std::optional<double> UserDefaults::doubleValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->doubleValue() : std::nullopt;
}

std::optional<std::string> UserDefaults::stringValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->stringValue() : std::nullopt;
}

std::optional<Data> UserDefaults::dataValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->dataValue() : std::nullopt;
}

std::optional<PropertyArray> UserDefaults::arrayValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->arrayValue() : std::nullopt;
}

std::optional<PropertyDictionary> UserDefaults::dictionaryValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->dictionaryValue() : std::nullopt;
}

std::optional<std::vector<std::string>>
UserDefaults::stringArrayValue(const std::string& key) const {
    auto value = object(key);
    return value ? value->stringArrayValue() : std::nullopt;
}

void UserDefaults::set(const std::string& key, PropertyValue value) {
    if (refusesToStore(key, value)) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        values_.insert_or_assign(key, std::make_shared<const PropertyValue>(std::move(value)));
        pending_.insert_or_assign(key, ++lastChange_);
        scheduleWriteLocked();
    }
    notify({key});
}

void UserDefaults::remove(const std::string& key) {
    {
        std::lock_guard lock(mutex_);
        if (values_.erase(key) == 0) {
            return;
        }
        pending_.insert_or_assign(key, ++lastChange_);
        scheduleWriteLocked();
    }
    notify({key});
}

bool UserDefaults::contains(const std::string& key) const {
    std::lock_guard lock(mutex_);
    return values_.count(key) > 0;
}

std::vector<std::string> UserDefaults::keys() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& [key, value] : values_) {
        result.push_back(key);
    }
    return result;
}

PropertyDictionary UserDefaults::dictionaryRepresentation() const {
    std::lock_guard lock(mutex_);
    return plainValuesLocked();
}

void UserDefaults::replaceAll(PropertyDictionary values) {
    std::erase_if(values,
                  [](const auto& entry) { return refusesToStore(entry.first, entry.second); });
    std::vector<std::string> changed;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [key, value] : values_) {
            auto it = values.find(key);
            if (it == values.end() || !(it->second == *value)) {
                changed.push_back(key);
            }
        }
        for (const auto& [key, value] : values) {
            if (values_.count(key) == 0) {
                changed.push_back(key);
            }
        }
        std::sort(changed.begin(), changed.end());
        values_ = shared(std::move(values));
        replacesWhole_ = true;
        ++lastChange_;
        scheduleWriteLocked();
    }
    notify(changed);
}

UserDefaultsObserverToken
UserDefaults::addObserver(std::function<void(const std::string& key)> observer) {
    std::lock_guard lock(mutex_);
    UserDefaultsObserverToken token{nextObserverToken_++};
    observers_.push_back({token, std::move(observer)});
    return token;
}

void UserDefaults::removeObserver(UserDefaultsObserverToken token) {
    std::lock_guard lock(mutex_);
    std::erase_if(observers_, [&](const Observer& o) { return o.token == token; });
}

void UserDefaults::notify(const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
        std::vector<Observer> snapshot;
        {
            std::lock_guard lock(mutex_);
            snapshot = observers_;
        }
        for (const auto& observer : snapshot) {
            bool stillObserving = false;
            {
                std::lock_guard lock(mutex_);
                stillObserving =
                    std::any_of(observers_.begin(), observers_.end(),
                                [&](const Observer& o) { return o.token == observer.token; });
            }
            if (stillObserving && observer.callback) {
                observer.callback(key);
            }
        }
    }
}

bool UserDefaults::synchronize() {
    std::vector<std::string> external;
    bool stored = true;
    {
        std::lock_guard lock(mutex_);
        if (!file_) {
            return true;
        }
        external = std::exchange(unreported_, {});
        if (isDirtyLocked()) {
            if (!writing_) {
                scheduleWriteLocked(); // the last write failed: once more
            }
            stored = false;
        } else {
            refreshLocked(external);
            stored = persisting_;
        }
    }
    notify(external);
    return stored;
}

bool UserDefaults::flush(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::unique_lock lock(mutex_);
    if (!file_) {
        return true;
    }
    if (isDirtyLocked() && !writing_) {
        scheduleWriteLocked();
    }
    writeSettled_.wait_until(lock, deadline, [this] { return !writing_; });
    return !isDirtyLocked() && persisting_;
}

} // namespace tessarin
