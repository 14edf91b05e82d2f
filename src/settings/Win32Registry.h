#pragma once

// The Registry seam on the Windows registry itself (windows.h, no Qt).

#include "settings/Registry.h"

namespace vesperon::settings {

class Win32Registry final : public Registry {
public:
    long openKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long queryValue(KeyHandle key, const std::string &name, std::uint32_t &type, std::uint32_t &size,
                    std::string *data) override;
    long createKey(RegRoot root, const std::string &path, KeyHandle &key) override;
    long setValue(KeyHandle key, const std::string &name, const std::string &text) override;
    void closeKey(KeyHandle key) override;
};

} // namespace vesperon::settings
