#pragma once

#include "design/layout_fit.h"
#include "win32/handles.h"

namespace sorvane::win32 {

// The desktop's message font as GDI measures it at a screen density. GDI has
// no stretch percentage: a narrower font is one with a smaller average width.
class GdiTextMeasurer : public TextMeasurer {
public:
    GdiTextMeasurer(const LOGFONTW& desktop, int dpi);
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    FontChoice DesktopFont() const override;
    void Use(const FontChoice& font) override;
    double LineHeight() const override;
    double Ascent() const override;
    double Advance(std::string_view text) const override;
    double Overhang(std::string_view text) const override;
    InkBox Ink(std::string_view text) const override;

    // The desktop's font at the size and width the fit chose.
    LOGFONTW FontFor(const FontChoice& font) const;

private:
    LOGFONTW desktop_;
    int dpi_;
    int normalAverageWidth_ = 0;
    MemoryDc dc_;
    Font font_;
    HGDIOBJ original_ = nullptr;
    TEXTMETRICW metrics_{};
};

}  // namespace sorvane::win32
