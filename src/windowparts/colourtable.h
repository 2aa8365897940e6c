#pragma once
#include <QColor>
#include <QString>

// The ten entry colours, index 0 to 9, as the colour menu names them.
namespace ColourTable {
constexpr int Count = 10;
QColor colour(int index); // an index outside 0..9 gives colour 0
QString name(int index);  // "" outside 0..9
} // namespace ColourTable
