// Fuzz target of the list selection and the comma clean-up of list blocks.
//
// Properties checked, against plain references written out here:
// - the selection by user and text filter agrees with splitting the record
//   at its TABs and comparing field 9 and the whole line;
// - the comma clean-up (which stops early once nothing is left to shrink)
//   agrees with nine full rounds of plain replacing.

#include "printing/listendruck.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

void pruefen(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

bool referenzPasst(const QString& zeile, const QString& benutzer, const QString& text)
{
    const QStringList felder = zeile.split(QLatin1Char('\t'));
    QString f9 = felder.size() > 9 ? felder.at(9) : QString();
    f9.replace(QStringLiteral("°°"), QStringLiteral("\r\n"));
    const QString u = benutzer.trimmed();
    bool ok;
    if (u.isEmpty())
        ok = true; // empty filter: every field 9, the empty one too
    else
        ok = !f9.isEmpty() && f9.indexOf(u) >= 0;
    const QString t = text.trimmed().toLower();
    return ok && (t.isEmpty() || zeile.toLower().indexOf(t) >= 0);
}

QString referenzKommas(QString s)
{
    for (int i = 0; i < 9; ++i) {
        s.replace(QStringLiteral(",  "), QStringLiteral(", "));
        s.replace(QStringLiteral(", , "), QStringLiteral(", "));
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QString alles = QString::fromLatin1(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    // Input: record, user filter and text filter separated by "\n".
    const QStringList teile = alles.split(QLatin1Char('\n'));
    const QString zeile = teile.value(0);
    const QString benutzer = teile.value(1);
    const QString text = teile.value(2);
    // Plain ASCII only in the filters, so lower-casing means the same to both sides.
    for (const QChar c : benutzer + text) {
        if (c.unicode() > 0x7E)
            return 0;
    }
    pruefen(zdruck::Auswahl_Passt(zeile, benutzer, text) == referenzPasst(zeile, benutzer, text));

    const QString sauber = zdruck::Kommas_Bereinigen(alles);
    pruefen(sauber == referenzKommas(alles));
    return 0;
}
