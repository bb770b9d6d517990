#pragma once
#include "controls/canvas_host.h"
#include "controls/decoded_image.h"
#include "controls/text_renderer.h"

namespace skyvault {

// The saver's frames, made the same way every time: the first-run settings
// and art, a fixed clock and fixed random numbers, composed in memory with
// the platform's picture decoder and text. Writes the chosen frames as PPM
// files, so that two builds' frames can be compared pixel for pixel.
//
// usage: frame_snapshot [--set KEY=VALUE]... DATA_FOLDER WIDTHxHEIGHT OUT_PREFIX FRAME...
// (--set: a setting of the Startup section over the first-run values)
//
// `host` gives the canvas memory; its ScaleFor is not asked (the scale is
// the screen's letterbox over 800). Returns the program's exit status.
int RunFrameSnapshot(int argc, char** argv, ImageDecoder& decoder, TextRenderer& text,
                     CanvasHost& host, double& scale);

}  // namespace skyvault
