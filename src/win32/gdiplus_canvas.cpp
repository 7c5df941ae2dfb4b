#include "win32/gdiplus_canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "win32/wide_text.h"

namespace walkconv::win32 {

namespace {

using Gdiplus::REAL;

REAL Real(double value) {
    return static_cast<REAL>(value);
}

Gdiplus::Color ToColor(app::Ink ink) {
    return Gdiplus::Color(ink.alpha, ink.color.red, ink.color.green, ink.color.blue);
}

Gdiplus::RectF ToRect(const app::PictureRect& rect) {
    return {Real(rect.left), Real(rect.top), Real(rect.width), Real(rect.height)};
}

// A font of the picture's texts: the system's user interface font, or what the system puts
// in its place where it lacks it, at the role's size in pixels.
std::unique_ptr<Gdiplus::Font> PictureFont(const app::FontSpec& spec) {
    LOGFONTW face{};
    face.lfHeight = -static_cast<LONG>(spec.pixelSize + 0.5);
    face.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    face.lfItalic = spec.italic ? TRUE : FALSE;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = ANTIALIASED_QUALITY;
    wcscpy_s(face.lfFaceName, L"Segoe UI");
    const HDC screen = GetDC(nullptr);
    auto font = std::make_unique<Gdiplus::Font>(screen, &face);
    ReleaseDC(nullptr, screen);
    if (font->GetLastStatus() != Gdiplus::Ok || !font->IsAvailable()) {
        return nullptr;
    }
    return font;
}

// Without any font, the width a text would take in one, as the hit testing estimates it.
double EstimatedWidth(std::string_view text, const app::FontSpec& spec) {
    return 0.6 * spec.pixelSize * static_cast<double>(text.size());
}

// Texts laid out as type, without the room GDI+ adds around them by default, spaces at their
// ends counted.
class TextFormat {
  public:
    TextFormat() : format_(Gdiplus::StringFormat::GenericTypographic()) {
        format_.SetFormatFlags(format_.GetFormatFlags() |
                               Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    }
    const Gdiplus::StringFormat* Get() const { return &format_; }

  private:
    Gdiplus::StringFormat format_;
};

double MeasureWith(Gdiplus::Graphics& graphics, const Gdiplus::Font& font, std::string_view text) {
    const std::wstring wide = Widen(text);
    Gdiplus::RectF bounds;
    const TextFormat format;
    graphics.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                           Gdiplus::PointF(0, 0), format.Get(), &bounds);
    return bounds.Width;
}

}  // namespace

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
    Gdiplus::GdiplusShutdown(token_);
}

// The fonts of the text roles, made once per canvas, and how far each rises above its
// baseline. A font the system cannot give is null: its texts are left out.
struct GdiplusCanvas::Fonts {
    struct Made {
        std::unique_ptr<Gdiplus::Font> font;
        double ascent = 0;
    };
    std::map<std::tuple<double, bool, bool>, Made> made;

    const Made& For(const app::FontSpec& spec) {
        const auto key = std::make_tuple(spec.pixelSize, spec.bold, spec.italic);
        auto found = made.find(key);
        if (found == made.end()) {
            Made font{PictureFont(spec)};
            if (font.font != nullptr) {
                Gdiplus::FontFamily family;
                font.font->GetFamily(&family);
                const INT style = font.font->GetStyle();
                font.ascent = font.font->GetSize() * family.GetCellAscent(style) /
                              std::max<UINT16>(1, family.GetEmHeight(style));
            }
            found = made.emplace(key, std::move(font)).first;
        }
        return found->second;
    }
};

GdiplusCanvas::GdiplusCanvas(Gdiplus::Graphics& graphics, GdiplusLayers* layers, Spot origin)
    : graphics_(graphics), fonts_(std::make_unique<Fonts>()), layers_(layers), origin_(origin) {
    graphics_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

GdiplusCanvas::~GdiplusCanvas() = default;

void GdiplusCanvas::SetTransform(double scale, double dx, double dy) {
    const Gdiplus::Matrix matrix(Real(scale), 0, 0, Real(scale), Real(dx - origin_.x),
                                 Real(dy - origin_.y));
    graphics_.SetTransform(&matrix);
}

void GdiplusCanvas::ClipTo(const app::PictureRect& rect) {
    Gdiplus::Matrix kept;
    graphics_.GetTransform(&kept);
    graphics_.ResetTransform();
    graphics_.SetClip(Gdiplus::RectF(Real(rect.left - origin_.x), Real(rect.top - origin_.y),
                                     Real(rect.width), Real(rect.height)));
    graphics_.SetTransform(&kept);
}

void GdiplusCanvas::Unclip() {
    graphics_.ResetClip();
}

void GdiplusCanvas::Layer(int slot, std::uint64_t version, const app::PictureRect& area,
                          const std::function<void(app::Canvas&)>& paint) {
    if (layers_ == nullptr || area.Empty()) {
        paint(*this);
        return;
    }
    GdiplusLayers::Kept& kept = layers_->kept[slot];
    if (kept.image == nullptr || kept.version != version || kept.area != area) {
        auto image = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(std::ceil(area.width)),
                                                       static_cast<INT>(std::ceil(area.height)),
                                                       PixelFormat32bppRGB);
        if (image->GetLastStatus() != Gdiplus::Ok) {
            paint(*this);
            return;
        }
        {
            Gdiplus::Graphics graphics(image.get());
            graphics.Clear(Gdiplus::Color(255, 255, 255));
            GdiplusCanvas canvas(graphics, nullptr, {area.left, area.top});
            paint(canvas);
        }
        kept = {version, area, std::move(image)};
    }
    Gdiplus::Matrix transform;
    graphics_.GetTransform(&transform);
    graphics_.ResetTransform();
    // One to one: no smoothing of the bitmap's pixels, which already are the screen's.
    const Gdiplus::InterpolationMode interpolation = graphics_.GetInterpolationMode();
    graphics_.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    const Gdiplus::Rect place(
        static_cast<INT>(area.left - origin_.x), static_cast<INT>(area.top - origin_.y),
        static_cast<INT>(kept.image->GetWidth()), static_cast<INT>(kept.image->GetHeight()));
    graphics_.DrawImage(kept.image.get(), place);
    graphics_.SetInterpolationMode(interpolation);
    graphics_.SetTransform(&transform);
}

