#include "common/woerter.h"

#include "common/texte.h"

namespace zcommon {

std::array<QString, 100> Wort;
int WortAnzahl = 0;

void Woerter_Zerlegen(const QString& text, const QString& trenner)
{
    static const QString standardTrenner = QStringLiteral("\r\n\t /,;|");
    const QString& t = trenner.isEmpty() ? standardTrenner : trenner;
    for (QString& w : Wort)
        w.clear();
    WortAnzahl = 0;

    const qsizetype n = text.size();
    qsizetype anfang = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !t.contains(text.at(i)))
            continue;
        if (i > anfang) {
            // From the 100th word on each further word takes place 99.
            if (WortAnzahl < 99)
                ++WortAnzahl;
            Wort[size_t(WortAnzahl)] = text.mid(anfang, i - anfang);
        }
        anfang = i + 1;
    }
}

QString Wort_Parameter(const QString& praefix)
{
    for (int i = 1; i <= WortAnzahl; ++i) {
        const QString& w = Wort[size_t(i)];
        if (w.size() >= praefix.size() && LCase(w.left(praefix.size())) == LCase(praefix))
            return w.mid(praefix.size());
    }
    return QString();
}

} // namespace zcommon
