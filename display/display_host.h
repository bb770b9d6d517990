#pragma once

namespace skyvault {

// What only the display window's surroundings can do for SaverDisplay.
class DisplayHost {
 public:
  virtual ~DisplayHost() = default;
  // Unloads the preview window and the settings dialog, whether or not they exist.
  virtual void UnloadOtherWindows() = 0;
  // Unloads the display window itself; as the window goes, its unload
  // handler (SaverDisplay::Unload) runs.
  virtual void UnloadDisplayWindow() = 0;
  // Ends the program at once: no further event or timer is handled. Does
  // not return on a real system.
  virtual void EndProgram() = 0;
};

}  // namespace skyvault
