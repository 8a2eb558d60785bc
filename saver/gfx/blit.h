// Drawing primitives: plain copies and the two-pass mask technique (AND the mask, XOR the image).
// A primitive makes and deletes a memory device context of its own for each bitmap it reads,
// except for sprites that are held (see HoldSprite): those stay selected in a context of their own.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Transparent pixels of every sprite carry this colour.
constexpr COLORREF TransparentKey = RGB(255, 0, 255);

// Our own names live in a namespace because windows.h already has a function called FrameRect.
namespace gfx {

// A source rectangle on a sprite sheet: position and size, not right and bottom.
struct FrameRect {
    int x;
    int y;
    int width;
    int height;
};

struct BlitPoint {
    int x;
    int y;
};

}  // namespace gfx

using gfx::BlitPoint;

// Writes the bitmap's size into rect.width/height; x and y are left alone.
void GetBitmapSize(HBITMAP bitmap, gfx::FrameRect* rect);

void BlitToWindow(HWND window, int x, int y, HBITMAP bitmap);
void BlitToDc(HDC dc, int x, int y, HBITMAP bitmap);
void BlitRect(HDC dc, int x, int y, HBITMAP bitmap, const gfx::FrameRect& source);
void BlitMasked(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at);
void BlitMaskedRect(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at, const gfx::FrameRect& source);

// The benchmark replays a tick's sprite draws from surfaces of its own: the observer sees the
// destination context and rectangle of every masked draw. Null (the default) watches nothing.
using MaskedBlitObserver = void (*)(HDC dc, int x, int y, int width, int height);
void SetMaskedBlitObserver(MaskedBlitObserver observer);

// Sprites drawn on every tick stay selected in a memory context of their own while their figure is
// on stage: selecting a bitmap for each blit costs several times the blit itself. A held bitmap
// cannot be selected anywhere else, so whoever draws into or from it goes through BitmapDc, and
// it must be released before it is deleted (DeleteSprite does both). When the contexts for held
// sprites run out, a sprite is simply not held and is drawn the slow way.
void HoldSprite(HBITMAP bitmap);
void ReleaseSprite(HBITMAP bitmap);
void DeleteSprite(HBITMAP& bitmap);  // releases, deletes and clears the handle; null is skipped
int HeldSpriteCount();
// With holding off, HoldSprite does nothing and every blit makes its own context. Releases all.
void SetSpriteHolding(bool on);

// A memory context with the bitmap selected, for the lifetime of this object: the sprite's own
// context when it is held, otherwise one made (compatible with the screen) and deleted again.
class BitmapDc {
public:
    // Read promises not to draw into the bitmap; what was read off a held sprite stays valid then.
    enum class Use { DrawInto, Read };
    explicit BitmapDc(HBITMAP bitmap, Use use = Use::DrawInto);
    ~BitmapDc();
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    bool ok() const { return ok_; }
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    bool owned_ = false;
    bool ok_ = false;
};

// The header of a 32-bit picture of width x height whose rows run from the top down, as the
// program's own pixel loops read them.
BITMAPINFO TopDownHeader(int width, int height);
// Such a picture as a DIB section made for like (may be null); *pixels is its top row, or null
// when it cannot be made (the result is then null too).
HBITMAP CreateTopDownSection(HDC like, int width, int height, uint32_t** pixels);

// Pictures and surfaces the scene draws on: on a display of 32 bits per pixel a 32-bit top-down
// DIB section (held sprites and the direct target must be made here, as their rows are read top
// down), whose pixels a masked draw can reach without GDI; otherwise (and with direct
// drawing off) a bitmap compatible with like.
HBITMAP CreateSurfaceBitmap(HDC like, int width, int height);
bool UsesDirectSurfaces(HDC like);
// Masked draws of held sprites into dc, whose bitmap is a 32-bit DIB section, are done by hand:
// GDI's two passes expand the mask and XOR every pixel of the frame, while the hand-made draw
// copies the shown pixels only, with the same result. Every other draw goes through GDI. One
// target at a time; forget it before its context is deleted.
void SetDirectTarget(HDC dc, HBITMAP bitmap);
void ForgetDirectTarget(HDC dc);
// The target's pixels, when dc is the direct target: rows of width 32-bit pixels from the top.
struct DirectPixels {
    unsigned char* top;
    ptrdiff_t pitch;  // bytes from one row to the next one down
    int width, height;

    uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(top + pitch * y); }
};
bool DirectTargetPixels(HDC dc, DirectPixels* out);
// The pixels of a bitmap made by CreateSurfaceBitmap, when it is a 32-bit DIB section and direct
// drawing is on; false for a device-dependent bitmap, which only GDI reaches.
bool SurfacePixels(HBITMAP surface, DirectPixels* out);

// A work surface: a context besides the target whose bitmap is a 32-bit top-down DIB section
// (see CreateSurfaceBitmap), into which masked draws of held sprites are done by hand at once,
// neither logged nor put off. A few at a time; false when it cannot be one (its masked draws then
// go through GDI). Forget it before its context is deleted.
bool AddWorkSurface(HDC dc, HBITMAP bitmap);
void ForgetWorkSurface(HDC dc);

// Every masked draw done by hand into the target is logged, in order: what it drew, from where,
// and the versions of both pictures then (a version names one content of one sprite). With the
// draws put off they are only logged, and the caller draws them later where they are needed
// (the stage draws only what changed since the tick before). Anything that would change the
// order or the pictures first calls catchUp, which must draw what was put off; from then on
// the draws are done at once again: a GDI draw into the target, drawing into or releasing a
// sprite a put-off draw uses.
struct HeldDraw {
    HBITMAP image, mask;
    unsigned imageVersion, maskVersion;
    RECT to;     // on the target, clipped to it and to the sprite
    int sx, sy;  // the sprite's pixel drawn at to.left, to.top
    bool operator==(const HeldDraw& o) const {
        return image == o.image && mask == o.mask && imageVersion == o.imageVersion && maskVersion == o.maskVersion &&
               EqualRect(&to, &o.to) && sx == o.sx && sy == o.sy;
    }
};
void StartTargetLog(bool putOff, void (*catchUp)());
void StopPuttingOff();
bool PuttingOff();
const std::vector<HeldDraw>& TargetDraws();
// Whether GDI drew into the target since the log started (the log then does not tell it all).
bool TargetDrawnByGdi();
// Draws the part of a logged draw inside clip; false when its pictures have changed or gone.
bool DrawHeldDraw(const HeldDraw& draw, const RECT& clip);
// Off: surfaces are compatible bitmaps again and every masked draw goes through GDI. For tests
// and the benchmark, which compare both ways; set it before the scene starts.
void SetDirectDrawing(bool on);

// A monochrome bitmap of the same size, or null for a null bitmap.
HBITMAP CreateMaskBitmap(HBITMAP bitmap);
// Fills mask with 1 where image shows key and 0 elsewhere, and blacks out the key pixels of
// image so that it can be XORed into the hole the mask cuts. Returns 1 on success, 0 on failure.
int MakeMask(HBITMAP image, HBITMAP mask, COLORREF key);
