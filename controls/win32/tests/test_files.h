#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace skyvault::win32::testing {

using Bytes = std::vector<uint8_t>;

// A folder of its own under the temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    path_ = std::filesystem::temp_directory_path() /
            (L"skyvault-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  // Writes a file and returns its full path in UTF-8.
  std::string Write(const std::wstring& name, const Bytes& bytes) const {
    const auto file = path_ / name;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return Path(name);
  }
  std::string Path(const std::wstring& name) const { return Narrow((path_ / name).wstring()); }
  const std::filesystem::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

}  // namespace skyvault::win32::testing
