#pragma once

#include <cstdint>
#include <string>

namespace vintrel::platform {

// The application's version numbers, from the project's version.
struct AppVersion {
    std::int16_t Major;
    std::int16_t Minor;
    std::int16_t Revision;
};
AppVersion App();

// The version as the program gives it to people and to the desktop: "1.0.0".
std::string versionText();

}  // namespace vintrel::platform
