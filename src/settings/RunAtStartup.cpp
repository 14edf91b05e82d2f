#include "settings/RunAtStartup.h"

namespace vesperon::settings {

bool isInRunKey(Registry &registry, RegRoot root, const std::string &programName,
                const std::string &executableName) noexcept {
    try {
        if (executableName.empty())
            return false;
        OpenKey opened(registry);
        if (opened.open(root, RunKeyPath) != RegOk)
            return false;
        const std::string valueName = trimSpaces(programName);
        std::uint32_t type = RegNone;
        std::uint32_t size = 0;
        if (registry.queryValue(opened.handle(), valueName, type, size, nullptr) != RegOk || type != RegSz ||
            size == 0)
            return false;
        std::string data;
        if (registry.queryValue(opened.handle(), valueName, type, size, &data) != RegOk)
            return false;
        if (data.size() > size)
            data.resize(size);
        if (!data.empty() && data.back() == '\0')
            data.pop_back();
        return asciiLower(data).find(asciiLower(executableName)) != std::string::npos;
    } catch (...) {
        return false;
    }
}

bool IsInRunAllUsers(Registry &registry, const std::string &programName, const std::string &executableName) {
    return isInRunKey(registry, RegRoot::LocalMachine, programName, executableName);
}

bool IsInRunThisUser(Registry &registry, const std::string &programName, const std::string &executableName) {
    return isInRunKey(registry, RegRoot::CurrentUser, programName, executableName);
}

} // namespace vesperon::settings
