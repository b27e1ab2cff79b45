// Fuzz target of the phonetic key and the duplicate count. The input, read
// as Windows-1252, is:
//   - keyed by Phonetik_Code, which must agree with a literal reference of
//     the rules (lower case, trim, filter, the 31 substitutions each searched
//     from the start again after every replacement, the collapse);
//   - keyed as a record (input + TAB), which must equal the keys of its
//     fields, each followed by TAB;
//   - split into lines as an address list, where the kept-key count of every
//     entry must equal a plain pattern match over all entries.
#include "commands/phonetik.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "commands/pruefen.h"
#include "common/muster.h"
#include "common/texte.h"
#include "platform/codec.h"

#include <cstdint>
#include <cstdlib>

namespace {

QString referenz(const QString& eingabe, const QString& extra)
{
    const QString klein = zcommon::Trim(zcommon::LCase(eingabe));
    if (klein.isEmpty())
        return QString();
    const QString erlaubt = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r") + extra;
    QString t;
    for (QChar c : klein)
        if (erlaubt.contains(c))
            t += c;
    const zbefehle::PhonetikRegel* r = zbefehle::Phonetik_Regeln();
    for (int i = 0; i < zbefehle::PhonetikRegelAnzahl; ++i) {
        const QString suche = QString::fromUtf16(r[i].suche);
        const QString ersatz = QString::fromUtf16(r[i].ersatz);
        for (;;) {
            const qsizetype p = t.indexOf(suche);
            if (p < 0)
                break;
            t.replace(p, suche.size(), ersatz);
        }
    }
    QString k;
    for (QChar c : t)
        if (k.isEmpty() || c.isDigit() || c == u'\t' || c != k.back())
            k += c;
    return k;
}

void pruefe(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    if (groesse > 4096)
        return 0;
    const QString text = zplatform::ausWindows1252(QByteArray(reinterpret_cast<const char*>(daten), int(groesse)));

    for (const QString& extra : {QString(), QStringLiteral("*")}) {
        QString variable = text;
        pruefe(zbefehle::Phonetik_Code(variable, extra) == referenz(text, extra));
    }

    const QString satz = text + QLatin1Char('\t');
    QString feldweise;
    const QStringList felder = satz.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i + 1 < felder.size(); ++i) {
        zbefehle::Phonetik_FeldAnhaengen(felder[i], feldweise);
        feldweise += QLatin1Char('\t');
    }
    pruefe(zbefehle::Phonetik_Schluessel(satz) == feldweise);

    zadressbuch::AdressListe liste;
    const QStringList zeilen = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < zeilen.size() && i < 8; ++i)
        liste.AddItem(zeilen[i]);
    for (bool aehnlich : {false, true}) {
        const zbefehle::Vergleichsindex index(liste, aehnlich);
        for (int i = 0; i < liste.ListCount(); ++i) {
            zadressbuch::Felder karte;
            for (int f = 0; f < zadressbuch::FeldAnzahl; ++f)
                karte[size_t(f)] = zadressbuch::FeldRoh(liste.List(i), f).toString();
            const zcommon::Muster m(index.muster(karte));
            int erwartet = 0;
            for (int j = 0; j < liste.ListCount(); ++j)
                erwartet += m.passt(index.vergleichstext(liste.List(j))) ? 1 : 0;
            pruefe(index.anzahlFuerEintrag(i) == erwartet);
        }
    }
    return 0;
}
