#include "command/calculate_and_show.h"

#include <exception>
#include <string>

#include "core/calculate_section.h"
#include "core/plain_decimal.h"
#include "output/show_airfoil.h"

namespace sorvane {
namespace {

std::string PlotDescription(const SectionState& state)
{
    const double count = CellValue(state.NumPoints);
    return SectionName(state) + ", " + ShortestPlainDecimal(count) + (count == 1 ? " point" : " points");
}

}  // namespace

void CalculateAndShow(SectionForm& form, CoordFile& file, SectionState& state)
{
    // No C++ exception escapes into the window's event loop: every one ends in a message. (A JavaScript
    // exception on the page is no C++ exception; the page's listeners catch it.)
    try {
        const CalculateOutcome outcome = CalculateSection(
            form.Text(TextField::Text_Code), form.Text(TextField::Text_N1),
            form.DecimalSeparator(), state);

        if (outcome.ratios) {
            form.SetText(TextField::Text_FCR, outcome.ratios->Text_FCR);
            form.SetText(TextField::Text_CCR, outcome.ratios->Text_CCR);
            form.SetText(TextField::Text_TCR, outcome.ratios->Text_TCR);
        }
        if (outcome.message) {
            form.ShowMessage(*outcome.message);
            return;
        }
        if (!outcome.sectionFilled) return;

        // A file that cannot be written does not make the section wrong: still plot it.
        if (const auto failure = WriteCoords(state.X, state.Y, state, file))
            form.ShowMessage(*failure);
        ShowAirfoil(state.X, state.Y, state, form.Picture_Airfoil());
        form.DescribePlot(PlotDescription(state));
    } catch (const std::exception& error) {
        form.ShowMessage(std::string("The calculation failed: ") + error.what());
    } catch (...) {
        form.ShowMessage("The calculation failed.");
    }
}

}  // namespace sorvane
