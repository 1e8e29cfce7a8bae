#include "Platform/Preferences/UserDefaults.h"

#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/DefaultsFileLeftovers.h"
#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/DefaultsFileReplacement.h"
#include "Platform/Preferences/DefaultsFileTarget.h"
#include "Platform/Preferences/DefaultsWriterThread.h"
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

} // namespace

UserDefaults::UserDefaults() = default;

UserDefaults::UserDefaults(std::filesystem::path file, UserDefaultsFileHooks hooks)
    : file_(std::move(file)), hooks_(std::move(hooks)) {
    if (!hooks_.rename) {
        hooks_.rename = defaultRename;
    }
    load();
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
    if (target.error.empty()) {
        removeDefaultsFileLeftovers(target.path);
    }
}

UserDefaults::~UserDefaults() {
    if (!writer_) {
        return;
    }
    if (!flush(hooks_.finalWait)) {
        std::lock_guard lock(mutex_);
        if (writerBusy_) {
            logger().error("defaults.write.abandoned file=" + escapingUnprintable(file_->string()) +
                           " keys=" + std::to_string(pending_.size()) +
                           " reason=another process held the lock for more than " +
                           std::to_string(hooks_.finalWait.count()) + " ms");
        }
    }
    writer_.reset();
}

UserDefaults::FileStamp UserDefaults::stampOf(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    return stampOf(status);
}

UserDefaults::FileStamp UserDefaults::stampOf(const struct stat& status) {
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

UserDefaults::Persisted UserDefaults::failedLocked(const std::string& reason) {
    if (reason != lastFailure_) {
        logger().error("defaults.write.failed file=" + escapingUnprintable(file_->string()) +
                       " reason=" + escapingUnprintable(reason));
        lastFailure_ = reason;
    }
    dirty_ = true;
    return Persisted::failed;
}

std::optional<PropertyDictionary>
UserDefaults::currentFileValuesLocked(const std::filesystem::path& target) {
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
    if (!moveAside(target, result.error, hooks_)) {
        persisting_ = false;
        return std::nullopt;
    }
    return plainValuesLocked();
}

PropertyDictionary UserDefaults::mergedLocked(PropertyDictionary onto) const {
    if (replacesWhole_) {
        return plainValuesLocked();
    }
    for (const auto& key : pending_) {
        const auto it = values_.find(key);
        if (it == values_.end()) {
            onto.erase(key);
        } else {
            onto.insert_or_assign(key, *it->second);
        }
    }
    return onto;
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

UserDefaults::Persisted UserDefaults::persistLocked(std::vector<std::string>& external) {
    if (!file_) {
        return Persisted::written;
    }
    if (!persisting_) {
        dirty_ = true;
        return Persisted::failed;
    }
    if (writerBusy_) {
        dirty_ = true; // the store's thread takes this change in with the one it waits to write
        return Persisted::waiting;
    }
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
    if (!target.error.empty()) {
        return failedLocked(target.error);
    }
    if (auto problem = makeDefaultsFolder(target.path.parent_path())) {
        return failedLocked(*problem);
    }
    if (isReadOnly(target.path)) {
        return failedLocked("the file is read-only");
    }
    DefaultsFileLock lock(DefaultsFileLock::lockFileFor(target.path));
    if (!lock.acquire(std::chrono::milliseconds(0))) {
        if (lock.isWaiting()) {
            return handToWriterLocked();
        }
        return failedLocked(lock.problem());
    }
    return writeHeldLocked(target.path, external);
}

UserDefaults::Persisted UserDefaults::writeHeldLocked(const std::filesystem::path& target,
                                                      std::vector<std::string>& external) {
    removeDefaultsFileLeftovers(target);
    auto current = currentFileValuesLocked(target);
    if (!current) {
        dirty_ = true;
        return Persisted::failed;
    }
    PropertyDictionary merged = mergedLocked(std::move(*current));
    const std::string text = defaultsFileText(merged);
    if (text.size() > hooks_.maximumFileBytes) {
        return Persisted::tooLarge;
    }
    if (auto failure = replaceFileAtomically(target, text, {hooks_.rename, hooks_.writableBytes})) {
        return failedLocked(*failure);
    }
    seen_ = stampOf(target);
    adoptLocked(merged, external);
    pending_.clear();
    replacesWhole_ = false;
    dirty_ = false;
    lastFailure_.clear();
    return Persisted::written;
}

UserDefaults::Persisted UserDefaults::handToWriterLocked() {
    dirty_ = true;
    writerBusy_ = true;
    if (!writer_) {
        writer_ = std::make_unique<DefaultsWriterThread>([this] { return attemptWaitingWrite(); });
    }
    writer_->wake();
    return Persisted::waiting;
}

bool UserDefaults::attemptWaitingWrite() {
    if (!waitingLock_) {
        std::lock_guard lock(mutex_);
        if (!writerBusy_) {
            return true;
        }
        const DefaultsFileTarget target = resolveDefaultsFileTarget(*file_);
        if (!target.error.empty()) {
            failedLocked(target.error);
            writerBusy_ = false;
            writerDone_.notify_all();
            return true;
        }
        waitingTarget_ = target.path;
        waitingLock_ =
            std::make_unique<DefaultsFileLock>(DefaultsFileLock::lockFileFor(waitingTarget_));
        waitingSince_ = std::chrono::steady_clock::now();
        saidWaiting_ = false;
    }
    if (!waitingLock_->acquire(kWaitingSlice)) {
        if (!waitingLock_->isWaiting()) {
            finishWaitingWrite(waitingLock_->problem());
            return true;
        }
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - waitingSince_);
        if (!saidWaiting_ && waited >= hooks_.lockWait) {
            logger().notice("defaults.lock.waiting file=" + escapingUnprintable(file_->string()) +
                            " waited=" + std::to_string(waited.count()) +
                            " ms reason=another process holds the lock"
                            " change=kept until the lock is let go");
            saidWaiting_ = true;
        }
        return false;
    }
    std::vector<std::string> external;
    {
        std::lock_guard lock(mutex_);
        if (writeHeldLocked(waitingTarget_, external) == Persisted::tooLarge) {
            dropPendingLocked(waitingTarget_, external);
        }
        unreported_.insert(unreported_.end(), external.begin(), external.end());
        // A change made from here on is written by the thread that makes it, or handed back.
        writerBusy_ = false;
    }
    waitingLock_.reset();
    writerDone_.notify_all();
    if (saidWaiting_) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - waitingSince_);
        logger().notice("defaults.lock.taken file=" + escapingUnprintable(file_->string()) +
                        " waited=" + std::to_string(waited.count()) + " ms");
    }
    return true;
}

