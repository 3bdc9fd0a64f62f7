// Run at build time: writes the page's index.html with the main window in it,
// and its stylesheet with the window's rectangles, from the window design.
//   make_page INDEX_TEMPLATE STYLESHEET OUT_INDEX OUT_STYLESHEET
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "web/window_markup.h"

namespace {

bool Read(const char* name, std::string& text)
{
    std::ifstream in(name, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<bool>(in) || in.eof();
}

bool Write(const char* name, const std::string& text)
{
    std::ofstream out(name, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: make_page INDEX_TEMPLATE STYLESHEET OUT_INDEX OUT_STYLESHEET\n";
        return 2;
    }
    std::string page, rules;
    if (!Read(argv[1], page) || !Read(argv[2], rules)) {
        std::cerr << "make_page: could not read " << argv[1] << " or " << argv[2] << "\n";
        return 1;
    }
    if (sorvane::web::WithWindow(page) == page) {
        std::cerr << "make_page: " << argv[1] << " has no place for the window\n";
        return 1;
    }
    if (!Write(argv[3], sorvane::web::WithWindow(page)) || !Write(argv[4], sorvane::web::StylesheetWithWindow(rules))) {
        std::cerr << "make_page: could not write " << argv[3] << " or " << argv[4] << "\n";
        return 1;
    }
    return 0;
}
