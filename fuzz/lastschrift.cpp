// Direct-debit records and the payer list: ten values written as a record
// and read back give the values as a plain reference normalises them (TAB,
// CR and LF as blanks, blanks at the ends trimmed); any line that reads as a
// record writes and reads back to the same record; payer entries split back
// into their cleaned fields and the stored list text is stable.
#include "payment/lastschrift.h"
#include "payment/auftraggeber.h"

#include "common/texte.h"
#include "platform/codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

using namespace zzahlung;

namespace {

void fehler(const char* was)
{
    std::fprintf(stderr, "Eigenschaft verletzt: %s\n", was);
    std::abort();
}

QString text(FuzzedDataProvider& p)
{
    const std::string s = p.ConsumeRandomLengthString(64);
    return zplatform::ausWindows1252(QByteArray(s.data(), qsizetype(s.size())));
}

// The reference: what a value becomes on its way through a record.
QString normal(QString v)
{
    for (QChar& c : v) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return zcommon::Trim(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    FuzzedDataProvider p(daten, groesse);
    Lastschrift l;
    for (QString* w : {&l.absName, &l.absKontoNr, &l.absBLZ, &l.absBank, &l.waehrung, &l.betrag, &l.verwendung1,
                       &l.verwendung2, &l.empName, &l.empKontoNr})
        *w = text(p);
    const QString satz = Lastschrift_Satz(l);
    if (satz.contains(u'\r') || satz.contains(u'\n') || satz.count(u'\t') != 11)
        fehler("ein Satz ist eine Zeile mit elf Feldern");
    const std::optional<Lastschrift> zurueck = Lastschrift_Lesen(satz);
    if (!zurueck)
        fehler("ein geschriebener Satz wird gelesen");
    Lastschrift erwartet;
    const QString* quelle[] = {&l.absName, &l.absKontoNr,  &l.absBLZ,      &l.absBank, &l.waehrung,
                               &l.betrag,  &l.verwendung1, &l.verwendung2, &l.empName, &l.empKontoNr};
    QString* ziel[] = {&erwartet.absName,  &erwartet.absKontoNr, &erwartet.absBLZ,      &erwartet.absBank,
                       &erwartet.waehrung, &erwartet.betrag,     &erwartet.verwendung1, &erwartet.verwendung2,
                       &erwartet.empName,  &erwartet.empKontoNr};
    for (int i = 0; i < 10; ++i)
        *ziel[i] = normal(*quelle[i]);
    if (!(*zurueck == erwartet))
        fehler("Satz hin und zurück");

    // Any line: when it is a record, it is stable under writing and reading.
    const QString zeile = text(p);
    if (const auto r = Lastschrift_Lesen(zeile)) {
        const auto wieder = Lastschrift_Lesen(Lastschrift_Satz(*r));
        if (!wieder || !(*wieder == *r))
            fehler("gelesener Satz bleibt beim Schreiben gleich");
    }

    // Payer entries.
    const QString name = text(p), konto = text(p), blz = text(p), bank = text(p);
    const QString eintrag = Auftraggeber_Eintrag(name, konto, blz, bank);
    if (eintrag.contains(u';'))
        fehler("ein Eintrag enthält kein Semikolon");
    const auto teile = Auftraggeber_Zerlegen(eintrag);
    const QString* felder[] = {&name, &konto, &blz, &bank};
    for (int i = 0; i < 4; ++i) {
        if (teile[size_t(i)] != zcommon::Trim(Zahlerzeichen(*felder[i])))
            fehler("Auftraggeber hin und zurück");
    }
    const QStringList liste = Auftraggeberliste_Lesen(text(p));
    if (Auftraggeberliste_Lesen(Auftraggeberliste_Text(liste)) != liste)
        fehler("gespeicherte Liste ist stabil");
    return 0;
}
