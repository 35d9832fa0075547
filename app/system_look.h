// What Windows' look asks of every part of the program that draws.
#pragma once

// Whether high contrast is on. Asked each time something is drawn: the theme
// can change while a window or the menu is open.
bool HighContrastOn();
