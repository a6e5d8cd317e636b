// A fixed-layout model with a page of nothing, for tests of the shared base under the layout
// descriptions of the different board generations.
#pragma once
#include "devices/fixedlayoutmodel.h"
#include <QByteArray>

class FixedTestModel : public FixedLayoutModel
{
public:
    explicit FixedTestModel(const FixedLayout &layout) : FixedLayoutModel(layout, nullptr) {}
    void buildPage(QWidget *) override {}

    QByteArray imageBytes() { return QByteArray(reinterpret_cast<const char *>(image()), ImageSize); }
    QByteArray nvBytes() { return QByteArray(reinterpret_cast<const char *>(nvRegion()), NvSize); }
};

// 16-bit layout word at 8180 whose bit 15 is left alone, text pool below the parameters.
inline const FixedLayout controllerLayout = {
    "Controller", 0xFFFF, 0x0100, 0x9F0F, 8180, 0x7FFF, false, 0, 6540, false, 7166,
    "help_bg", "help_test", nullptr, nullptr};
// The same with bit 15 as the board's FM flag and an upward text pool.
inline const FixedLayout fmLayout = {
    "FM", 0xFFFF, 0x0100, 0xFFFF, 8180, 0x7FFF, true, 834, 7196, true, 170,
    "help_bg", "help_test", nullptr, nullptr};
// A whole 32-bit layout word at 8180.
inline const FixedLayout wordLayout = {
    "Word", 0x0100, 0x0100, 0x0400, 8180, 0xFFFFFFFF, false, 0, 6864, false, 7042,
    "help_bg", "help_test", nullptr, nullptr};
// A 32-bit layout word further down, and no relay mask.
inline const FixedLayout lowLayout = {
    "Low", 0x0300, 0x0100, 0x0300, 8132, 0xFFFFFFFF, false, 922, 7166, true, -1,
    "help_bg", "help_test", nullptr, nullptr};
