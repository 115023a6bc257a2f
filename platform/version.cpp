#include "platform/version.h"

#include "platform/numbers.h"

namespace vintrel::platform {

AppVersion App() { return {VINTREL_VERSION_MAJOR, VINTREL_VERSION_MINOR, VINTREL_VERSION_PATCH}; }

std::string versionText()
{
    const AppVersion v = App();
    return integerToText(v.Major) + "." + integerToText(v.Minor) + "." + integerToText(v.Revision);
}

}  // namespace vintrel::platform
