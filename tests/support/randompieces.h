#pragma once
#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

// Up to maxCount pieces, each drawn at random (from `rare` one time in rareOdds when given):
// short inputs that mix the bytes a reader or a converter treats apart, in any order.
inline QByteArray randomPieces(QRandomGenerator& random, const QList<QByteArray>& pieces,
                               int maxCount, const QList<QByteArray>& rare = {},
                               int rareOdds = 40) {
    QByteArray bytes;
    const int count = random.bounded(maxCount);
    for (int i = 0; i < count; ++i) {
        const QList<QByteArray>& from =
            !rare.isEmpty() && random.bounded(rareOdds) == 0 ? rare : pieces;
        bytes += from.at(random.bounded(int(from.size())));
    }
    return bytes;
}
