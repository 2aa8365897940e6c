#pragma once
#include <QIcon>

// The shared 16 x 16 image list, numbered from 1: 1 grey, 2 yellow, 3 green, 4 blue,
// 5 red square (account kinds), 6 yellow folder, 7-11 the five squares again (entry list),
// 12 clock, 13 yellow bell, 14 red bell. Other numbers give a null icon.
namespace ImageList2 {
QIcon icon(int number);
// Image of an account name by its prefix: "Eq" 1, "A-" 2, "L-" 3, "I-" 4, "E-" 5; 0 none.
int kindImage(const QString& accountName);
} // namespace ImageList2
