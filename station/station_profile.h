#pragma once

#include <QString>

namespace station {

// The operator's own station, as "My station…" enters it. Name, QTH and region have their Latin form and
// optional Cyrillic and katakana forms. Every field may be empty.
struct StationProfile {
    QString call;
    QString name;
    QString nameCyrillic;
    QString nameKatakana;
    QString qth;
    QString qthCyrillic;
    QString qthKatakana;
    QString region;
    QString regionCyrillic;
    QString regionKatakana;
    QString locator;
    QString rig;
    QString antenna;
    QString power;
    QString adifLog;

    friend bool operator==(const StationProfile&, const StationProfile&) = default;
};

} // namespace station
