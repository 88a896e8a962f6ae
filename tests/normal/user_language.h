// The user's language for the display's character set, for one test.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_codec.h"

namespace korven::test {

#if !defined(_WIN32)
// Environment variables set for a scope and restored afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first.c_str(), it->second);
    }

    // A null value unsets the variable.
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        Apply(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }

private:
    static void Apply(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
#endif

// On POSIX sets the locale (LC_ALL) for the scope. Windows takes the
// language from the user's settings, so there the scope only tells whether
// they already match.
class ScopedUserLanguage {
public:
    ScopedUserLanguage(const char* locale, unsigned codePage) : codePage_(codePage) {
#if !defined(_WIN32)
        environment_.Set("LC_ALL", locale);
#else
        (void)locale;
#endif
    }
    // True when display text now converts with the expected code page.
    bool active() const { return platform::UserNarrowCodePage() == codePage_; }

private:
    unsigned codePage_;
#if !defined(_WIN32)
    ScopedEnvironment environment_;
#endif
};

}  // namespace korven::test
