#pragma once

namespace sorvane {

// The main window's text fields, under their names in the window.
enum class TextField { Text_Code, Text_N1, Text_CCR, Text_TCR, Text_FCR };

}  // namespace sorvane
