#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/canvas.h"
#include "controls/canvas_host.h"
#include "controls/decoded_image.h"
#include "controls/drawing_changes.h"
#include "controls/drawing_control.h"
#include "controls/frame_geometry.h"
#include "controls/picture_loading.h"
#include "controls/pixel_region.h"
#include "controls/row_composer.h"
#include "controls/sprite_picture.h"
#include "controls/text_pictures.h"
#include "controls/text_renderer.h"

namespace skyvault {

// The drawing control's own work, the same on every platform: the canvas,
// the sprites and their pictures, the composition of a frame. The platform
// supplies the picture decoder, the text renderer and the canvas host that
// owns the canvas memory and shows finished frames.
//
// The callers work in the frame's own coordinates (800 x 600 for the saver);
// the canvas is that frame at the screen's resolution: s = the host's scale,
// a position x lands on round(x * s), and every picture is resampled once,
// at load, to its size times s (from its sharpest fitting companion file,
// see scaled_picture.h). Text is drawn at its size times s. So the frame is
// as sharp as the screen allows, and at s = 1 it is the frame itself.
//
// LoadSpriteBitmap's second argument 2, with load code -2, marks the
// background: a picture of another size than the frame is scaled to cover
// it, aspect kept, centred, the overflow cut off.
//
// Sprites are numbered from 1. A sprite without a picture (never loaded, or
// its file missing, unreadable or too large) draws nothing. Calls that name
// no sprite do nothing, and GetSpriteX answers 0 for them. Before
// InitDisplay has succeeded, nothing is drawn.
//
// Every frame starts from black: what no ClearFrame or opaque picture covers
// (a background picture that is missing, or smaller than the frame) shows
// black, never what an earlier frame left there.
//
// ClearFrame, DrawSprite and DrawText are noted down, and ShowFrame carries
// them out, in order, on the canvas: only on the pixels whose operations
// differ from those that made them (see DrawingChanges), brought to a few
// rectangles; the host is then told which pixels were redrawn. So the
// canvas shows a frame once ShowFrame has composed it.
// Each redrawn pixel is composed once, from all the operations over it (see
// RowComposer), and text is drawn by the font engine once and then kept
// like a picture for as long as each frame draws it again unchanged (see
// TextPictures).
class Compositor : public DrawingControl {
 public:
  Compositor(ImageDecoder& decoder, TextRenderer& text, CanvasHost& host);

  // The canvas is 32-bit whatever the depth asked for, at most
  // kMaxCanvasSide a side (a larger screen gets the largest scale within
  // it). False when the frame size is out of range, the display cannot
  // show 16-bit colour or there is no memory for the canvas
  // (lastOpening() says which); nothing is drawn then until a call succeeds.
  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;
  int32_t CreateSprite() override;
  void LoadSpriteBitmap(int32_t sprite, int32_t role, const std::string& path,
                        int32_t loadCode) override;
  void SetSpriteX(int32_t sprite, int32_t x) override;
  void SetSpriteY(int32_t sprite, int32_t y) override;
  void MoveSpriteX(int32_t sprite, int32_t step) override;
  void MoveSpriteY(int32_t sprite, int32_t step) override;
  int32_t GetSpriteX(int32_t sprite) override;
  void ClearFrame(RgbColour colour) override;
  void DrawSprite(int32_t sprite) override;
  void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                   bool underline, bool strikeout) override;
  void DrawText(const std::string& text, int32_t x, int32_t y, RgbColour colour) override;
  void ShowFrame() override;

  // Outlines every rectangle a frame redraws, one pixel wide in a bright
  // colour, so that anyone can see what each frame costs. The outlines are
  // redrawn away the next frame (a rectangle sent only for that is not
  // outlined).
  void ShowRedraws(bool on) { showRedraws_ = on; }
  // The most rectangles a frame is redrawn in.
  static constexpr size_t kMaxRedrawnRectangles = 8;
  static constexpr uint32_t kRedrawOutline = 0xFF00FF;