void UserDefaults::finishWaitingWrite(const std::string& failure) {
    waitingLock_.reset();
    {
        std::lock_guard lock(mutex_);
        if (!failure.empty()) {
            failedLocked(failure);
        }
        writerBusy_ = false;
    }
    writerDone_.notify_all();
}

void UserDefaults::dropPendingLocked(const std::filesystem::path& target,
                                     std::vector<std::string>& external) {
    for (const auto& key : pending_) {
        logRefusal(key, fileTooLarge(hooks_.maximumFileBytes));
    }
    pending_.clear();
    replacesWhole_ = false;
    dirty_ = false;
    if (auto stored = currentFileValuesLocked(target)) {
        adoptLocked(*stored, external);
        seen_ = stampOf(target);
    }
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
    std::vector<std::string> changed{key};
    {
        std::lock_guard lock(mutex_);
        auto previous = values_.extract(key);
        const bool wasPending = !pending_.insert(key).second;
        values_[key] = std::make_shared<const PropertyValue>(std::move(value));
        if (persistLocked(changed) == Persisted::tooLarge) {
            values_.erase(key);
            if (!previous.empty()) {
                values_.insert(std::move(previous));
            }
            if (!wasPending) {
                pending_.erase(key);
            }
            logRefusal(key, fileTooLarge(hooks_.maximumFileBytes));
            return;
        }
    }
    notify(changed);
}

void UserDefaults::remove(const std::string& key) {
    std::vector<std::string> changed{key};
    {
        std::lock_guard lock(mutex_);
        if (values_.erase(key) == 0) {
            return;
        }
        pending_.insert(key);
        persistLocked(changed);
    }
    notify(changed);
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
        SharedValues previous = std::exchange(values_, shared(std::move(values)));
        const bool replacedWhole = std::exchange(replacesWhole_, true);
        if (persistLocked(changed) == Persisted::tooLarge) {
            values_ = std::move(previous);
            replacesWhole_ = replacedWhole;
            logRefusal("*", fileTooLarge(hooks_.maximumFileBytes));
            return;
        }
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
        if (dirty_) {
            stored = persistLocked(external) == Persisted::written;
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
    for (;;) {
        if (dirty_ && !writerBusy_) {
            // What the store's thread takes in is told at the next synchronize, not here: a
            // store going away has no one left to tell.
            std::vector<std::string> external;
            persistLocked(external);
            unreported_.insert(unreported_.end(), external.begin(), external.end());
        }
        if (!writerBusy_ ||
            !writerDone_.wait_until(lock, deadline, [this] { return !writerBusy_; })) {
            break;
        }
    }
    return !dirty_ && persisting_;
}

} // namespace tessarin
