#include "Platform/Preferences/UserDefaults.h"

#include "Platform/Preferences/DefaultsFileFormat.h"
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

std::string systemError(int error) {
    return std::strerror(error);
}

std::filesystem::path temporaryPath(const std::filesystem::path& file) {
    auto name = file.filename().string();
    return file.parent_path() / (name + ".tmp");
}

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

// Writes `text` to `path` and flushes it to the disk; false with a reason on any failure.
bool writeFully(const std::filesystem::path& path, const std::string& text, std::size_t limit,
                std::string& reason) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = "open: " + systemError(errno);
        return false;
    }
    std::size_t written = 0;
    std::size_t target = std::min(limit, text.size());
    while (written < target) {
        ssize_t n = ::write(fd, text.data() + written, target - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            reason = "write: " + systemError(errno);
            ::close(fd);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (written < text.size()) {
        reason = "write: interrupted after " + std::to_string(written) + " of " +
                 std::to_string(text.size()) + " bytes";
        ::close(fd);
        return false;
    }
    if (::fsync(fd) != 0) {
        reason = "fsync: " + systemError(errno);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        reason = "close: " + systemError(errno);
        return false;
    }
    return true;
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

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

UserDefaults::UserDefaults() = default;

UserDefaults::UserDefaults(std::filesystem::path file, UserDefaultsFileHooks hooks)
    : file_(std::move(file)), hooks_(std::move(hooks)) {
    if (!hooks_.rename) {
        hooks_.rename = defaultRename;
    }
    load();
}

void UserDefaults::load() {
    const auto& file = *file_;
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error) {
        persisting_ = true;
        return;
    }
    auto result = readFile(file, hooks_.maximumFileBytes);
    if (result.values) {
        values_ = shared(std::move(*result.values));
        persisting_ = true;
        return;
    }
    auto aside = asidePath(file);
    // The reason may quote the file's bytes.
    const std::string line = "defaults.corrupt file=" + escapingUnprintable(file.string()) +
                             " reason=" + escapingUnprintable(result.error);
    if (hooks_.rename(file, aside)) {
        logger().error(line + " movedTo=" + escapingUnprintable(aside.string()));
        persisting_ = true;
    } else {
        // Writing now would destroy the only copy of whatever the file holds.
        logger().error(line + " movedTo=none persistence=off");
        persisting_ = false;
    }
}

UserDefaults::Persisted UserDefaults::persistLocked() {
    if (!file_) {
        return Persisted::written;
    }
    if (!persisting_) {
        dirty_ = true;
        return Persisted::failed;
    }
    std::string text = defaultsFileText(plainValuesLocked());
    if (text.size() > hooks_.maximumFileBytes) {
        return Persisted::tooLarge;
    }
    const auto& file = *file_;
    auto temporary = temporaryPath(file);
    std::error_code error;
    if (!file.parent_path().empty()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    std::size_t limit = hooks_.writableBytes ? hooks_.writableBytes(text.size()) : text.size();
    std::string reason = isReadOnly(file) ? "the file is read-only" : "";
    bool ok = reason.empty() && writeFully(temporary, text, limit, reason);
    if (ok && !hooks_.rename(temporary, file)) {
        ok = false;
        reason = "rename failed";
    }
    if (!ok) {
        std::filesystem::remove(temporary, error);
        logger().error("defaults.write.failed file=" + file.string() + " reason=" + reason);
        dirty_ = true;
        return Persisted::failed;
    }
    syncFolder(file.parent_path());
    dirty_ = false;
    return Persisted::written;
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

namespace {

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

void UserDefaults::set(const std::string& key, PropertyValue value) {
    if (refusesToStore(key, value)) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        auto previous = values_.extract(key);
        values_[key] = std::make_shared<const PropertyValue>(std::move(value));
        if (persistLocked() == Persisted::tooLarge) {
            values_.erase(key);
            if (!previous.empty()) {
                values_.insert(std::move(previous));
            }
            logRefusal(key, fileTooLarge(hooks_.maximumFileBytes));
            return;
        }
    }
    notify({key});
}

void UserDefaults::remove(const std::string& key) {
    {
        std::lock_guard lock(mutex_);
        if (values_.erase(key) == 0) {
            return;
        }
        persistLocked();
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
        SharedValues previous = std::exchange(values_, shared(std::move(values)));
        if (persistLocked() == Persisted::tooLarge) {
            values_ = std::move(previous);
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
    std::lock_guard lock(mutex_);
    if (!file_) {
        return true;
    }
    if (!dirty_) {
        return persisting_;
    }
    return persistLocked() == Persisted::written;
}

} // namespace tessarin
