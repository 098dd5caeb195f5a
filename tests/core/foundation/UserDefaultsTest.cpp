#include "foundation/UserDefaults.h"

#include "foundation/PlistFile.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using fretkit::PlistFile;
using fretkit::PlistValue;
using fretkit::UserDefaults;

namespace {

std::vector<std::filesystem::path> asideFiles(const TempDir& dir) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename().string().find(".corrupt-") != std::string::npos) {
            found.push_back(entry.path());
        }
    }
    return found;
}

} // namespace

TEST(UserDefaults, RegisteredDefaultsAnswerUntilTheUserSetsAValue) {
    TempDir dir;
    UserDefaults defaults(dir.file("defaults.plist"));
    defaults.registerDefaults(PlistValue::dictionary(
        {{"MT_tempo", 120}, {"MT_flashOnBar", "YES"}, {"TN_reference", "440.0"}}));
    EXPECT_EQ(defaults.integerForKey("MT_tempo"), 120);
    EXPECT_TRUE(defaults.boolForKey("MT_flashOnBar"));
    EXPECT_DOUBLE_EQ(defaults.doubleForKey("TN_reference"), 440.0);
    EXPECT_EQ(defaults.integerForKey("never_registered"), 0);
    EXPECT_TRUE(defaults.objectForKey("never_registered").isNull());

    defaults.setInteger(96, "MT_tempo");
    EXPECT_EQ(defaults.integerForKey("MT_tempo"), 96);
    defaults.removeObjectForKey("MT_tempo");
    EXPECT_EQ(defaults.integerForKey("MT_tempo"), 120);
    // Written through, with no temporary file left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(UserDefaults, ValuesPersistAcrossProcesses) {
    TempDir dir;
    const std::string path = dir.file("config/fretkit/defaults.plist");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        UserDefaults writer(path);
        writer.setInteger(72, "MT_tempo");
        writer.setString("Drop D", "TN_tuning");
        writer.setObject(PlistValue::array({40, 45, 50}), "CF_notes");
        _exit(writer.synchronize() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    UserDefaults reader(path);
    EXPECT_EQ(reader.integerForKey("MT_tempo"), 72);
    EXPECT_EQ(reader.stringForKey("TN_tuning"), "Drop D");
    EXPECT_EQ(reader.objectForKey("CF_notes"), PlistValue::array({40, 45, 50}));
}

TEST(UserDefaults, TwoWritersKeepEachOthersKeys) {
    TempDir dir;
    const std::string path = dir.file("defaults.plist");
    UserDefaults first(path);
    UserDefaults second(path); // read before the first one wrote anything
    first.setInteger(1, "a");
    second.setInteger(2, "b");
    first.removeObjectForKey("a");
    first.setInteger(3, "c");
    const auto stored = PlistFile::read(path);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->keys(), (std::vector<std::string>{"b", "c"}));
}

TEST(UserDefaults, ADamagedFileIsMovedAsideAndTheDefaultsApply) {
    TempDir dir;
    const std::string damaged = "<plist><dict><key>MT_tempo</key><integer>9";
    const std::string path = dir.write("defaults.plist", damaged);
    LogCapture log;
    UserDefaults defaults(path);
    defaults.registerDefaults(PlistValue::dictionary({{"MT_tempo", 120}}));
    EXPECT_EQ(defaults.integerForKey("MT_tempo"), 120);
    EXPECT_TRUE(log.contains("moved it to"));

    const auto aside = asideFiles(dir);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TempDir::read(aside.front().string()), damaged);

    defaults.setInteger(100, "MT_tempo");
    EXPECT_EQ(UserDefaults(path).integerForKey("MT_tempo"), 100);
}

TEST(UserDefaults, AFileThatIsNotADictionaryIsKeptAsideToo) {
    TempDir dir;
    const std::string path = dir.file("defaults.plist");
    ASSERT_TRUE(PlistFile::write(PlistValue::array({1}), path, PlistFile::Format::Binary));
    LogCapture log;
    UserDefaults defaults(path);
    EXPECT_EQ(asideFiles(dir).size(), 1u);
    EXPECT_TRUE(defaults.isPersistent());
}

TEST(UserDefaults, AnUnreadableFileIsNeverOverwritten) {
    TempDir dir;
    const std::string path = dir.file("defaults.plist");
    std::filesystem::create_directory(path); // exists, but cannot be read as a file
    LogCapture log;
    UserDefaults defaults(path);
    EXPECT_FALSE(defaults.isPersistent());
    defaults.setInteger(5, "MT_tempo");
    EXPECT_EQ(defaults.integerForKey("MT_tempo"), 5); // kept in memory
    std::string error;
    EXPECT_FALSE(defaults.synchronize(&error));
    EXPECT_NE(error.find("not overwritten"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(log.lines().empty());
}

TEST(UserDefaults, AFailedWriteKeepsTheChangePendingAndSaysWhy) {
    TempDir dir;
    dir.write("blocker", "a file where a folder should be");
    const std::string path = dir.file("blocker/defaults.plist");
    LogCapture log;
    UserDefaults defaults(path);
    defaults.setBool(true, "CH_leftHanded");
    EXPECT_TRUE(defaults.boolForKey("CH_leftHanded"));
    EXPECT_TRUE(log.contains("Cannot save the settings"));
    std::string error;
    EXPECT_FALSE(defaults.synchronize(&error));
    EXPECT_FALSE(error.empty());

    std::filesystem::remove(dir.file("blocker"));
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_TRUE(UserDefaults(path).boolForKey("CH_leftHanded"));
}

TEST(UserDefaults, DefaultPathFollowsTheEnvironment) {
    const char* saved = std::getenv(UserDefaults::kEnvironmentVariable);
    const std::string restore = saved ? saved : "";
    setenv(UserDefaults::kEnvironmentVariable, "/tmp/elsewhere.plist", 1);
    EXPECT_EQ(UserDefaults::defaultPath(), "/tmp/elsewhere.plist");
    unsetenv(UserDefaults::kEnvironmentVariable);
    setenv("XDG_CONFIG_HOME", "/srv/config", 1);
    EXPECT_EQ(UserDefaults::defaultPath(), "/srv/config/fretkit/defaults.plist");
    unsetenv("XDG_CONFIG_HOME");
    if (saved) {
        setenv(UserDefaults::kEnvironmentVariable, restore.c_str(), 1);
    }
}
