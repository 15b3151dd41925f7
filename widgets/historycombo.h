// THistoryCombo: an address field that remembers the last ten texts used,
// newest first, in a list section of the settings store.
#pragma once

#include "widgets/valuecombo.h"

class THistoryCombo : public TValueCombo {
    Q_OBJECT
public:
    // `key`: the list's subkey ("UrlHistory", "SrcHistory").
    THistoryCombo(const QString& key, QWidget* parent = nullptr, int limit = kLimit);
    // Puts the current text at the top and writes the list back.
    void remember();

    static constexpr int kLimit = 10;

private:
    QString key_;
    int limit_;
};
