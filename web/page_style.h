#pragma once

#include <string>

// The page's own lengths, held once: the build writes them into the
// stylesheet as custom properties, and the program reads them from here.
namespace sorvane::web {

// The controls' text under a mouse, in the person's size (rem): the browser's own controls' size.
inline constexpr double kMouseTextRem = 0.8125;
// Before the program measures it, a twip is this share of the controls' text
// size: about what the fit gives the browser's default text.
inline constexpr double kTextPerTwip = 154.375;
// In CSS pixels: round the page, the window's border, a frame's border.
inline constexpr double kPageMargin = 8;
inline constexpr double kWindowBorder = 1;
inline constexpr double kFrameBorder = 2;
// Every control a person clicks is at least 24 CSS pixels across and down, as
// WCAG 2.2 asks of targets; one a finger taps, 44 (Apple's 44 points, WCAG's
// 2.5.5). The design grows to that where the text alone would leave it smaller.
inline constexpr double kSmallestTarget = 24;
inline constexpr double kFingerTarget = 44;
// A phone's own text size, or the person's larger one: the text under a finger.
inline constexpr const char* kFingerText = "max(1rem, 16px)";

// The rule that sets them as custom properties of the page.
std::string PageProperties();

}  // namespace sorvane::web
