#include "settings/RunAtStartup.h"
#include "settings/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace vesperon::settings;

namespace {

class RunAtStartupTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    void put(RegRoot root, const std::string &command, std::uint32_t type = RegSz) {
        registry.putRaw(root, RunKeyPath, "Vesperon", type, command + '\0');
    }
    bool allUsers() { return IsInRunAllUsers(registry, " Vesperon ", "vesperon"); }
    bool thisUser() { return IsInRunThisUser(registry, " Vesperon ", "vesperon"); }
};

TEST_F(RunAtStartupTest, NoEntryUnderEitherRootIsNotRegistered) {
    EXPECT_FALSE(allUsers()); // no Run key at all
    EXPECT_FALSE(thisUser());
    registry.createEmptyKey(RegRoot::LocalMachine, RunKeyPath);
    registry.putString(RegRoot::CurrentUser, RunKeyPath, "SomethingElse", "C:\\vesperon.exe");
    EXPECT_FALSE(allUsers());
    EXPECT_FALSE(thisUser());
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RunAtStartupTest, CommandOfAnotherExecutableIsNotRegistered) {
    put(RegRoot::LocalMachine, "\"C:\\Program Files\\Other\\other.exe\" /tray");
    EXPECT_FALSE(allUsers());
}

TEST_F(RunAtStartupTest, ExecutableNamedInOtherLetterCaseIsRegistered) {
    put(RegRoot::CurrentUser, "\"C:\\Program Files\\Quillmark\\VESPERON.EXE\" /min");
    EXPECT_TRUE(thisUser());
    EXPECT_FALSE(allUsers());
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(RunAtStartupTest, ValueOfAnotherTypeOrEmptyIsNotRegistered) {
    put(RegRoot::LocalMachine, "%ProgramFiles%\\Vesperon\\vesperon.exe", RegExpandSz);
    EXPECT_FALSE(allUsers());
    registry.putRaw(RegRoot::CurrentUser, RunKeyPath, "Vesperon", RegSz, "");
    EXPECT_FALSE(thisUser());
    registry.putRaw(RegRoot::CurrentUser, RunKeyPath, "Vesperon", RegSz, std::string(1, '\0'));
    EXPECT_FALSE(thisUser());
}

TEST_F(RunAtStartupTest, EntriesUnderBothRootsAreBothReported) {
    put(RegRoot::LocalMachine, "C:\\Apps\\vesperon.exe");
    put(RegRoot::CurrentUser, "C:\\Users\\me\\vesperon.exe");
    EXPECT_TRUE(allUsers());
    EXPECT_TRUE(thisUser());
}

TEST_F(RunAtStartupTest, FailuresAnswerFalse) {
    put(RegRoot::LocalMachine, "C:\\Apps\\vesperon.exe");
    registry.failOn(MemoryRegistry::Op::Query, RegAccessDenied, 1, 1); // the read after the size query
    EXPECT_FALSE(allUsers());
    registry.failOn(MemoryRegistry::Op::Open, RegAccessDenied, 1);
    EXPECT_FALSE(allUsers());
    EXPECT_TRUE(allUsers());
    EXPECT_FALSE(IsInRunAllUsers(registry, "Vesperon", "")); // no executable name matches nothing
    EXPECT_EQ(registry.openKeys(), 0);
}

} // namespace
