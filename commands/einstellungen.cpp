#include "commands/einstellungen.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/programme.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zbefehle {

namespace {

using zcommon::Ini_Lesen;
using zcommon::Ini_Schreiben;

struct SortEintrag
{
    const char* text;
    const char* code;
};

constexpr SortEintrag SortEintraege[] = {
    {"Keine Sortierung", "-1"},
    {"Rubrik", "00"},
    {"Nachname", "01"},
    {"PLZ", "04"},
    {"Land", "06"},
    {"Telefon-Nr.", "07"},
    {"Zusatz", "10"},
    {"Erstellungsdatum", "15"},
    {"Änderungsdatum", "16"},
};

constexpr CdRomProgramm CdRomProgramme[] = {
    {0, "D-Info 2000 anmelden", "Wo ist das D-Info 2000 Startprogramm?",
     "D-Info 2000|DInfo.exe;CDStart.exe|Programm|*.exe;*.com;*.bat;*.pif|", "DI2000"},
    {2, "Klick Tel 99/2 anmelden", "Wo ist das KlickTel 99  Startprogramm?",
     "KlickTel 99|ktel32*.exe|Programm|*.exe;*.com;*.bat;*.pif|", "KT1999"},
    {3, "KlickTel 9&8 anmelden", "Wo ist das KlickTel 98  Startprogramm?",
     "KlickTel 98|ktel32*.exe|Programm|*.exe;*.com;*.bat;*.pif|", "98"},
    {4, "D-Info 9&9 anmelden", "Wo ist das D-Info 99 Startprogramm?",
     "D-Info 99|DInfo.exe|Programm|*.exe;*.com;*.bat;*.pif|", "99"},
};

bool istAn(const QString& wert)
{
    return zcommon::Val(wert) != 0;
}

QString flag(bool an)
{
    return an ? QStringLiteral("1") : QStringLiteral("0");
}

QString ohneTrenner(QString pfad)
{
    pfad = zplatform::normalPfad(pfad.trimmed());
    if (pfad.size() > 1 && pfad.endsWith(QLatin1Char('/')))
        pfad.chop(1);
    return pfad;
}

// Same folder: the same text without regard to case, or the same real folder.
bool gleicherOrdner(const QString& a, const QString& b)
{
    if (QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0)
        return true;
    const QString ka = QFileInfo(a).canonicalFilePath();
    return !ka.isEmpty() && ka == QFileInfo(b).canonicalFilePath();
}

// Copies one file and reads the copy back; true when it holds the same bytes.
bool kopierenGeprueft(const QString& quelle, const QString& ziel)
{
    QFile q(quelle);
    if (!q.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inhalt = q.readAll();
    q.close();
    if (!zplatform::bytesSchreiben(ziel, inhalt).ok)
        return false;
    QFile z(ziel);
    if (!z.open(QIODevice::ReadOnly))
        return false;
    return z.readAll() == inhalt;
}

constexpr const char* VerlegenTitel = "Daten-Ordner verlegen";
constexpr const char* VerlegenFehler = "Es ist ein Fehler beim Daten verlegen aufgetreten.";

} // namespace

QStringList SortAtEnd_Eintraege()
{
    QStringList r;
    for (const SortEintrag& e : SortEintraege)
        r << QString::fromUtf8(e.text) + QString(50, QLatin1Char(' ')) + QLatin1String(e.code);
    return r;
}

QString SortAtEnd_Code(const QString& eintrag)
{
    return eintrag.right(2);
}

QString SortAtEnd_Bezeichnung(const QString& eintrag)
{
    return eintrag.chopped(qMin(qsizetype(2), eintrag.size())).trimmed();
}

int SortAtEnd_Index(const QString& gespeichert)
{
    const QString code = (QStringLiteral("   ") + gespeichert).right(2);
    int index = 0;
    const QStringList eintraege = SortAtEnd_Eintraege();
    for (int i = 0; i < eintraege.size(); ++i) {
        if (SortAtEnd_Code(eintraege[i]) == code)
            index = i;
    }
    return index;
}

QStringList AutoFormatCase_Eintraege()
{
    return {QStringLiteral("Unverändert"), QStringLiteral("Wortanfänge in Großschrift"),
            QStringLiteral("Feldanfänge in Großschrift"), QStringLiteral("Alles in Großschrift"),
            QStringLiteral("Alles in Kleinschrift")};
}

QStringList KatalogStdLand_Eintraege()
{
    return {QStringLiteral("A-"), QStringLiteral("CH-"), QStringLiteral("D-")};
}

int KatalogStdLand_Index(const QString& wert)
{
    const QStringList l = KatalogStdLand_Eintraege();
    for (int i = 0; i < l.size(); ++i) {
        if (l[i].compare(wert, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString CallByCall_Datei()
{
    return zcommon::Programm_Ordner() + QStringLiteral("/CallByCall.ini");
}

AllgemeineOptionen Optionen_Laden()
{
    AllgemeineOptionen o;
    const QString leer;
    o.sortIndex = SortAtEnd_Index(Ini_Lesen(leer, leer, QStringLiteral("SortAtClose"), QStringLiteral("-1")));
    const double fall = zcommon::Val(Ini_Lesen(leer, leer, QStringLiteral("AutoFormatUCase"), QStringLiteral("0")));
    o.autoFormatUCase = (fall >= 0 && fall <= 4 && fall == int(fall)) ? int(fall) : -1;
    o.katalogIndex =
        KatalogStdLand_Index(Ini_Lesen(leer, leer, QStringLiteral("KatalogStdLand"), QStringLiteral("D-")));
    o.auswahlOeffnen = istAn(Ini_Lesen(leer, leer, QStringLiteral("AuswahlÖffnen"), QStringLiteral("0")));
    o.ortAusPlz = istAn(Ini_Lesen(leer, leer, QStringLiteral("OrtAusPlz"), QStringLiteral("1")));
    o.autoFormatTrim = istAn(Ini_Lesen(leer, leer, QStringLiteral("AutoFormatTrim"), QStringLiteral("0")));
    o.autoNameDoppelt = istAn(Ini_Lesen(leer, leer, QStringLiteral("AutoSucheDoppeltenNamen"), QStringLiteral("0")));
    const QString cbc = CallByCall_Datei();
    o.callByCallSichtbar = !Ini_Lesen(cbc, QStringLiteral("Allgemein"), QStringLiteral("aktiviert"), leer).isEmpty();
    o.callByCall = istAn(Ini_Lesen(cbc, QStringLiteral("Allgemein"), QStringLiteral("aktiviert"), QStringLiteral("1")));
    return o;
}

void Optionen_Sichern(const AllgemeineOptionen& o)
{
    const QString leer;
    {
        zcommon::Ini_Stapel stapel(leer);
        Ini_Schreiben(leer, leer, QStringLiteral("AuswahlÖffnen"), flag(o.auswahlOeffnen));
        Ini_Schreiben(leer, leer, QStringLiteral("OrtAusPlz"), flag(o.ortAusPlz));
        Ini_Schreiben(leer, leer, QStringLiteral("AutoSucheDoppeltenNamen"), flag(o.autoNameDoppelt));
        Ini_Schreiben(leer, leer, QStringLiteral("AutoFormatUCase"),
                      QString::number(o.autoFormatUCase >= 0 && o.autoFormatUCase <= 4 ? o.autoFormatUCase : -1));
        Ini_Schreiben(leer, leer, QStringLiteral("AutoFormatTrim"), flag(o.autoFormatTrim));
        const QStringList sort = SortAtEnd_Eintraege();
        const int si = o.sortIndex >= 0 && o.sortIndex < sort.size() ? o.sortIndex : 0;
        Ini_Schreiben(leer, leer, QStringLiteral("SortAtClose"), SortAtEnd_Code(sort[si]));
        const QStringList land = KatalogStdLand_Eintraege();
        const int li = o.katalogIndex >= 0 && o.katalogIndex < land.size() ? o.katalogIndex : 0;
        Ini_Schreiben(leer, leer, QStringLiteral("KatalogStdLand"), land[li]);
    }
    if (o.callByCallSichtbar)
        Ini_Schreiben(CallByCall_Datei(), QStringLiteral("Allgemein"), QStringLiteral("aktiviert"), flag(o.callByCall));
}

const CdRomProgramm* CdRom_Programm(int index)
{
    for (const CdRomProgramm& p : CdRomProgramme) {
        if (p.index == index)
            return &p;
    }
    return nullptr;
}

void CdRom_Anmelden(int index, const QString& pfad)
{
    const CdRomProgramm* p = CdRom_Programm(index);
    if (!p || pfad.isEmpty())
        return;
    Ini_Schreiben(QString(), QString(), QStringLiteral("DInfoPrg"), pfad);
    Ini_Schreiben(QString(), QString(), QStringLiteral("DInfoVer"), QString::fromLatin1(p->version));
}

QStringList DatenOrdner_Muster()
{
    return {QStringLiteral("*.dat"), QStringLiteral("Konto_*.log"), QStringLiteral("*.Msk"),
            QStringLiteral("Masken.Ini"), QStringLiteral("LastschriftSammlung.txt")};
}

bool DatenOrdner_Verlegen()
{
    using namespace zplatform;
    zadressbuch::Sitzung& s = zadressbuch::sitzung();
    const QString titel = QString::fromUtf8(VerlegenTitel);
    const QString alt = ohneTrenner(s.DatenOrdner);

    const QString frage = QStringLiteral("Derzeit werden die Zettlora-Daten im Ordner »") + alt +
                          QStringLiteral("« abgelegt.~~Wenn Sie einen neuen Ordner festlegen, dann wählen Sie bitte "
                                         "einen, der nur für die Zettlora-Daten reserviert ist.~~Möchten Sie jetzt "
                                         "einen neuen Ordner festlegen?");
    if (zcommon::MsgBox(frage, vbOKCancel + vbQuestion + vbDefaultButton2, titel) != vbOK)
        return false;
    QString neu = zcommon::PfadInputBox(
        QStringLiteral("Geben Sie bitte einen neuen Ordner für die Zettlora-Daten ein."), titel, alt);
    neu = ohneTrenner(neu);
    if (neu.isEmpty())
        return false;
    // A relative answer names a folder below the current data folder.
    neu = QDir::cleanPath(QDir(alt).absoluteFilePath(neu));
    if (gleicherOrdner(neu, alt))
        return false;

    // Nothing moves while the open file cannot be saved (its message was shown).
    if (s.Geaendert != 0 && !s.NurLesen && !zadressbuch::Daten_Speichern(zadressbuch::adressliste()))
        return false;

    QDir().mkpath(neu);

    QStringList namen;
    for (const QString& muster : DatenOrdner_Muster()) {
        for (const QString& n : dateienListen(alt, muster)) {
            if (!namen.contains(n))
                namen << n;
        }
    }
    QStringList kopiert;
    for (const QString& n : namen) {
        for (;;) {
            if (kopierenGeprueft(alt + QLatin1Char('/') + n, neu + QLatin1Char('/') + n)) {
                kopiert << n;
                break;
            }
            const int antwort =
                zcommon::Fehler_Melden(75, QString::fromUtf8(VerlegenFehler), QStringLiteral("DatenOrdner_Verlegen"));
            if (antwort == vbRetry)
                continue;
            if (antwort == vbIgnore)
                break;
            return false;
        }
    }
    for (const QString& n : kopiert)
        QFile::remove(alt + QLatin1Char('/') + n);

    if (QDir(neu).entryList(QDir::Files | QDir::Hidden).isEmpty()) {
        zcommon::MsgBox(QStringLiteral("Irgend etwas ist beim Verlegen des Daten-Ordners schief gelaufen."), vbCritical,
                        QStringLiteral("Daten-Ordner nicht verlegt"));
        return false;
    }
    zcommon::MsgBox(QStringLiteral("Daten wurden in den Ordner »") + neu + QStringLiteral("« verlegt."), vbInformation,
                    QStringLiteral("Daten-Ordner verlegt."));
    Ini_Schreiben(QString(), QString(), QStringLiteral("DirData"), neu);
    Ini_Schreiben(zcommon::Programm_Ordner() + QStringLiteral("/DurIdovi.ini"), QStringLiteral("Ordner"),
                  QStringLiteral("DirData"), neu);
    s.DatenOrdner = neu;
    s.MaskenOrdner = neu;

    // The open address file follows its copy, and so does its reservation.
    const QString offen = s.AdressDateiName;
    const QString name = QFileInfo(offen).fileName();
    if (!offen.isEmpty() && gleicherOrdner(QFileInfo(offen).absolutePath(), alt) && kopiert.contains(name)) {
        const QString neuerName = neu + QLatin1Char('/') + name;
        if (!s.ReservierteDatei.isEmpty() && s.ReservierteDatei == offen) {
            zadressbuch::Reservierung_Freigeben(offen);
            zadressbuch::Reservierung_Schreiben(neuerName);
            s.ReservierteDatei = neuerName;
        }
        s.AdressDateiName = neuerName;
        // The copy is the version this run has written.
        s.DateiStand = zplatform::dateistand(neuerName);
    }
    return true;
}

QString Vorgaben_Liste(const KartenFelder& karte)
{
    QString liste;
    for (const KartenFeld& f : karte) {
        if (f.gesperrt || !f.sichtbar || zcommon::Trim(f.text).isEmpty())
            continue;
        QString text = f.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        liste += QStringLiteral("* ") + f.bezeichnung + QStringLiteral(": ") + text + QLatin1Char('~');
    }
    return liste;
}

bool Vorgaben_Setzen(const KartenFelder& karte)
{
    const QString liste = Vorgaben_Liste(karte);
    const QString frage = liste.isEmpty()
                              ? QStringLiteral("Sollen alle Vorgaben gelöscht werden?")
                              : QStringLiteral("Sollen die folgenden Felder als Vorgaben gesetzt werden?~~") + liste;
    if (zcommon::MsgBox(frage, zplatform::vbYesNo + zplatform::vbQuestion, QStringLiteral("Vorgaben setzen"),
                        zcommon::Hilfethema::Vorgaben) != zplatform::vbYes)
        return false;
    const zadressbuch::Sitzung& s = zadressbuch::sitzung();
    const QString datei = s.ProgrammIni();
    const QString sektion = s.DateiSektion();
    zcommon::Ini_Stapel stapel(datei);
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
        const KartenFeld& f = karte[size_t(i)];
        if (f.gesperrt || !f.sichtbar)
            continue;
        Ini_Schreiben(datei, sektion, QStringLiteral("Vorgabe_%1").arg(i, 2, 10, QLatin1Char('0')),
                      zcommon::Trim(f.text));
    }
    return true;
}

QStringList SetupSpeziell_Zusatzdateien()
{
    // Paths keep their spelling: folder names on this system depend on case.
    return {zadressbuch::sitzung().ProgrammIni(), zcommon::Programm_Ordner() + QStringLiteral("/Vorlagen.ini")};
}

QStringList SetupSpeziell_Zusatzschluessel()
{
    return {QStringLiteral("FirstDataLine"), QStringLiteral("ImmerKlein")};
}

} // namespace zbefehle
