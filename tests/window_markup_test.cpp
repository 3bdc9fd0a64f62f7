#include "web/window_markup.h"

#include <gtest/gtest.h>

#include <string>

#include "design/window_design.h"

namespace sorvane::web {
namespace {

// The element that carries an id, as the markup writes it: from "<tag" to ">".
std::string ElementWithId(const std::string& markup, std::string_view id)
{
    const std::size_t at = markup.find(" id=\"" + std::string(id) + "\"");
    if (at == std::string::npos) return {};
    const std::size_t start = markup.rfind('<', at);
    return markup.substr(start, markup.find('>', at) - start + 1);
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(WindowMarkup, HoldsEveryControlOfTheDesignWithItsCaptionNameAndLabel)
{
    const std::string markup = MainWindowMarkup();
    for (const ControlSpec& entry : MainWindowDesign().controls) {
        SCOPED_TRACE(std::string(entry.name));
        const std::string element = ElementWithId(markup, entry.name);
        ASSERT_FALSE(element.empty());
        EXPECT_EQ(Count(markup, " id=\"" + std::string(entry.name) + "\""), 1u);
        if (!entry.accessibleName.empty()) {
            EXPECT_NE(element.find("aria-label=\"" + std::string(entry.accessibleName) + "\""), std::string::npos);
        }
        EXPECT_EQ(element.find(" autofocus") != std::string::npos, entry.name == MainWindowDesign().startingFocus);
        if (entry.kind == ControlKind::Edit) {
            EXPECT_NE(element.find("value=\"" + std::string(entry.caption) + "\""), std::string::npos);
            // A phone's number keyboard for what the command reads, and only there.
            EXPECT_EQ(element.find("inputmode=\"decimal\"") != std::string::npos, IsInput(*entry.field)) << entry.name;
        }
        if (entry.kind == ControlKind::Label) {
            EXPECT_NE(element.find("for=\"" + std::string(entry.labels) + "\""), std::string::npos);
            EXPECT_NE(markup.find(element + std::string(entry.caption) + "</label>"), std::string::npos);
        }
        if (!entry.parent.empty()) {  // inside its frame: after it, before the frame's end
            const std::size_t frame = markup.find(ElementWithId(markup, entry.parent));
            EXPECT_GT(markup.find(element), frame);
            EXPECT_LT(markup.find(element), markup.find("</div>", frame));
        }
    }
}

TEST(WindowMarkup, GoesWhereThePageLeavesItsPlaceAndItsRulesInTheStylesheetWithoutComments)
{
    const std::string css = StylesheetWithWindow(
        "/* a */\nbody {\n  margin: 0 auto;\n}\n/* b */ a :hover, p { width: calc(1px - 2 * 3px); }\n");
    EXPECT_EQ(css.find("body{margin:0 auto;}a :hover,p{width:calc(1px - 2 * 3px);}"), 0u);
    EXPECT_EQ(css.find("/*"), std::string::npos);
    const std::string page = "<body>\n<!-- The main window, written here from its design. -->\n</body>\n";
    EXPECT_EQ(WithWindow(page), "<body>\n" + MainWindowMarkup() + "\n</body>\n");
    EXPECT_EQ(WithWindow("<title>x</title>" + page).find("<title>" + std::string(MainWindowDesign().title) + "<"), 0u);
    EXPECT_EQ(WithWindow("<body></body>"), "<body></body>");
}

}  // namespace
}  // namespace sorvane::web
