#pragma once
#include <span>
#include <string>
#include <string_view>

namespace skyvault {

// A variable of the environment that the Linux saver reads.
struct EnvironmentVariable {
  std::string_view name;
  std::string_view help;
};

// Every variable the saver reads, in the order the usage lists them. The
// man page's ENVIRONMENT section is tested against this table.
std::span<const EnvironmentVariable> EnvironmentVariables();

// What --help prints: the options of the command line, then the environment.
std::string SaverUsage();

}  // namespace skyvault
