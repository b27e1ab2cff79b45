// Address files: whatever a file holds, loading, saving and loading again
// gives the same description and records, and from then on saving and
// loading changes nothing; every record is one line that does not begin with the field
// separator. (One thing may go: end-of-file marks (Ctrl+Z) that end the last
// address are dropped when the saved file is read, as they are in any file,
// and an address left without content by that is skipped.) A file read by
// its byte-order mark as UTF-8 or UTF-16 saves as Windows-1252, or, holding a
// character that cannot, is refused with a message.
#include "fuzzhilfe.h"

#include "addressbook/adressdatei.h"
#include "platform/codec.h"

#include <QFile>

namespace {

// A record with no content: every field but "erstellt am", "geändert am" and
// "Index" (fields past the 24th count too) empty, blank or end-of-file marks.
bool ohneInhalt(const QString& satz)
{
    const QStringList felder = satz.split(u'\t');
    for (qsizetype k = 0; k < felder.size(); ++k) {
        if (k == zadressbuch::ErstelltAm || k == zadressbuch::GeaendertAm || k == zadressbuch::Index)
            continue;
        for (QChar c : felder[k])
            if (c != u' ' && c != QChar(0x1A))
                return false;
    }
    return true;
}

// The description and records as a saved file gives them back.
void nachSpeichern(QString& beschreibung, QStringList& eintraege)
{
    beschreibung.replace(u'\r', u' ').replace(u'\n', u' ');
    // The marks are taken off the end of the file, across line ends too.
    while (!eintraege.isEmpty()) {
        QString& letzter = eintraege.last();
        if (!letzter.endsWith(QChar(0x1A)))
            return;
        while (letzter.endsWith(QChar(0x1A)))
            letzter.chop(1);
        if (!letzter.isEmpty()) {
            if (ohneInhalt(letzter))
                eintraege.removeLast();
            return;
        }
        eintraege.removeLast();
    }
    while (beschreibung.endsWith(QChar(0x1A)))
        beschreibung.chop(1);
}

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using namespace zadressbuch;
    using zfuzz::pruefen;
    const QString quelle = zfuzz::wurzel() + QStringLiteral("/temp/quelle.dat");
    const QString ziel = zfuzz::wurzel() + QStringLiteral("/temp/ziel.dat");
    const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    {
        QFile f(quelle);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            zfuzz::verletzt("Testdatei nicht geschrieben");
    }

    const LadeErgebnis erst = Adressdatei_Lesen(quelle, false);
    pruefen(erst.ok, "Datei gelesen", erst.fehler);
    pruefen(!erst.zuViele, "nicht zu viele");
    for (const QString& e : erst.eintraege) {
        pruefen(!e.contains(u'\r') && !e.contains(u'\n'), "Datensatz ist eine Zeile", e);
        pruefen(!e.startsWith(u'\t'), "Datensatz beginnt nicht mit dem Trenner", e);
    }

    // A file with a byte-order mark (UTF-8 or UTF-16) may hold characters an
    // address file cannot: its save is refused with a message and writes nothing.
    QFile::remove(ziel);
    const SpeicherErgebnis s1 = Adressdatei_Schreiben(ziel, erst.beschreibung, erst.eintraege);
    if (!zplatform::istWindows1252(erst.beschreibung + erst.eintraege.join(QString()))) {
        pruefen(!s1.ok && s1.fehler.contains(QStringLiteral("nicht gespeichert werden")) && !QFile::exists(ziel),
                "nicht Darstellbares wird nicht gespeichert", s1.fehler);
        return 0;
    }
    pruefen(s1.ok, "gespeichert", s1.fehler);
    const LadeErgebnis zweit = Adressdatei_Lesen(ziel, false);
    pruefen(zweit.ok && zweit.hatBeschreibung, "gespeicherte Datei gelesen", zweit.fehler);
    QString beschreibung = erst.beschreibung;
    QStringList soll = erst.eintraege;
    nachSpeichern(beschreibung, soll);
    pruefen(zweit.beschreibung == beschreibung, "Beschreibung zurück", beschreibung, zweit.beschreibung);
    pruefen(zweit.eintraege.size() == soll.size(), "Anzahl der Adressen zurück", QString::number(soll.size()),
            QString::number(zweit.eintraege.size()));
    for (qsizetype i = 0; i < soll.size(); ++i)
        pruefen(zweit.eintraege[i] == soll[i], "Adresse zurück", soll[i], zweit.eintraege[i]);

    // Saved once more, the file reads back exactly and saves to the same bytes.
    const SpeicherErgebnis s2 = Adressdatei_Schreiben(ziel, zweit.beschreibung, zweit.eintraege);
    pruefen(s2.ok, "erneut gespeichert", s2.fehler);
    const QByteArray b2 = lesen(ziel);
    const LadeErgebnis dritt = Adressdatei_Lesen(ziel, false);
    pruefen(dritt.ok && dritt.beschreibung == zweit.beschreibung && dritt.eintraege == zweit.eintraege,
            "zweites Speichern liest sich genau zurück");
    const SpeicherErgebnis s3 = Adressdatei_Schreiben(ziel, dritt.beschreibung, dritt.eintraege);
    pruefen(s3.ok && lesen(ziel) == b2, "gleiche Bytes beim dritten Speichern");
    return 0;
}
