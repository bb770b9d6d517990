#include "dialogs/setup_texts.h"

#include "settings/settings_schema.h"

namespace skyvault::setup_texts {

std::string HelpPage() { return std::string(kDataPath) + "help.html"; }

std::string Title() { return std::string("Skyvault1 Control Box") + "   " + kWebAddress + "  "; }

std::string AboutMessage() { return std::string(kProductLine) + "\n" + kRightsLine; }

}  // namespace skyvault::setup_texts
