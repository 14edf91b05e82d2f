#include "settings/SettingsBundle.h"

#include "core/ProductInfo.h"
#include "settings/StoreText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "settings/Win32Settings.h"
#else
#include "settings/IniSettingsStore.h"
#include "settings/XdgStartupEntries.h"
#endif

namespace vesperon::settings {

namespace {
QString programName() {
    return QString::fromUtf8(product::ProgramName);
}
QString companyName() {
    return QString::fromUtf8(product::CompanyName);
}
} // namespace

QString DesktopPaths::userAutostartDir() const {
    return configDir + QStringLiteral("/autostart");
}

SettingsBundle::SettingsBundle(SettingsStore &store, StartupEntries &startup, Prompt &prompt)
    : m_startup(startup), m_program(store, prompt, programName()), m_user(store) {}

SettingsBundle::SettingsBundle(std::unique_ptr<SettingsStore> store, std::unique_ptr<StartupEntries> startup,
                               Prompt &prompt)
    : m_ownedStore(std::move(store)), m_ownedStartup(std::move(startup)), m_startup(*m_ownedStartup),
      m_program(*m_ownedStore, prompt, programName()), m_user(*m_ownedStore) {}

SettingsBundle::~SettingsBundle() = default;

std::unique_ptr<SettingsBundle> SettingsBundle::forPlatform(Prompt &prompt, const DesktopPaths &paths,
                                                            const QString &executableName) {
#ifdef Q_OS_WIN
    Q_UNUSED(paths);
    auto store =
        std::make_unique<RegistrySettingsStore>(toStoreText(companyName()), toStoreText(programName()));
    auto startup = std::make_unique<RunKeyEntries>(toStoreText(programName()), toStoreText(executableName));
#else
    auto store = std::make_unique<IniSettingsStore>(paths.configDir, companyName(), programName());
    auto startup = std::make_unique<XdgStartupEntries>(paths.systemAutostartDir, paths.userAutostartDir(),
                                                       programName(), executableName);
#endif
    return std::unique_ptr<SettingsBundle>(new SettingsBundle(std::move(store), std::move(startup), prompt));
}

std::unique_ptr<SettingsBundle> SettingsBundle::forThisProgram(Prompt &prompt) {
    return forPlatform(prompt, defaultPaths(), executableNameOf(QCoreApplication::applicationFilePath()));
}

DesktopPaths SettingsBundle::defaultPaths() {
    DesktopPaths paths;
    paths.configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return paths;
}

QString SettingsBundle::executableNameOf(const QString &filePath) {
    return QFileInfo(filePath).completeBaseName();
}

} // namespace vesperon::settings
