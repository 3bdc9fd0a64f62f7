#pragma once

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "command/section_form.h"
#include "core/wide_text.h"
#include "output/recorded_drawing.h"
#include "output/write_coords.h"

namespace sorvane::testing {

// Keeps every call the plot makes, in order, in a box of any size in pixels
// (by default the main window's at 96 dpi).
class RecordingBox : public RecordedDrawing {
public:
    explicit RecordingBox(int widthPixels = 409, int heightPixels = 169) { SetOuterPixels(widthPixels, heightPixels); }

    void Cls() override
    {
        ++clears;
        calls.push_back("Cls");
        RecordedDrawing::Cls();
    }
    void Scale(float x1, float y1, float x2, float y2) override
    {
        calls.push_back("Scale");
        RecordedDrawing::Scale(x1, y1, x2, y2);
    }
    void Line(float x1, float y1, float x2, float y2, Rgb colour) override
    {
        calls.push_back("Line");
        RecordedDrawing::Line(x1, y1, x2, y2, colour);
    }

    // Whether every coordinate handed to the box was a finite number.
    bool AllFinite() const
    {
        const Frame& frame = UserFrame();
        bool finite = std::isfinite(frame.x1) && std::isfinite(frame.y1)
                      && std::isfinite(frame.x2) && std::isfinite(frame.y2);
        for (const Segment& s : Segments())
            finite = finite && std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2)
                     && std::isfinite(s.y2);
        return finite;
    }

    int clears = 0;
    std::vector<std::string> calls;
};

// The main window's fields as a map, its messages as a list.
class FakeForm : public SectionForm {
public:
    FakeForm(std::string code, std::string count)
    {
        texts[TextField::Text_Code] = std::move(code);
        texts[TextField::Text_N1] = std::move(count);
    }

    std::string Text(TextField field) const override
    {
        const auto it = texts.find(field);
        return it == texts.end() ? std::string() : it->second;
    }
    void SetText(TextField field, const std::string& text) override { texts[field] = text; }
    void ShowMessage(const std::string& message) override { messages.push_back(message); }
    std::string DecimalSeparator() const override { return separator; }
    DrawingBox& Picture_Airfoil() override { return box; }
    void DescribePlot(const std::string& description) override { plotDescription = description; }

    std::map<TextField, std::string> texts;
    std::vector<std::string> messages;
    std::string separator = ".";
    RecordingBox box;
    std::string plotDescription;
};

// The text with each "\n" turned into the platform's line end, as the file writes it.
inline std::string PlatformLines(const std::string& text)
{
    std::string lines;
    for (const char c : text) lines += c == '\n' ? std::string(LineEndText(kSystemLineEnd)) : std::string(1, c);
    return lines;
}

// The names in a folder, sorted.
inline std::vector<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(Utf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path()
                / ("sorvane-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace sorvane::testing
