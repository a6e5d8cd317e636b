// Labels of the limited-function view's lines: four general lines, then two lines for each
// state the machine can be limited by (no change, valid change, no banknote ...).
#pragma once
#include <QString>

namespace LimitedLines {

// The seven label texts, each with %1 for the line's number within its group.
struct Texts
{
    const char *general;
    const char *stateLines[6];
};

// The label of the byte at offset from the first line's first byte (eight bytes a line),
// translated in context; empty past the sixteenth line.
QString label(const char *context, const Texts &texts, quint32 offset);

} // namespace LimitedLines
