#pragma once

#include "Platform/RunningApplication.h"
#include "Support/MainQueue.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The system's notification names (the workspace's and the application's).
namespace WorkspaceNotificationName {
inline constexpr const char* activeSpaceDidChange = "NSWorkspaceActiveSpaceDidChangeNotification";
inline constexpr const char* didActivateApplication =
    "NSWorkspaceDidActivateApplicationNotification";
inline constexpr const char* didWake = "NSWorkspaceDidWakeNotification";
inline constexpr const char* userDefaultsDidChange = "NSUserDefaultsDidChangeNotification";
inline constexpr const char* screenParametersDidChange =
    "NSApplicationDidChangeScreenParametersNotification";
// The system switched between light and dark appearance.
inline constexpr const char* appearanceDidChange = "AppleInterfaceThemeChangedNotification";
} // namespace WorkspaceNotificationName

struct WorkspaceNotification {
    std::string name;
    // The application of an activation (the workspace's application key), if any.
    std::optional<RunningApplication> application;
    friend bool operator==(const WorkspaceNotification&, const WorkspaceNotification&) = default;
};

// Named notifications with block observers on the main queue. A posted notification reaches
// its observers on a later turn of the queue, never inside `post`; an observer removed before
// that turn hears nothing. Posting is safe from any thread.
class WorkspaceNotificationCenter {
public:
    using Observer = std::function<void(const WorkspaceNotification&)>;

    // Removes its observer when destroyed (or on `remove`). Move-only.
    class Token {
    public:
        Token() = default;
        Token(Token&& other) noexcept;
        Token& operator=(Token&& other) noexcept;
        Token(const Token&) = delete;
        Token& operator=(const Token&) = delete;
        ~Token();

        void remove();
        bool isActive() const;

    private:
        friend class WorkspaceNotificationCenter;
        struct State;
        Token(std::weak_ptr<State> center, std::uint64_t id)
            : center_(std::move(center)), id_(id) {}
        std::weak_ptr<State> center_;
        std::uint64_t id_ = 0;
    };

    explicit WorkspaceNotificationCenter(MainQueue& queue);
    ~WorkspaceNotificationCenter();
    WorkspaceNotificationCenter(const WorkspaceNotificationCenter&) = delete;
    WorkspaceNotificationCenter& operator=(const WorkspaceNotificationCenter&) = delete;

    // An empty name observes every notification.
    [[nodiscard]] Token addObserver(const std::string& name, Observer observer);
    void post(WorkspaceNotification notification);
    void post(const std::string& name) { post(WorkspaceNotification{name, std::nullopt}); }

    // For tests and diagnostics: the most recent notifications, oldest first (at most
    // kRecentHistoryLimit, so a long run keeps no more), how many of a name were ever posted,
    // and how many observers listen for a name.
    static constexpr std::size_t kRecentHistoryLimit = 32;
    std::vector<WorkspaceNotification> recentNotifications() const;
    std::size_t postedCount(const std::string& name) const;
    std::size_t observerCount(const std::string& name) const;

private:
    MainQueue& queue_;
    std::shared_ptr<Token::State> state_;
};

} // namespace tessarin
