// Display scale of the primary screen and the scaled() helper every pixel size goes through.
#pragma once

double displayScale();
void setDisplayScale(double scale);
// The scale for a screen of the given physical dots per inch: dpi / 128, at least 1.
double scaleForDpi(double dpi);
// n times the display scale, truncated toward zero.
int scaled(int n);
