#include "display/linux/linux_image_decoder.h"

#include "controls/linux/pixbuf_image_decoder.h"
#include "platform/linux/data_folder.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

class DataFolderDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override {
    const std::string windowsFolder = kDataPath;
    if (path.size() > windowsFolder.size() &&
        path.compare(0, windowsFolder.size(), windowsFolder) == 0) {
      return pixbuf_.Decode(LinuxDataFolder() + path.substr(windowsFolder.size()));
    }
    return pixbuf_.Decode(path);
  }

 private:
  PixbufImageDecoder pixbuf_;
};

}  // namespace

std::unique_ptr<ImageDecoder> MakeLinuxImageDecoder() {
  return std::make_unique<DataFolderDecoder>();
}

}  // namespace skyvault
