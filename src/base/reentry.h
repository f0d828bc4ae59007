#pragma once
// Marks a handler as running for as long as it runs, so that a message that arrives while it
// waits in a box of its own can see so and step aside.
namespace corvane {

class ReentryGuard {
public:
    explicit ReentryGuard(bool& running) noexcept : running_(running) { running_ = true; }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;
    ~ReentryGuard() { running_ = false; }

private:
    bool& running_;
};

} // namespace corvane
