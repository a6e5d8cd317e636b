#include "base/scale.h"

static double s_displayScale = 1.0;

double displayScale() { return s_displayScale; }

void setDisplayScale(double scale) { s_displayScale = scale; }

double scaleForDpi(double dpi)
{
    const double s = dpi / 128.0;
    return s < 1.0 ? 1.0 : s;
}

int scaled(int n) { return static_cast<int>(n * s_displayScale); }
