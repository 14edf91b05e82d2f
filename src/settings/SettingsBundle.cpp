#include "settings/SettingsBundle.h"

#include "core/ProductInfo.h"
#include "settings/MemoryRegistry.h"
#include "settings/RunAtStartup.h"
#include "settings/StoreText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "settings/RegistryUserStore.h"
#include "settings/Win32Registry.h"
#else
#include "settings/IniUserStore.h"
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

SettingsBundle::SettingsBundle(std::unique_ptr<Registry> registry, std::unique_ptr<UserStore> userStore,
                               Prompt &prompt, QString executableName)
    : m_registry(std::move(registry)), m_userStore(std::move(userStore)),
      m_executableName(std::move(executableName)),
      m_program(*m_registry, *m_userStore, prompt, companyName(), programName()),
      m_user(*m_userStore, programName()) {}

std::unique_ptr<SettingsBundle> SettingsBundle::forPlatform(Prompt &prompt, const DesktopPaths &paths,
                                                            const QString &executableName) {
#ifdef Q_OS_WIN
    Q_UNUSED(paths);
    auto registry = std::make_unique<Win32Registry>();
    auto userStore = std::make_unique<RegistryUserStore>(*registry);
#else
    auto registry = std::make_unique<IniRegistry>(paths);
    auto userStore = std::make_unique<IniUserStore>(paths.configDir, companyName());
#endif
    return std::make_unique<SettingsBundle>(std::move(registry), std::move(userStore), prompt,
                                            executableName);
}

std::unique_ptr<SettingsBundle> SettingsBundle::forThisProgram(Prompt &prompt) {
    return forPlatform(prompt, defaultPaths(), executableNameOf(QCoreApplication::applicationFilePath()));
}

std::unique_ptr<SettingsBundle> SettingsBundle::inMemory(Prompt &prompt, const QString &executableName) {
    return std::make_unique<SettingsBundle>(std::make_unique<MemoryRegistry>(),
                                            std::make_unique<MemoryUserStore>(), prompt, executableName);
}

DesktopPaths SettingsBundle::defaultPaths() {
    DesktopPaths paths;
    paths.configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return paths;
}

QString SettingsBundle::executableNameOf(const QString &filePath) {
    return QFileInfo(filePath).completeBaseName();
}

bool SettingsBundle::IsInRunAllUsers() {
    return settings::IsInRunAllUsers(*m_registry, toStoreText(programName()), toStoreText(m_executableName));
}

bool SettingsBundle::IsInRunThisUser() {
    return settings::IsInRunThisUser(*m_registry, toStoreText(programName()), toStoreText(m_executableName));
}

} // namespace vesperon::settings
