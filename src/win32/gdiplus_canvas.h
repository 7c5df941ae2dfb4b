#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/graph_painting.h"
#include "app/graph_window.h"
#include "app/hit_test.h"

// The graph window's painting with GDI+ (a system library since Windows XP): anti-aliased
// shapes and text, and PNG files encoded in memory.
namespace walkconv::win32 {

// GDI+ started for the life of the object; the program (and each test) holds one.
class GdiplusSession {
  public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

  private:
    ULONG_PTR token_ = 0;
};

// The layers a view keeps between its paints, as bitmaps of the screen's pixels.
struct GdiplusLayers {
    struct Kept {
        std::uint64_t version = 0;
        app::PictureRect area;
        std::unique_ptr<Gdiplus::Bitmap> image;
    };
    std::map<int, Kept> kept;
};

// The graph painting's canvas over a GDI+ Graphics: anti-aliased, and its transform replaces
// the graphics' own, moved by `origin` (the place of the target's top left corner). With
// `layers`, its layers are kept there between paints; without, painted every time.
class GdiplusCanvas : public app::Canvas {
  public:
    explicit GdiplusCanvas(Gdiplus::Graphics& graphics, GdiplusLayers* layers = nullptr,
                           Spot origin = {});
    ~GdiplusCanvas() override;

    void SetTransform(double scale, double dx, double dy) override;
    void FillRect(const app::PictureRect& rect, app::Ink ink) override;
    void StrokeRect(const app::PictureRect& rect, app::Ink ink, double width) override;
    void Line(Spot from, Spot to, app::Ink ink, double width) override;
    void Disc(Spot centre, double radius, app::Ink ink) override;
    void Ring(Spot centre, double radius, app::Ink ink, double width) override;
    void Text(Spot at, TextAnchor anchor, std::string_view text, const app::FontSpec& font,
              app::Ink ink) override;
    double TextWidth(std::string_view text, const app::FontSpec& font) override;
    void ClipTo(const app::PictureRect& rect) override;
    void Unclip() override;
    void Layer(int slot, std::uint64_t version, const app::PictureRect& area,
               const std::function<void(app::Canvas&)>& paint) override;

  private:
    struct Fonts;

    Gdiplus::Graphics& graphics_;
    std::unique_ptr<Fonts> fonts_;
    GdiplusLayers* layers_;
    Spot origin_;
};

// The drawing of a window: texts measured as GdiplusCanvas writes them, and pictures of the
// window's client size painted into a bitmap and encoded as PNG in memory with GDI+'s own
// encoder.
class GdiplusDrawer : public app::Drawer {
  public:
    explicit GdiplusDrawer(HWND window = nullptr);
    ~GdiplusDrawer() override;
    void SetWindow(HWND window) { window_ = window; }

    double TextWidth(std::string_view text, const app::FontSpec& font) override;
    std::optional<std::string> EncodePng(const std::function<void(app::Canvas&, int, int)>& paint,
                                         std::string& why) override;

  private:
    struct Measuring;

    HWND window_;
    std::unique_ptr<Measuring> measuring_;  // made at the first measure
};

}  // namespace walkconv::win32
