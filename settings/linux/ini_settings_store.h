#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <ctime>
#include <string>

#include "settings/ini_text.h"
#include "settings/settings_store.h"

namespace skyvault {

// The settings in an INI file (settings/ini_text.h), by default
// $XDG_CONFIG_HOME/skyvault/skyvault.ini.
//
// Reads come from the parsed file kept in memory; the file is looked at
// again (one stat) at most once per `recheck` and parsed again only when it
// changed, so the display can read settings every frame.
//
// A file that exists but is not for this store to write is left as it is:
// one it cannot open, one that is not a regular file, one larger than
// kMaxFileBytes (these read as empty: every key is missing) and one that is
// not UTF-8 text (UTF-16, say; it reads as what can be read from it). Every
// write to it fails, so the saver runs on the values it would have written,
// in memory; the first refusal says why on stderr.
//
// A write reads the file afresh, changes the one value and puts the whole
// text in a new file beside the file that then replaces it, all under an
// exclusive lock on "<file>.lock": processes that write at once (one per
// monitor doing the first run) each see the others' values and leave one
// complete file. A symbolic link in the file's place stays: the file it
// points to is the one replaced. Temporaries that a killed writer left are
// removed by the next write. A write that fails changes nothing, not even
// what this store reads.
class IniSettingsStore : public SettingsStore {
 public:
  static constexpr off_t kMaxFileBytes = 1 << 20;

  explicit IniSettingsStore(std::string path,
                            std::chrono::milliseconds recheck = std::chrono::milliseconds(250));

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value) override;

  const std::string& path() const { return path_; }
  // How often the file was parsed for reading (for tests and benchmarks).
  int fileLoads() const { return fileLoads_; }

 private:
  // What tells one version of the file from another.
  struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const FileIdentity& other) const;
    static FileIdentity Of(const struct stat& info);
  };
  struct Loaded {
    IniDocument document;
    FileIdentity identity;
    // Why the file may not be written over; nullptr when it may.
    const char* refusal = nullptr;
  };
  static FileIdentity IdentityOf(const std::string& path);
  static Loaded Load(const std::string& path);
  void RefreshIfChanged();
  // Says once on stderr why the file is left as it is.
  void ReportRefusal(const char* refusal);

  std::string path_;
  std::chrono::milliseconds recheck_;
  std::chrono::steady_clock::time_point lastCheck_{};
  bool checked_ = false;
  Loaded cache_;
  int fileLoads_ = 0;
  bool reported_ = false;
};

}  // namespace skyvault
