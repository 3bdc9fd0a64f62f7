#include "win32/gdi_text_measurer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/wide_text.h"

namespace sorvane::win32 {
namespace {

constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};

}  // namespace

GdiTextMeasurer::GdiTextMeasurer(const LOGFONTW& desktop, int dpi)
    : desktop_(desktop), dpi_(dpi), dc_(CreateCompatibleDC(nullptr))
{
    // Without one every metric would be 0, and the fit silently wrong.
    if (dc_.get() == nullptr) throw std::runtime_error("the system gave no device context to measure text in");
    LOGFONTW normal = desktop_;
    normal.lfWidth = 0;
    font_ = Made(CreateFontIndirectW(&normal), "the desktop's font");
    original_ = SelectObject(dc_.get(), font_.get());
    GetTextMetricsW(dc_.get(), &metrics_);
    normalAverageWidth_ = metrics_.tmAveCharWidth;
}

// The font is deselected before it is deleted, and the context goes last.
GdiTextMeasurer::~GdiTextMeasurer() { SelectObject(dc_.get(), original_); }

FontChoice GdiTextMeasurer::DesktopFont() const
{
    // A negative height is the characters' own height, a positive one the whole cell's.
    const double pixels = desktop_.lfHeight < 0 ? -desktop_.lfHeight
                                                : metrics_.tmHeight - metrics_.tmInternalLeading;
    return {pixels * 72.0 / dpi_, 100};
}

LOGFONTW GdiTextMeasurer::FontFor(const FontChoice& font) const
{
    LOGFONTW chosen = desktop_;
    if (font.points != DesktopFont().points)
        chosen.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi_ / 72.0));
    chosen.lfWidth =
        font.stretch >= 100 ? 0 : static_cast<LONG>(std::lround(normalAverageWidth_ * font.stretch / 100.0));
    return chosen;
}

void GdiTextMeasurer::Use(const FontChoice& font)
{
    const LOGFONTW chosen = FontFor(font);
    Font next = Made(CreateFontIndirectW(&chosen), "a font to measure with");
    SelectObject(dc_.get(), next.get());
    font_ = std::move(next);
    GetTextMetricsW(dc_.get(), &metrics_);
}

double GdiTextMeasurer::LineHeight() const { return metrics_.tmHeight; }

double GdiTextMeasurer::Ascent() const { return metrics_.tmAscent; }

double GdiTextMeasurer::Advance(std::string_view text) const
{
    const std::wstring wide = Widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc_.get(), wide.c_str(), int(wide.size()), &extent);
    return extent.cx;
}

double GdiTextMeasurer::Overhang(std::string_view text) const
{
    const std::wstring wide = Widen(text);
    if (wide.empty()) return 0;
    ABC widths{};
    if (!GetCharABCWidthsW(dc_.get(), wide.back(), wide.back(), &widths)) return 0;
    return std::max(0, -widths.abcC);
}

InkBox GdiTextMeasurer::Ink(std::string_view text) const
{
    const std::wstring wide = Widen(text);
    InkBox ink{};
    bool any = false;
    double pen = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        GLYPHMETRICS glyph{};
        const DWORD result = GetGlyphOutlineW(dc_.get(), wide[i], GGO_METRICS, &glyph, 0, nullptr, &kIdentity);
        SIZE advance{};
        GetTextExtentPoint32W(dc_.get(), wide.c_str(), int(i + 1), &advance);
        if (result != GDI_ERROR && glyph.gmBlackBoxX > 0 && wide[i] != L' ') {
            // Glyph origins are y upwards from the baseline; the ink box is y downwards.
            const InkBox box{pen + glyph.gmptGlyphOrigin.x, -double(glyph.gmptGlyphOrigin.y),
                             pen + glyph.gmptGlyphOrigin.x + glyph.gmBlackBoxX,
                             -double(glyph.gmptGlyphOrigin.y) + glyph.gmBlackBoxY};
            ink = any ? InkBox{std::min(ink.left, box.left), std::min(ink.top, box.top),
                               std::max(ink.right, box.right), std::max(ink.bottom, box.bottom)}
                      : box;
            any = true;
        }
        pen = advance.cx;
    }
    return ink;
}

}  // namespace sorvane::win32
