#include "settings/linux/ini_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/testing/temp_folder.h"
#include "settings/linux/settings_path.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

namespace fs = std::filesystem;
using std::chrono::hours;
using std::chrono::milliseconds;

constexpr const char* kData = "/usr/share/skyvault/";
using testing::TempFolder;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Spit(const std::string& path, const std::string& text) {  // making its folders
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// The names in `folder`, sorted, each followed by a blank.
std::string Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  std::string text;
  for (const auto& name : names) text += name + " ";
  return text;
}
const char* const kFileAndLock = "skyvault.ini skyvault.ini.lock ";

void ExpectEveryFirstRunValue(SettingsStore& store) {
  for (const SettingEntry& e : kFirstRunValues)
    EXPECT_EQ(store.Read(e.section, e.key, "missing"), FirstRunValue(e, kData)) << e.key;
}

TEST(SettingsFilePath, FollowsTheXdgConfigurationFolder) {
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"/xdg", "/home/me", "/xdg/skyvault/skyvault.ini"},
      {"/xdg//", "/home/me", "/xdg/skyvault/skyvault.ini"},
      {"", "/home/me/", "/home/me/.config/skyvault/skyvault.ini"},
      {"relative/xdg", "/home/me", "/home/me/.config/skyvault/skyvault.ini"},
      {"/", nullptr, "/skyvault/skyvault.ini"},
      {nullptr, nullptr, ""},
      {"relative", "relative", ""}};
  for (const auto& [xdg, home, path] : cases)
    EXPECT_EQ(SettingsFilePath(xdg, home), path) << xdg << " " << home;
}

TEST(IniSettingsStore, TheFirstRunWritesAFileThatAnotherStoreReadsBack) {
  TempFolder temp;
  const std::string path = temp.Path("config/skyvault/skyvault.ini");  // folders made as needed
  IniSettingsStore writer(path);
  WriteFirstRunValues(writer, kData);

  IniSettingsStore reader(path);
  ExpectEveryFirstRunValue(reader);
  EXPECT_EQ(Names(temp.Path("config/skyvault")), kFileAndLock);
}

TEST(IniSettingsStore, HostileFilesReadAsWhatCanBeReadAndNeverStall) {
  const std::string good = "[Startup]\r\nSpeed=5\r\n";
  const std::string limit(IniSettingsStore::kMaxFileBytes - good.size(), '\n');
  const std::tuple<const char*, std::function<void(const std::string&)>, const char*> cases[] = {
      {"at the size limit, read to its end", [&](auto& p) { Spit(p, limit + good); }, "5"},
      {"a byte over it", [&](auto& p) { Spit(p, good + limit + "\n"); }, "1"},
      {"binary around a good section",
       [&](auto& p) { Spit(p, std::string("\0\xFF\n", 3) + good + std::string("\0\x01", 2)); },
       "5"},
      {"a folder", [](auto& p) { fs::create_directory(p); }, "1"},
      {"a named pipe", [](auto& p) { mkfifo(p.c_str(), 0600); }, "1"},
      {"a link to an endless device", [](auto& p) { fs::create_symlink("/dev/zero", p); }, "1"}};
  for (const auto& [what, make, speed] : cases) {
    TempFolder temp;
    make(temp.Path("skyvault.ini"));
    EXPECT_EQ(IniSettingsStore(temp.Path("skyvault.ini")).Read("Startup", "Speed", "1"), speed)
        << what;
  }
}