void GdiplusCanvas::FillRect(const app::PictureRect& rect, app::Ink ink) {
    const Gdiplus::SolidBrush brush(ToColor(ink));
    graphics_.FillRectangle(&brush, ToRect(rect));
}

void GdiplusCanvas::StrokeRect(const app::PictureRect& rect, app::Ink ink, double width) {
    const Gdiplus::Pen pen(ToColor(ink), Real(width));
    graphics_.DrawRectangle(&pen, ToRect(rect));
}

void GdiplusCanvas::Line(Spot from, Spot to, app::Ink ink, double width) {
    Gdiplus::Pen pen(ToColor(ink), Real(width));
    pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
    graphics_.DrawLine(&pen, Real(from.x), Real(from.y), Real(to.x), Real(to.y));
}

void GdiplusCanvas::Disc(Spot centre, double radius, app::Ink ink) {
    const Gdiplus::SolidBrush brush(ToColor(ink));
    graphics_.FillEllipse(&brush, Real(centre.x - radius), Real(centre.y - radius),
                          Real(2 * radius), Real(2 * radius));
}

void GdiplusCanvas::Ring(Spot centre, double radius, app::Ink ink, double width) {
    const Gdiplus::Pen pen(ToColor(ink), Real(width));
    graphics_.DrawEllipse(&pen, Real(centre.x - radius), Real(centre.y - radius), Real(2 * radius),
                          Real(2 * radius));
}

void GdiplusCanvas::Text(Spot at, TextAnchor anchor, std::string_view text,
                         const app::FontSpec& spec, app::Ink ink) {
    const Fonts::Made& font = fonts_->For(spec);
    if (font.font == nullptr) {
        return;
    }
    double left = at.x;
    if (anchor != TextAnchor::Start) {
        const double width = MeasureWith(graphics_, *font.font, text);
        left -= anchor == TextAnchor::Middle ? width / 2 : width;
    }
    // GDI+ places a line by its top; the picture gives its baseline.
    const std::wstring wide = Widen(text);
    const Gdiplus::SolidBrush brush(ToColor(ink));
    const TextFormat format;
    graphics_.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font.font.get(),
                         Gdiplus::PointF(Real(left), Real(at.y - font.ascent)), format.Get(),
                         &brush);
}

double GdiplusCanvas::TextWidth(std::string_view text, const app::FontSpec& spec) {
    const Fonts::Made& font = fonts_->For(spec);
    return font.font != nullptr ? MeasureWith(graphics_, *font.font, text)
                                : EstimatedWidth(text, spec);
}

// A canvas of its own over a scratch image, whose fonts serve every measure.
struct GdiplusDrawer::Measuring {
    Gdiplus::Bitmap scratch{1, 1, PixelFormat24bppRGB};
    Gdiplus::Graphics graphics{&scratch};
    GdiplusCanvas canvas{graphics};
};

GdiplusDrawer::GdiplusDrawer(HWND window) : window_(window) {}

GdiplusDrawer::~GdiplusDrawer() = default;

double GdiplusDrawer::TextWidth(std::string_view text, const app::FontSpec& spec) {
    if (measuring_ == nullptr) {
        measuring_ = std::make_unique<Measuring>();
    }
    return measuring_->canvas.TextWidth(text, spec);
}

namespace {

std::optional<CLSID> PngEncoderId() {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> room(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(room.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return std::nullopt;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            return encoders[i].Clsid;
        }
    }
    return std::nullopt;
}

std::string Failure(Gdiplus::Status status) {
    if (status == Gdiplus::OutOfMemory) {
        return "not enough memory for a picture of that size";
    }
    return "the PNG encoder failed (GDI+ status " + std::to_string(static_cast<int>(status)) + ")";
}

// The bytes written to a stream in memory.
std::optional<std::string> ContentOf(IStream& stream) {
    STATSTG about{};
    if (FAILED(stream.Stat(&about, STATFLAG_NONAME)) ||
        FAILED(stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(about.cbSize.QuadPart), '\0');
    ULONG read = 0;
    if (FAILED(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
        read != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<std::string> GdiplusDrawer::EncodePng(
    const std::function<void(app::Canvas&, int, int)>& paint, std::string& why) {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    const int height = client.bottom;
    Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
    if (bitmap.GetLastStatus() != Gdiplus::Ok) {
        why = Failure(bitmap.GetLastStatus());
        return std::nullopt;
    }
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(255, 255, 255));
        GdiplusCanvas canvas(graphics);
        paint(canvas, width, height);
    }
    const std::optional<CLSID> png = PngEncoderId();
    if (!png) {
        why = "the system has no PNG encoder";
        return std::nullopt;
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        why = Failure(Gdiplus::OutOfMemory);
        return std::nullopt;
    }
    const Gdiplus::Status saved = bitmap.Save(stream, &*png, nullptr);
    std::optional<std::string> bytes;
    if (saved == Gdiplus::Ok) {
        bytes = ContentOf(*stream);
    }
    stream->Release();
    if (!bytes) {
        why = Failure(saved != Gdiplus::Ok ? saved : Gdiplus::GenericError);
    }
    return bytes;
}

}  // namespace walkconv::win32