  const CanvasView& canvas() const { return canvas_; }
  const FrameScale& scale() const { return scale_; }
  // How the last InitDisplay went.
  enum class DisplayOpening { Opened, BadFrameSize, TooFewColours, NoMemory };
  DisplayOpening lastOpening() const { return opening_; }
  // Waits until the pictures read so far have their sharp companions in
  // (which otherwise come in a moment after the first frame), for tests and
  // tools.
  void WaitForSharpPictures();
  // Sprite position and picture, for tests and tools.
  int32_t SpriteY(int32_t sprite) const;
  bool SpriteHasPicture(int32_t sprite) const;

 private:
  struct Sprite {
    int32_t x = 0;
    int32_t y = 0;
    std::string path;
    PictureKind kind = PictureKind::Opaque;
    bool coversFrame = false;  // the background: scaled to cover the frame
    std::shared_ptr<const SpritePicture> picture;
    uint64_t pictureSerial = 0;  // a new one for every picture loaded
    bool loading = false;        // its picture is yet to be read (FinishLoading)
  };
  // One noted drawing operation.
  struct Operation {
    enum class Kind : uint8_t { Clear, Sprite, Text } kind = Kind::Clear;
    PixelRect bounds;  // the canvas pixels it may change
    RgbColour colour = 0;
    int64_t x = 0;  // on the canvas
    int64_t y = 0;
    std::shared_ptr<const SpritePicture> picture;  // kept alive for a reload in mid-frame
    std::shared_ptr<TextPicture> text;
  };
  Sprite* Find(int32_t number);
  const Sprite* Find(int32_t number) const;
  void Load(Sprite& sprite);
  // Reads every picture asked for since the last time, several at once:
  // pictures are read when they are first needed, so the pictures of a
  // load sequence are read side by side (see PictureLoading).
  void FinishLoading();
  // Puts in the sharp pictures read in the background since (all at once,
  // at the start of a frame).
  void TakeSharpPictures(bool wait);
  void Note(Operation operation, uint64_t fingerprint, bool opaque);
  void NoteClear(RgbColour colour);
  void StartFrame();
  // The first operation that shows in `part`: the last one painting all of it.
  size_t FirstVisible(const PixelRect& part) const;
  // Composes `part` of the canvas from the operations that show in it.
  void Carry(const PixelRect& part);
  // The same, operation after operation over the whole part: for text whose
  // renderer must draw it over what is under it (see BlendsLinearly).
  void CarryInPasses(const PixelRect& part);
  Layer LayerOf(Operation& operation);
  // Draws the outlines of the rectangles of `redrawn` that hold a changed
  // pixel, and notes them for the next frame.
  void Outline(const PixelRegion& redrawn, const std::vector<PixelRect>& changed);
  // A frame position on the canvas: round(x * s), kept within +-2^30, where
  // nothing drawn can reach the canvas any more.
  int64_t Physical(int32_t logical) const;

  ImageDecoder& decoder_;
  TextRenderer& text_;
  CanvasHost& host_;
  CanvasView canvas_;
  FrameScale scale_{1};
  DisplayOpening opening_ = DisplayOpening::Opened;
  int logicalWidth_ = 0;
  int logicalHeight_ = 0;
  uint64_t pictureSerial_ = 0;
  std::vector<Sprite> sprites_;
  TextFont font_{"", 16};
  uint64_t fontHash_ = 0;
  std::vector<Operation> operations_;
  DrawingChanges changes_;
  std::vector<PixelRect> outlines_;  // drawn last frame, to be redrawn
  bool showRedraws_ = false;
  bool frameStarted_ = false;  // the frame's black start is noted
  bool loading_ = false;       // some sprite's picture is yet to be read
  TextPictures texts_{text_};
  RowComposer composer_;
  std::vector<Layer> layers_;          // reused by Carry
  PictureLoading pictures_{decoder_};  // last: it may still be reading into sprites
};

}  // namespace skyvault
