// Geometry of a board's view display shared by the view-line editors: font sizes with their
// line heights and line counts, the "line" box and the alignment box.
#pragma once
#include <QtGlobal>

class QComboBox;

namespace ViewLine {

// Vertical positions run from 0 to this.
constexpr int MaxPosition = 320;

// Font size code of the dynamic device's flags (bits 4-6): 0x20 = 1/4, 0x30 = 1/8, 0x40 = 1/16.
// Any other code is treated as 1/16.
int heightForCode(int code);
// Font index of a fixed-layout record: 0 = 1/16, 1 = 1/8, 2 = 1/4; any other index as 1/16.
int heightForIndex(int index);
// Lines on the display for a line height.
inline int linesForHeight(int height) { return MaxPosition / height; }

// Refills box with "Line 1" .. "Line n" without emitting; the entry whose top equals position
// becomes current, none when position is not a multiple of height.
void fillLineBox(QComboBox *box, int lines, int height, int position);
// Makes the matching entry current (or none) without emitting.
void selectLine(QComboBox *box, int height, int position);
// "Align left" (1), "Align center" (2), "Align right" (3).
void addAlignEntries(QComboBox *box);

} // namespace ViewLine
