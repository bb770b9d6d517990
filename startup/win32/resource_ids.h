#pragma once
// Resource numbers of skyvault.scr.
#define IDS_DESCRIPTION 1  // the name the Screen Saver Settings list shows
#define IDB_PREVIEW 101    // the still picture of the preview pane
#define IDI_SKYVAULT 102   // the program's icon (the lowest-numbered, so the one shown)
