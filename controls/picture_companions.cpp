#include "controls/picture_companions.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace skyvault {

std::vector<CompanionFile> CompanionCandidates(const std::string& path, double need) {
  std::vector<CompanionFile> candidates;
  if (!(need > 1.0)) return candidates;  // also refuses NaN
  const size_t slash = path.find_last_of("/\\");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  if (nameStart >= path.size()) return candidates;  // a folder, not a file
  size_t stemEnd = path.rfind('.');
  if (stemEnd == std::string::npos || stemEnd <= nameStart) stemEnd = path.size();
  const std::string stem = path.substr(0, stemEnd);
  const auto add = [&](int factor) {
    candidates.push_back({stem + "@" + std::to_string(factor) + "x.png", factor});
  };
  for (int factor = 2; factor <= kLargestCompanion; ++factor) {
    if (factor >= need) add(factor);
  }
  for (int factor = kLargestCompanion; factor >= 2; --factor) {
    if (factor < need) add(factor);
  }
  return candidates;
}

bool FitsAsCompanion(int namedWidth, int namedHeight, int factor, int width, int height) {
  const auto near = [factor](int named, int companion) {
    return named > 0 && std::llabs(int64_t{named} * factor - companion) <= 1;
  };
  return factor >= 1 && near(namedWidth, width) && near(namedHeight, height);
}

PictureSource ChooseCompanion(ImageDecoder& decoder, const std::string& path, DecodedImage named,
                              double need, const CompanionPart& part) {
  for (const CompanionFile& candidate : CompanionCandidates(path, need)) {
    const int factor = candidate.factor;
    std::optional<DecodedImage> companion =
        decoder.DecodePart(candidate.path, [&](int width, int height) {
          if (part) return part(factor, width, height);
          return FitsAsCompanion(named.width, named.height, factor, width, height)
                     ? PixelRect{0, 0, width, height}
                     : PixelRect{};
        });
    if (companion && companion->width > 0 && companion->height > 0 &&
        companion->pixels.size() == static_cast<size_t>(companion->width) * companion->height) {
      return {std::move(*companion), factor};
    }
  }
  return {std::move(named), 1};
}

}  // namespace skyvault
