#pragma once
// A plain matcher of the text-pattern rule (common/muster.h), written for
// clarity rather than speed: the tests and the fuzz target compare the real
// matcher against it. "*" any run, "?" any one character, "#" one of 0-9,
// "[list]" one of the list (ranges "a-z", "!" first for none of them), any
// other character itself. An unclosed "[" or a range running backwards
// ("[z-a]") makes the pattern match nothing.

#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace zreferenz {

inline bool MusterEinfach(QStringView text, QStringView muster)
{
    struct Teil
    {
        enum Art { Stern, Beliebig, Ziffer, Liste, Zeichen } art;
        QChar zeichen;
        bool nicht = false;
        std::vector<std::pair<QChar, QChar>> bereiche; // single characters as (c, c)
    };
    std::vector<Teil> teile;
    for (qsizetype j = 0; j < muster.size(); ++j) {
        const QChar c = muster[j];
        if (c == u'*') {
            teile.push_back({Teil::Stern, c, false, {}});
        } else if (c == u'?') {
            teile.push_back({Teil::Beliebig, c, false, {}});
        } else if (c == u'#') {
            teile.push_back({Teil::Ziffer, c, false, {}});
        } else if (c == u'[') {
            const qsizetype ende = muster.indexOf(u']', j + 1);
            if (ende < 0)
                return false;
            Teil t{Teil::Liste, c, false, {}};
            qsizetype k = j + 1;
            if (k < ende && muster[k] == u'!') {
                t.nicht = true;
                ++k;
            }
            for (; k < ende; ++k) {
                if (k + 2 < ende && muster[k + 1] == u'-') {
                    if (muster[k + 2] < muster[k])
                        return false;
                    t.bereiche.emplace_back(muster[k], muster[k + 2]);
                    k += 2;
                } else {
                    t.bereiche.emplace_back(muster[k], muster[k]);
                }
            }
            teile.push_back(std::move(t));
            j = ende;
        } else {
            teile.push_back({Teil::Zeichen, c, false, {}});
        }
    }

    auto einzeln = [](const Teil& t, QChar c) {
        switch (t.art) {
        case Teil::Beliebig:
            return true;
        case Teil::Ziffer:
            return c >= u'0' && c <= u'9';
        case Teil::Liste: {
            bool drin = false;
            for (const auto& [von, bis] : t.bereiche)
                drin = drin || (c >= von && c <= bis);
            return drin != t.nicht;
        }
        default:
            return c == t.zeichen;
        }
    };

    // passt[j * (n + 1) + i]: the parts from j on match the text from i on.
    const qsizetype n = text.size();
    const size_t m = teile.size();
    std::vector<char> passt((m + 1) * size_t(n + 1), 0);
    auto an = [&](size_t j, qsizetype i) -> char& { return passt[j * size_t(n + 1) + size_t(i)]; };
    an(m, n) = 1;
    for (size_t j = m; j-- > 0;) {
        for (qsizetype i = n; i >= 0; --i) {
            if (teile[j].art == Teil::Stern)
                an(j, i) = an(j + 1, i) || (i < n && an(j, i + 1));
            else
                an(j, i) = i < n && einzeln(teile[j], text[i]) && an(j + 1, i + 1);
        }
    }
    return an(0, 0) != 0;
}

} // namespace zreferenz
