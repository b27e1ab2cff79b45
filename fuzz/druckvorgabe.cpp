// Fuzz target of the print presets and the envelope sizes.
//
// Properties checked:
// - a size caption built from a width and a height (one decimal, 0.0 to
//   99.9) reads back as exactly that width and height;
// - any stored text gives a list index inside the list (margins, copies,
//   envelope sizes), and the leading whole number when it is one;
// - a preset written to KontPrn.ini under a job name reads back unchanged.

#include "printing/druckvorgabe.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "printing/umschlag.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void pruefen(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

QTemporaryDir& wurzel()
{
    static QTemporaryDir dir;
    static bool bereit = [] {
        QDir(dir.path()).mkpath(QStringLiteral("windows/system"));
        QDir(dir.path()).mkpath(QStringLiteral("programm"));
        QDir(dir.path()).mkpath(QStringLiteral("temp"));
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        return true;
    }();
    (void)bereit;
    return dir;
}

// Only characters a job or printer name can hold in a settings file: no
// brackets, no "=", no line breaks, no "**", no blanks at either end, no
// quotes (a value wholly enclosed in quotes is read without them).
QString name(const QByteArray& roh)
{
    QString n;
    for (char c : roh) {
        const uchar u = uchar(c);
        if (u >= 0x20 && u < 0x7F && c != '[' && c != ']' && c != '=' && c != ';' && c != '*' && c != '"' &&
            c != '\'')
            n += QChar(u);
    }
    return n.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    wurzel();
    const QByteArray roh(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    const QString text = QString::fromLatin1(roh);

    // Indexes stay inside their lists.
    for (int n : {zdruck::RandEintraege, zdruck::AnzahlEintraege}) {
        const int i = zdruck::Vorgabe_Index(text, n);
        pruefen(i >= 0 && i < n);
        // A plain whole number is its own index (QString::toInt alone would
        // also take "\r5" or "5" followed by a NUL, which the stored-text
        // rule does not read as 5).
        bool ganz = false;
        const int z = text.toInt(&ganz);
        if (ganz && z >= 0 && z < n && text == QString::number(z))
            pruefen(i == z);
    }
    const int f = zdruck::Umschlag_FormatIndex(text);
    pruefen(f >= 0 && f < zdruck::UmschlagFormatAnzahl);

    if (groesse < 8)
        return 0;
    // Size captions round-trip.
    const int b = (daten[0] | (daten[1] << 8)) % 1000;
    const int h = (daten[2] | (daten[3] << 8)) % 1000;
    const QString caption = QStringLiteral("%1 x %2 cm Umschlag")
                                .arg(b / 10.0, 4, 'f', 1, QLatin1Char('0'))
                                .arg(h / 10.0, 4, 'f', 1, QLatin1Char('0'));
    const zdruck::UmschlagMass m = zdruck::Umschlag_Mass(caption);
    pruefen(qRound(m.breite * 10) == b && qRound(m.hoehe * 10) == h);

    // Presets round-trip through the settings file.
    const QString job = name(roh.mid(8, 20));
    if (job.isEmpty())
        return 0;
    zdruck::Druckvorgabe v;
    v.ausrichtung = daten[4] & 1;
    v.randX = daten[5] % zdruck::RandEintraege;
    v.randY = daten[6] % zdruck::RandEintraege;
    v.anzahl = daten[7] % zdruck::AnzahlEintraege;
    v.automatisch = (daten[4] & 2) != 0;
    v.drucker = name(roh.mid(28));
    const bool mitDrucker = !v.drucker.isEmpty();
    zdruck::Vorgabe_Sichern(job, v, mitDrucker);
    const zdruck::Druckvorgabe gelesen = zdruck::Vorgabe_Laden(job, mitDrucker, QStringLiteral("-"));
    pruefen(gelesen == v);
    QFile::remove(zdruck::KontPrnDatei());
    zcommon::Ini_CacheLeeren();
    return 0;
}
