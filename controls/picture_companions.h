#pragma once
#include <functional>
#include <string>
#include <vector>

#include "controls/decoded_image.h"

namespace skyvault {

// A picture file may have PNG companions beside it holding the same picture
// at two, three or four times its size: Bridge@2x.png, Bridge@3x.png and
// Bridge@4x.png beside Bridge.bmp. They make the picture sharp on a large
// screen; the picture keeps the named file's size in the saver's rules.

constexpr int kLargestCompanion = 4;

struct CompanionFile {
  std::string path;
  int factor = 1;  // how many times the named file's size
  bool operator==(const CompanionFile&) const = default;
};

// The companions to try for a picture shown at `need` times its size, in
// order: the smallest that is at least as large as needed first, then the
// larger ones, then the smaller ones from the largest down. None when the
// picture is shown at its own size or smaller. Each is `<stem>@<N>x.png` in
// the folder of `path` (either slash separates folders), the stem being the
// file name without its extension.
std::vector<CompanionFile> CompanionCandidates(const std::string& path, double need);

// Whether a width x height picture is a companion of a namedWidth x
// namedHeight one at `factor`: factor times its size, within one pixel on
// each side.
bool FitsAsCompanion(int namedWidth, int namedHeight, int factor, int width, int height);

// The pixels to resample a picture from, and how many times the named
// file's size they are.
struct PictureSource {
  DecodedImage image;
  int factor = 1;
};

// Told a companion's factor and full size, the part of it to keep (see
// PartOfPicture); empty when it does not fit the named picture.
using CompanionPart = std::function<PixelRect(int factor, int width, int height)>;

// The first companion in CompanionCandidates' order that decodes and fits,
// else the named picture itself. A companion that is missing, unreadable,
// hostile or of the wrong size is passed over. Without `part` a companion is
// kept whole and must fit `named`; with it, `part` decides (the named
// picture may then be a part of the named file).
PictureSource ChooseCompanion(ImageDecoder& decoder, const std::string& path, DecodedImage named,
                              double need, const CompanionPart& part = {});

}  // namespace skyvault
