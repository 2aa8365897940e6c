#include "windowparts/colourtable.h"

#include <array>

namespace ColourTable {
namespace {
struct Entry {
    const char16_t* name;
    int r, g, b;
};
constexpr std::array<Entry, Count> table{{
    {u"黑色", 0, 0, 0},
    {u"藍色", 0, 0, 255},
    {u"紅色", 255, 0, 0},
    {u"綠色", 0, 128, 0},
    {u"橘色", 255, 128, 0},
    {u"紫色", 255, 0, 255},
    {u"灰色", 128, 128, 128},
    {u"天藍色", 5, 208, 240},
    {u"淺綠色", 208, 240, 5},
    {u"淡黃色", 240, 208, 5},
}};
} // namespace

QColor colour(int index) {
    const Entry& e = table[size_t(index >= 0 && index < Count ? index : 0)];
    return QColor(e.r, e.g, e.b);
}

QString name(int index) {
    if (index < 0 || index >= Count) return QString();
    return QString::fromUtf16(table[size_t(index)].name);
}
} // namespace ColourTable