// Runs `body` in a child without root's power over file modes; true when it exited with 0.
bool RunUnprivileged(const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A file the store cannot take as it is keeps every byte, whatever is written (the saver's
// process test writes over the size limit and in UTF-16).
TEST(IniSettingsStore, AFileItCannotTakeAsItIsIsNeverWrittenOver) {
  const std::string legacy = "[Startup]\nMessage=caf\xE9\n";
  TempFolder temp;
  const std::string path = temp.Path("skyvault.ini");
  Spit(path, legacy);
  IniSettingsStore refusing(path);
  EXPECT_TRUE(NeedsFirstRunValues(refusing));
  WriteFirstRunValues(refusing, kData);
  EXPECT_FALSE(refusing.Write("Startup", "Clock", "0"));
  EXPECT_EQ(Slurp(path), legacy);
  EXPECT_EQ(Names(temp.Path("")), kFileAndLock);

  // One this user may not read.
  const std::string user = "[Startup]\nBackGround=2\n";
  Spit(path, user);
  chmod(path.c_str(), 0);
  chmod(temp.Path("").c_str(), 0777);
  EXPECT_TRUE(RunUnprivileged([&] {
    IniSettingsStore store(path);
    WriteFirstRunValues(store, kData);
    return NeedsFirstRunValues(store) && !store.Write("Startup", "Clock", "0");
  }));
  EXPECT_EQ(Slurp(path), user);
}

TEST(IniSettingsStore, WritesGoThroughALinkAndLeaveOthersFilesAlone) {
  TempFolder temp;
  // Beside the file, others' files (a killed writer's temporary going is the process test's).
  const std::pair<const char*, const char*> files[] = {
      {"", "[Startup]\nSpeed=5\n"}, {".bak", "mine"}, {".notours", "mine"}};
  for (const auto& [name, text] : files) Spit(temp.Path("dotfiles/skyvault.ini") + name, text);
  fs::create_directories(temp.Path("config"));
  fs::create_symlink("../dotfiles/skyvault.ini", temp.Path("config/skyvault.ini"));

  IniSettingsStore store(temp.Path("config/skyvault.ini"));
  ASSERT_TRUE(store.Write("Startup", "Clock", "0"));
  EXPECT_TRUE(fs::is_symlink(temp.Path("config/skyvault.ini")));
  EXPECT_EQ(Slurp(temp.Path("dotfiles/skyvault.ini")), "[Startup]\nSpeed=5\nClock=0\n");
  EXPECT_EQ(Names(temp.Path("dotfiles")),
            "skyvault.ini skyvault.ini.bak skyvault.ini.lock skyvault.ini.notours ");
  EXPECT_EQ(Names(temp.Path("config")), "skyvault.ini ");

  // A link to a file not made yet: the first write makes it.
  fs::create_symlink("later.ini", temp.Path("config/dangling.ini"));
  IniSettingsStore first(temp.Path("config/dangling.ini"));
  ASSERT_TRUE(first.Write("Startup", "Speed", "7"));
  EXPECT_TRUE(fs::is_symlink(temp.Path("config/dangling.ini")));
  EXPECT_EQ(Slurp(temp.Path("config/later.ini")), "[Startup]\nSpeed=7\n");
}

TEST(IniSettingsStore, ReadsComeFromMemoryUntilTheFileChanges) {
  TempFolder temp;
  const std::string path = temp.Path("skyvault.ini");
  Spit(path, "[Startup]\nSpeed=5\n");
  IniSettingsStore patient(path, hours(1));
  IniSettingsStore watchful(path, milliseconds(0));
  const auto speeds = [&] {
    return patient.Read("Startup", "Speed", "1") + watchful.Read("Startup", "Speed", "1");
  };
  for (int i = 0; i < 10; ++i) ASSERT_EQ(speeds(), "55");
  EXPECT_EQ(watchful.fileLoads(), 1) << "an unchanged file read again";

  IniSettingsStore other(path);
  ASSERT_TRUE(other.Write("Startup", "Speed", "7"));
  EXPECT_EQ(speeds(), "57") << "the patient store looks again too soon, or the watchful not";

  // A hand edit in place, and the file taken away.
  Spit(path, "[Startup]\nSpeed=8\n");
  EXPECT_EQ(watchful.Read("Startup", "Speed", "1"), "8");
  fs::remove(path);
  EXPECT_EQ(watchful.Read("Startup", "Speed", "1"), "1");

  // A store's own write is read at once, whatever its interval.
  ASSERT_TRUE(patient.Write("Startup", "Clock", "0"));
  EXPECT_EQ(patient.Read("Startup", "Clock", "1") + patient.Read("Startup", "Speed", "1"), "01");
}

TEST(IniSettingsStore, AFailedWriteIsReportedAndNotRemembered) {
  TempFolder temp;
  // The settings folder's place is taken by a file.
  Spit(temp.Path("config"), "not a folder");
  IniSettingsStore blocked(temp.Path("config/skyvault/skyvault.ini"));
  EXPECT_FALSE(blocked.Write("Startup", "Speed", "9"));
  EXPECT_EQ(blocked.Read("Startup", "Speed", "1"), "1");
  WriteFirstRunValues(blocked, kData);
  EXPECT_TRUE(NeedsFirstRunValues(blocked));

  // A folder this user may not write in, with a file in it.
  Spit(temp.Path("locked/skyvault.ini"), "[Startup]\nSpeed=5\n");
  chmod(temp.Path("locked").c_str(), 0555);
  EXPECT_TRUE(RunUnprivileged([&] {
    IniSettingsStore store(temp.Path("locked/skyvault.ini"));
    return !store.Write("Startup", "Speed", "9") && !store.Write("Startup", "Clock", "0") &&
           store.Read("Startup", "Speed", "1") == "5" && store.Read("Startup", "Clock", "1") == "1";
  }));
  EXPECT_EQ(Slurp(temp.Path("locked/skyvault.ini")), "[Startup]\nSpeed=5\n");
}

// One process per monitor runs the first run at once, each with a key a lockless write would lose.
TEST(IniSettingsStore, ProcessesWritingAtOnceLeaveOneCompleteFile) {
  TempFolder temp;
  const std::string path = temp.Path("skyvault/skyvault.ini");
  constexpr int kProcesses = 8;
  int start[2];
  ASSERT_EQ(pipe(start), 0);
  std::vector<pid_t> children;
  for (int n = 0; n < kProcesses; ++n) {
    const pid_t child = fork();
    if (child == 0) {
      close(start[1]);
      char go;
      if (read(start[0], &go, 1) != 0) _exit(3);  // returns at the close: all start together
      IniSettingsStore store(path);
      WriteFirstRunValues(store, kData);
      const bool own = store.Write("Monitors", "Monitor" + std::to_string(n), "here");
      _exit(own && !NeedsFirstRunValues(store) ? 0 : 1);
    }
    children.push_back(child);
  }
  close(start[0]);
  close(start[1]);
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  IniSettingsStore store(path);
  ExpectEveryFirstRunValue(store);
  for (int n = 0; n < kProcesses; ++n)
    EXPECT_EQ(store.Read("Monitors", "Monitor" + std::to_string(n), "lost"), "here") << n;
  EXPECT_EQ(IniDocument::Parse(Slurp(path)).size(), kFirstRunValues.size() + kProcesses);
  EXPECT_EQ(Names(temp.Path("skyvault")), kFileAndLock);
}

}  // namespace
}  // namespace skyvault
