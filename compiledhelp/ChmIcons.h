#pragma once
// The icons of contents entries, drawn for this program (16x16 GIF files;
// compiledhelp/icons/make_icons.py draws them and generates the table).

#include <string_view>

inline constexpr int kChmIconCount = 42;

// The GIF file of image number 1..42; empty for any other number.
std::string_view ChmIconGif(int number);
