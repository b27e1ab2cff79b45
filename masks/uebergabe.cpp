#include "masks/uebergabe.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/start.h"
#include "common/texte.h"
#include "masks/masken.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <QFile>
#include <QStringList>

namespace zmasken {

namespace {

const QString Sektion; // the program's own section of Zizorud.ini
const QString CrLf = QStringLiteral("\r\n");

// Trimmed, every line break as "~" (so one field stays one line), and the
// phone fields normalised when asked for.
QString feldWert(const QString& text, int feld, bool telefonFormat)
{
    QString w = zcommon::Trim(text);
    if (w.contains(u'\r') || w.contains(u'\n')) {
        w.replace(CrLf, QStringLiteral("~"));
        w.replace(u'\r', u'~');
        w.replace(u'\n', u'~');
    }
    if (telefonFormat && (feld == 7 || feld == 8 || feld == 12 || feld == 13))
        w = zcommon::Telefon_Zerlegen(w);
    return w;
}

// Major "." minor as "00", and the revision, of the program's version.
void versionTeile(QString* version, QString* revision)
{
    const QStringList teile = QStringLiteral(ZETTLORA_VERSION).split(u'.');
    const int major = teile.value(0).toInt();
    const int minor = teile.value(1).toInt();
    const int patch = teile.value(2).toInt();
    *version = QString::number(major) + u'.' + QString::number(minor).rightJustified(2, u'0');
    *revision = QString::number(patch);
}

QString anrede2(const QString& anrede)
{
    const QString a = zcommon::LCase(zcommon::Trim(anrede));
    if (a == QLatin1String("frau"))
        return QStringLiteral("Sehr geehrte Frau");
    if (a == QLatin1String("herr"))
        return QStringLiteral("Sehr geehrter Herr");
    return a;
}

} // namespace

Uebergabedateien Adresse_Uebergeben(const zadressbuch::Felder& karte, const QString& datensatz,
                                    const QString& bemerkungAuswahl)
{
    Uebergabedateien ergebnis;
    // 1. The phone format: any number other than 0 counts as 1; written back as "1" or "0".
    const QString format =
        zcommon::Ini_Lesen(QString(), Sektion, QStringLiteral("Adr_TeleFormat3&2"), QStringLiteral("1"));
    const bool telefonFormat = zcommon::Val(format) != 0;
    zcommon::Ini_Schreiben(QString(), Sektion, QStringLiteral("Adr_TeleFormat3&2"),
                           telefonFormat ? QStringLiteral("1") : QStringLiteral("0"));

    zadressbuch::Felder werte;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i)
        werte[i] = feldWert(karte[i], i, telefonFormat);

    // 2. The text file: 24 lines.
    const QString textDatei = zcommon::Ini_Lesen(QString(), Sektion, QStringLiteral("Adr_Speichern_In"));
    if (!textDatei.isEmpty()) {
        QString inhalt;
        for (const QString& w : werte) {
            inhalt += w;
            inhalt += CrLf;
        }
        // A character without a Windows-1252 form becomes "?" rather than losing the file.
        const QString pfad = zplatform::pfadAufloesen(textDatei);
        (zplatform::bytesSchreiben(pfad, zplatform::nachWindows1252(inhalt)) ? ergebnis.geschrieben
                                                                             : ergebnis.fehlgeschlagen)
            << pfad;
    }

    // 3. The INI file.
    const QString iniDatei = zcommon::Ini_Lesen(QString(), Sektion, QStringLiteral("Adr_IniSpeichern_In"));
    if (iniDatei.isEmpty())
        return ergebnis;
    // Some sixty keys: written to the file together, once, at the end.
    zcommon::Ini_Stapel stapel(iniDatei);

    // 4. Every field under its number and under its caption.
    const auto& bezeichnungen = zadressbuch::sitzung().Bezeichnungen;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
        QString wert = werte[i];
        if (i == zadressbuch::Bemerkung && bemerkungAuswahl.size() > 10)
            wert = feldWert(bemerkungAuswahl, i, false);
        zcommon::Ini_Schreiben(iniDatei, QStringLiteral("ZuletztNr"), QString::number(i).rightJustified(2, u'0'), wert);
        zcommon::Ini_Schreiben(iniDatei, QStringLiteral("ZuletztBez"), zcommon::Trim(bezeichnungen[i]), wert);
    }

    // 5. The prepared values.
    const QString ZuletztBez = QStringLiteral("ZuletztBez");
    const QString anschrift =
        datensatz.isEmpty()
            ? QString()
            : zcommon::Trim(zcommon::Ersetzen(Maske_Ausfuellen(QStringLiteral("Anschrift.msk"), datensatz), CrLf,
                                              QStringLiteral("^a")));
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("Anschrift"), anschrift);
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("Anrede2"), anrede2(karte[zadressbuch::Anrede]));
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("Datum"), zcommon::DatumText(zcommon::Jetzt().date()));
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("Uhrzeit"), zcommon::ZeitText(zcommon::Jetzt().time()));
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("Wochentag"),
                           zcommon::Datum_Name(zcommon::Jetzt().date().dayOfWeek() % 7 + 1, QStringLiteral("WT")));
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("User"), zcommon::Benutzer_Ermitteln());
    QString version, revision;
    versionTeile(&version, &revision);
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("ZettloraVersion"), version);
    zcommon::Ini_Schreiben(iniDatei, ZuletztBez, QStringLiteral("ZettloraReversion"), revision);
    (stapel.schreiben() ? ergebnis.geschrieben : ergebnis.fehlgeschlagen) << zcommon::Ini_Pfad(iniDatei);
    return ergebnis;
}

Uebergabedateien Adresse_Uebergeben(const QString& datensatz, const QString& bemerkungAuswahl)
{
    return Adresse_Uebergeben(zadressbuch::Zerlegen(datensatz), datensatz, bemerkungAuswahl);
}

QString Uebergabe_Zuruecksetzen()
{
    const QString schluessel = QStringLiteral("Adr_IniSpeichern_In");
    if (zcommon::Ini_Lesen(QString(), Sektion, schluessel).isEmpty())
        zcommon::Ini_Schreiben(QString(), Sektion, schluessel,
                               zcommon::Windows_Ordner() + QStringLiteral("/TmpAdrDoc.Tmp"));
    const QString datei = zcommon::Ini_Lesen(QString(), Sektion, schluessel);
    if (datei.isEmpty())
        return datei;
    const QString pfad = zcommon::Ini_Pfad(datei);
    if (QFile::exists(pfad))
        QFile::remove(pfad);
    zcommon::Ini_Schreiben(datei, QStringLiteral("ZuletztNr"), QStringLiteral("99"), QStringLiteral("ja"));
    return datei;
}

} // namespace zmasken
