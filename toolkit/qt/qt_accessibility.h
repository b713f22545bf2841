#pragma once
// What assistive technology (a screen reader, through AT-SPI) reads of the toolkit's objects.
// Qt names a drop-down list by its current item and a plain top-level widget is a filler, not
// a frame; the toolkit's windows and lists are described instead as a person needs them.

namespace toolkit::qt_accessibility {

// Call once, after the QApplication exists and before any window is created.
void Install();

// A label with this property true is the toolkit's static text, described as its whole text.
inline constexpr char LineProperty[] = "toolkitStaticText";

}  // namespace toolkit::qt_accessibility
