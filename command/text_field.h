#pragma once

namespace sorvane {

// The main window's text fields, under their names in the window.
enum class TextField { Text_Code, Text_N1, Text_CCR, Text_TCR, Text_FCR };

// The fields the Calculate command reads; it only writes the others.
constexpr bool IsInput(TextField field) { return field == TextField::Text_Code || field == TextField::Text_N1; }

}  // namespace sorvane
