#include "addressbook/adressdatei.h"

#include "addressbook/leerlauf.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

#include <vector>

namespace zadressbuch {

namespace {

const QString Speicherproblem = QStringLiteral("Zettlora meldet Speicherproblem");
const char GradByte = char(0xB0); // "°" in Windows-1252
constexpr char StrgZ = 0x1A;

// A line of the file that holds no address: every field except 15 ("erstellt
// am"), 16 ("geändert am") and 23 ("Index") empty or blank. An end-of-file
// mark (Ctrl+Z) counts as blank: a line of marks is no address, and would
// not survive a save as one (marks at the end of the file are dropped).
bool OhneAdresse(const char* z, qsizetype n)
{
    int feld = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = z[i];
        if (c == '\t') {
            ++feld;
            continue;
        }
        if (c == ' ' || c == StrgZ)
            continue;
        if (feld != ErstelltAm && feld != GeaendertAm && feld != Index)
            return false;
    }
    return true;
}

QString StandardBeschreibung(const QString& pfad)
{
    return zcommon::Gross_Klein(zcommon::Datei_Teil(pfad, 3));
}

QString Ordner(const QString& pfad)
{
    return QFileInfo(pfad).absolutePath();
}

// Appends a text in Windows-1252, every line break (CR LF, lone CR, lone LF)
// as "°°" (or one blank with einBlank). Returns the index of the first
// character Windows-1252 cannot hold, or -1.
qsizetype Anhaengen(QByteArray& ziel, QStringView text, bool einBlank = false)
{
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = text[k];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && k + 1 < n && text[k + 1] == QLatin1Char('\n'))
                ++k;
            if (einBlank) {
                ziel.append(' ');
            } else {
                ziel.append(GradByte);
                ziel.append(GradByte);
            }
            continue;
        }
        const int b = zplatform::windows1252Byte(c);
        if (b < 0)
            return k;
        ziel.append(char(b));
    }
    return -1;
}

// An address file that is missing while its backup is there is made again
// as a copy of the backup (never over anything standing under its name): the
// empty file the load would make instead would replace the backup at the
// first save. True when it was made.
bool Aus_Sicherung_Herstellen(const QString& pfad, const QString& sicherung)
{
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QFileInfo info(datei);
    if (info.exists() || info.isSymLink() || !zplatform::dateistand(sicherung).datei)
        return false;
    QFile f(sicherung);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inhalt = f.readAll();
    return f.error() == QFileDevice::NoError && zplatform::bytesNeuAnlegen(datei, inhalt, true) == 0;
}

} // namespace

// ---------------------------------------------------------------------------

QString Sicherungsdatei(const QString& pfad)
{
    const QFileInfo info(pfad);
    QString basis = info.fileName();
    const qsizetype punkt = basis.lastIndexOf(QLatin1Char('.'));
    if (punkt > 0)
        basis.truncate(punkt);
    // An address file that itself ends in ".bak" must not be its own backup.
    if (info.fileName().compare(basis + QStringLiteral(".BAK"), Qt::CaseInsensitive) == 0)
        basis = info.fileName();
    return info.path() + QLatin1Char('/') + basis + QStringLiteral(".BAK");
}

QString Zwischendatei(const QString& pfad)
{
    return zplatform::normalPfad(pfad) + QStringLiteral(".neu~");
}

QString ZuErsetzendeDatei(const QString& pfad)
{
    QString ziel = zplatform::pfadAufloesen(pfad);
    const QFileInfo zielInfo(ziel);
    if (zielInfo.isSymLink() && !zielInfo.canonicalFilePath().isEmpty())
        ziel = zielInfo.canonicalFilePath(); // the file the link points to is the one replaced
    return ziel;
}

bool Speicherreste_Entfernen(const QString& pfad)
{
    const QString ziel = ZuErsetzendeDatei(pfad);
    // The backup's copy in the making (sicherungAnlegen) belongs to that save too.
    const QString sicherungNeu = zplatform::pfadAufloesen(Sicherungsdatei(ziel)) + QStringLiteral(".neu~");
    return zplatform::zwischendateiAufraeumen(Zwischendatei(ziel), {sicherungNeu});
}

LadeErgebnis Adressdatei_Lesen(const QString& pfad, bool anlegen)
{
    LadeErgebnis e;
    e.beschreibung = StandardBeschreibung(pfad);
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QString ordner = Ordner(datei);
    if (!zplatform::dateistand(ordner).ordner) {
        e.ordnerFehlt = true;
        e.fehler = QStringLiteral("Der Ordner »%1« ist nicht vorhanden.").arg(ordner);
        return e;
    }

    const QFileInfo info(datei);
    if (!info.exists() && !info.isSymLink()) {
        if (!anlegen) {
            e.fehler = QStringLiteral("Die Datei ist nicht vorhanden.");
            return e;
        }
        // Created only here, never over an existing file.
        if (int f = zplatform::bytesNeuAnlegen(datei, QByteArray(FeldAnzahl - 1, '\t') + "\r\n", true)) {
            e.fehler = QStringLiteral("Die Datei kann nicht angelegt werden. ") + zplatform::fehlerGrund(f);
            return e;
        }
        e.angelegt = true;
    }
    if (QFileInfo(datei).isDir()) {
        e.fehler = QStringLiteral("Unter diesem Namen steht ein Ordner.");
        return e;
    }

    // Lines that may belong to the end-of-file mark (Ctrl+Z): a line ending in
    // it and the empty or mark-only lines after it. Only when nothing else
    // follows do they lose the marks; otherwise they count as they stand.
    std::vector<QByteArray> schwebend;
    bool ersteZeile = true;
    // A file saved by an editor as UTF-8 (with its byte-order mark) reads as such.
    bool utf8 = false;
    const auto dekodieren = [&](const char* z, qsizetype n) {
        return utf8 ? zplatform::ausUtf8(z, n) : zplatform::ausWindows1252(z, n);
    };
    const auto zeileNehmen = [&](const char* z, qsizetype n) {
        if (ersteZeile) {
            ersteZeile = false;
            if (n >= 2 && z[0] == '.' && z[1] == '.') {
                e.hatBeschreibung = true;
                e.beschreibung = dekodieren(z + 2, n - 2);
                return true;
            }
        }
        if (OhneAdresse(z, n))
            return true;
        if (e.eintraege.size() >= MaxAdressen) {
            e.zuViele = true;
            return false; // the rest is neither read nor decoded
        }
        if (n > 0 && z[0] == '\t') {
            const QString rest = dekodieren(z, n);
            QString eintrag(rest.size() + 1, Qt::Uninitialized);
            eintrag[0] = QLatin1Char(' ');
            std::copy(rest.cbegin(), rest.cend(), eintrag.begin() + 1);
            e.eintraege.append(std::move(eintrag));
        } else {
            e.eintraege.append(dekodieren(z, n));
        }
        return true;
    };
    const auto schwebendeNehmen = [&](bool amEnde) {
        bool weiter = true;
        if (amEnde && !schwebend.empty()) {
            // Only marks and empty lines follow the last text: its marks go.
            QByteArray& z = schwebend.front();
            while (!z.isEmpty() && z.back() == StrgZ)
                z.chop(1);
            weiter = z.isEmpty() || zeileNehmen(z.constData(), z.size());
        } else {
            for (const QByteArray& z : schwebend) {
                if (!(weiter = zeileNehmen(z.constData(), z.size())))
                    break;
            }
        }
        schwebend.clear();
        return weiter;
    };
    e.eintraege.reserve(256);
    const zplatform::Ergebnis gelesen = zplatform::zeilenweiseLesen(
        datei,
        [&](const char* z, qsizetype n) {
            qsizetype text = n;
            while (text > 0 && z[text - 1] == StrgZ)
                --text;
            if (text == 0) { // empty or marks only: wait for what follows
                schwebend.emplace_back(z, n);
                return true;
            }
            if (!schwebendeNehmen(false))
                return false;
            if (text < n) { // text ending in marks: wait too
                schwebend.emplace_back(z, n);
                return true;
            }
            return zeileNehmen(z, n);
        },
        &utf8);
    if (!gelesen) {
        e.fehler = gelesen.fehler;
        return e;
    }
    if (!e.zuViele)
        schwebendeNehmen(true);
    e.ok = true;
    return e;
}

namespace {

// The bytes of an address file: ".." + description, then every record, each
// line ended by CR LF, in Windows-1252. False and *fehler (naming the
// address) for a character Windows-1252 cannot hold.
bool Adressdatei_Bytes(const QString& beschreibung, const QStringList& eintraege, QByteArray& bytes, QString* fehler)
{
    // Built and encoded in one pass.
    qsizetype laenge = beschreibung.size() + 4;
    for (const QString& e : eintraege)
        laenge += e.size() + 3;
    bytes.reserve(laenge);
    bytes.append("..");
    qsizetype fehlerPos = Anhaengen(bytes, beschreibung, true);
    qsizetype fehlerZeile = 0;
    QStringView fehlerText = beschreibung;
    bytes.append("\r\n");
    for (qsizetype i = 0; fehlerPos < 0 && i < eintraege.size(); ++i) {
        const QString& e = eintraege[i];
        // A record that begins with the separator gets its blank, as the
        // loader would give it, so the file reloads to the same records.
        if (e.startsWith(Feldtrenner))
            bytes.append(' ');
        fehlerPos = Anhaengen(bytes, e);
        fehlerZeile = i + 1;
        fehlerText = e;
        bytes.append("\r\n");
    }
    if (fehlerPos < 0)
        return true;
    QString zeichen = fehlerText.mid(fehlerPos, 1).toString();
    if (fehlerText[fehlerPos].isHighSurrogate() && fehlerPos + 1 < fehlerText.size())
        zeichen = fehlerText.mid(fehlerPos, 2).toString();
    const QString wo = fehlerZeile == 0 ? QStringLiteral("in der Beschreibung der Adressdatei")
                                        : QStringLiteral("in der %1. Adresse").arg(fehlerZeile);
    *fehler = QStringLiteral("Das Zeichen »%1« %2 kann in einer Adressdatei nicht gespeichert werden. "
                             "Bitte ersetzen Sie es.")
                  .arg(zeichen, wo);
    return false;
}

} // namespace

SpeicherErgebnis Adressdatei_Schreiben(const QString& pfad, const QString& beschreibung, const QStringList& eintraege,
                                       const zplatform::Dateistand* erwartet)
{
    SpeicherErgebnis ergebnis;
    QByteArray bytes;
    if (!Adressdatei_Bytes(beschreibung, eintraege, bytes, &ergebnis.fehler))
        return ergebnis;

    const QString ziel = ZuErsetzendeDatei(pfad);
    const QString ordner = Ordner(ziel);
    const QString zwischen = Zwischendatei(ziel);
    const QString sicherung = zplatform::pfadAufloesen(Sicherungsdatei(ziel));

    const zplatform::Dateistand alt = zplatform::dateistand(ziel);
    if (alt.vorhanden && !alt.datei) {
        ergebnis.fehler = QStringLiteral("Unter diesem Namen steht keine Datei, sondern ein Ordner.");
        return ergebnis;
    }
    // A file or folder made read-only meanwhile is not replaced behind the
    // back of whoever did that.
    if (alt.vorhanden && !zplatform::beschreibbar(ziel)) {
        ergebnis.fehler = QStringLiteral("Die Datei ist schreibgeschützt.");
        return ergebnis;
    }
    if (!zplatform::beschreibbar(ordner)) {
        ergebnis.fehler = QStringLiteral("Im Ordner »%1« darf nicht geschrieben werden. ").arg(ordner) +
                          zplatform::fehlerGrund(zplatform::fehlerKeinZugriff());
        return ergebnis;
    }
    const unsigned modus = alt.vorhanden ? alt.modus : 0666;

    // Locked while this save runs: another instance's save of the file waits,
    // and a leftover of a save killed halfway is taken over. It goes when the
    // save fails.
    zplatform::GesperrteZwischendatei neu;
    if (int f = neu.ablegen(zwischen, bytes, modus)) {
        ergebnis.fehler = QStringLiteral("Die neue Fassung »%1« kann nicht geschrieben werden. ").arg(zwischen) +
                          zplatform::fehlerGrund(f);
        return ergebnis;
    }
    // Another instance's save of the file holds its temporary file until its
    // rename is done: what stands there now stays until this save's rename.
    if (erwartet) {
        const zplatform::Dateistand jetzt = zplatform::dateistand(ziel);
        if (jetzt.vorhanden && !zplatform::selbeFassung(jetzt, *erwartet)) {
            ergebnis.fremdeFassung = true;
            ergebnis.vorgefunden = jetzt;
            ergebnis.fehler = QStringLiteral("Die Datei ist inzwischen von einem anderen Programm gespeichert worden.");
            return ergebnis;
        }
    }
    if (alt.vorhanden) {
        zplatform::rechteSetzen(zwischen, modus); // the umask may have narrowed it
        // The old file stays as the ".BAK" until the new one is in place; an
        // older complete ".BAK" stays when no new one can be made.
        if (int f = zplatform::sicherungAnlegen(ziel, sicherung, modus)) {
            ergebnis.fehler = QStringLiteral("Die Sicherungskopie »%1« kann nicht angelegt werden. ").arg(sicherung) +
                              zplatform::fehlerGrund(f);
            return ergebnis;
        }
    }
    if (int f = zplatform::umbenennen(zwischen, ziel)) {
        ergebnis.fehler =
            QStringLiteral("Die neue Fassung kann nicht an ihren Platz gebracht werden. ") + zplatform::fehlerGrund(f);
        return ergebnis;
    }
    zplatform::ordnerSynchronisieren(ordner);
    if (alt.vorhanden)
        zplatform::entfernen(sicherung);
    ergebnis.ok = true;
    ergebnis.stand = neu.stand();
    return ergebnis;
}

QString Beiseite_Name(const QString& pfad, int nummer)
{
    const QFileInfo info(ZuErsetzendeDatei(pfad));
    QString benutzer = Eigener_Benutzer();
    for (QChar& c : benutzer)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    const QString zahl = nummer > 1 ? QStringLiteral("_%1").arg(nummer) : QString();
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('_') + benutzer + zahl +
           QStringLiteral(".Dat");
}

QString Fassung_Beiseite_Speichern(const QString& pfad, const QString& beschreibung, const QStringList& eintraege,
                                   QString* fehler)
{
    QByteArray bytes;
    if (!Adressdatei_Bytes(beschreibung, eintraege, bytes, fehler))
        return QString();
    int f = 0;
    QString name;
    for (int nummer = 1; nummer <= 1000; ++nummer) {
        name = Beiseite_Name(pfad, nummer);
        if ((f = zplatform::bytesNeuAnlegen(name, bytes, true)) == 0)
            return name;
        if (f != EEXIST)
            break; // taken names are passed by, nothing else
    }
    *fehler = QStringLiteral("Ihre Fassung kann auch nicht als »%1« daneben gespeichert werden. ").arg(name) +
              zplatform::fehlerGrund(f);
    return QString();
}

// ---------------------------------------------------------------------------

void Speicherproblem_Melden(const QString& zusatz)
{
    QString text = QStringLiteral("Kein Platz mehr in der aktuellen Adressenliste.");
    if (!zusatz.isEmpty())
        text += QStringLiteral("~~") + zusatz;
    zcommon::Meldung(QStringLiteral("#SystemHand"), text, zplatform::vbExclamation, Speicherproblem);
}

bool Daten_Laden(AdressListe& liste)
{
    // The list is another file's until the load has returned (its questions come between).
    const ListeWirdVeraendert veraendert;
    Sitzung& s = sitzung();
    s.Geaendert = 0;
    s.SpeicherFehler.clear();
    s.LadeNurLesen = false;
    const QString pfad = s.AdressDateiName;

    // A reservation of the file opened before is released here at the latest.
    if (!s.ReservierteDatei.isEmpty() && s.ReservierteDatei != pfad) {
        Reservierung_Freigeben(s.ReservierteDatei);
        s.ReservierteDatei.clear();
    }

    // What a save killed halfway left beside the file (never a save of another instance under way).
    Speicherreste_Entfernen(pfad);
    const QString sicherung = zplatform::pfadAufloesen(Sicherungsdatei(ZuErsetzendeDatei(pfad)));
    const bool hergestellt = Aus_Sicherung_Herstellen(pfad, sicherung);
    // The version read: taken before the reading, so a version saved by
    // another program while this one reads counts as another.
    zplatform::Dateistand gelesen = zplatform::dateistand(ZuErsetzendeDatei(pfad));
    LadeErgebnis e = Adressdatei_Lesen(pfad, true);
    if (e.angelegt)
        gelesen = zplatform::dateistand(ZuErsetzendeDatei(pfad));
    s.DateiStand = e.ok ? gelesen : zplatform::Dateistand();
    if (hergestellt) {
        const qsizetype anzahl = e.eintraege.size();
        const QString adressen = anzahl == 0   ? QStringLiteral("keine Adressen")
                                 : anzahl == 1 ? QStringLiteral("eine Adresse")
                                               : QStringLiteral("%1 Adressen").arg(anzahl);
        const QDateTime vom = QFileInfo(sicherung).lastModified();
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Die Adressdatei »%1« war nicht vorhanden.~~Sie wurde aus ihrer "
                                        "Sicherungskopie »%2« vom %3 wiederhergestellt und enthält %4.")
                             .arg(zcommon::Woertlich(zplatform::pfadAufloesen(pfad)), zcommon::Woertlich(sicherung),
                                  vom.toString(QStringLiteral("dd.MM.yyyy, hh:mm 'Uhr'")), adressen),
                         zplatform::vbExclamation);
    }
    s.Beschreibung = e.beschreibung;
    liste.setEintraege(std::move(e.eintraege));

    if (e.ordnerFehlt) {
        s.LadeNurLesen = true;
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Der Daten-Ordner »%1« ist nicht vorhanden.~~Die Adressdatei »%2« kann "
                                        "deshalb weder geladen noch gespeichert werden. Bitte legen Sie den Ordner "
                                        "an oder wählen Sie in den Einstellungen einen anderen Daten-Ordner.")
                             .arg(zcommon::Woertlich(Ordner(zplatform::pfadAufloesen(pfad))),
                                  zcommon::Woertlich(zcommon::Datei_Teil(pfad, 3))),
                         zplatform::vbExclamation);
    } else if (!e.ok) {
        s.LadeNurLesen = true;
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die Adressdatei »%1« kann nicht geladen werden.~~%2~~Sie wird nur zum "
                                        "Lesen geöffnet, damit sie nicht überschrieben wird.")
                             .arg(zcommon::Woertlich(zplatform::pfadAufloesen(pfad)), zcommon::Woertlich(e.fehler)),
                         zplatform::vbExclamation);
    } else if (e.zuViele) {
        s.LadeNurLesen = true;
        Speicherproblem_Melden(QStringLiteral("Die Adressdatei »%1« enthält mehr als %2 Adressen; geladen wurden "
                                              "die ersten %2.~~Damit sie nicht gekürzt gespeichert wird, wird sie "
                                              "nur zum Lesen geöffnet.")
                                   .arg(zcommon::Woertlich(zplatform::pfadAufloesen(pfad)))
                                   .arg(MaxAdressen));
    }

    NurLesen_Entscheiden(true);
    // A backup a save killed after its rename left: the file it was made of
    // has been replaced by a complete new one. It stays while the file could
    // not be read whole, is open read-only, or another save is under way.
    if (e.ok && !e.zuViele && !e.angelegt && !s.NurLesen &&
        !zplatform::zwischendateiInArbeit(Zwischendatei(ZuErsetzendeDatei(pfad))))
        zplatform::entfernen(sicherung);
    Beiseite_Hinweis_Zeigen();
    return e.ok;
}

namespace {

const QString BeiseiteSektion = QStringLiteral("Beiseite");

// Nobody is there to answer a question now: an exit from outside (a
// termination signal, the idle exit) is under way, or no box can be shown.
bool NiemandDa()
{
    return Leerlauf_AusstiegLaeuft() || !zplatform::plattform().hatAnzeige();
}

// The question before a save replaces what another program has saved; true
// for Yes (replace it).
bool FremdeFassung_Ersetzen(const zplatform::Dateistand& vorgefunden, const std::vector<Reservierung>& andere)
{
    const QString datei = zplatform::pfadAufloesen(sitzung().AdressDateiName);
    QStringList wer;
    for (const Reservierung& r : andere)
        wer << (r.rechner.isEmpty() ? r.benutzer : QStringLiteral("%1 am Computer »%2«").arg(r.benutzer, r.rechner));
    const QString halter = wer.isEmpty() ? QString()
                                         : QStringLiteral(" Bearbeitet wird sie zurzeit auch von %1.")
                                               .arg(zcommon::Woertlich(wer.join(QStringLiteral(", "))));
    const QDateTime am = QDateTime::fromMSecsSinceEpoch(vorgefunden.geaendertNs / 1000000);
    return zcommon::Meldung(
               QStringLiteral("#SystemQuestion"),
               QStringLiteral("Die Adressdatei »%1« ist von einem anderen Programm gespeichert worden (am %2), "
                              "seit Sie sie geöffnet oder zuletzt gespeichert haben.%3~~Soll Ihre Fassung sie "
                              "ersetzen?~~Ja: Ihre Fassung ersetzt die Datei; was das andere Programm gespeichert "
                              "hat, geht verloren.~Nein: Ihre Fassung wird als eigene Datei »%4« neben der "
                              "Adressdatei gespeichert; die Adressdatei bleibt, wie sie ist.")
                   .arg(zcommon::Woertlich(datei), am.toString(QStringLiteral("dd.MM.yyyy, hh:mm 'Uhr'")), halter,
                        zcommon::Woertlich(QFileInfo(Beiseite_Name(datei)).fileName())),
               zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2,
               QStringLiteral("Adressdatei inzwischen gespeichert"), 0, zplatform::vbNo) == zplatform::vbYes;
}

// Keeps this version beside the address file and says where: in a box, or
// with nobody there, on standard error and at the next start.
bool Fassung_Beiseite(AdressListe& liste, bool niemandDa)
{
    Sitzung& s = sitzung();
    const QString datei = zplatform::pfadAufloesen(s.AdressDateiName);
    QString fehler;
    const QString kopie = Fassung_Beiseite_Speichern(s.AdressDateiName, s.Beschreibung, liste.eintraege(), &fehler);
    if (kopie.isEmpty()) {
        s.SpeicherFehler = fehler;
        Speicherfehler_Melden(fehler);
        return false;
    }
    s.Geaendert = 0;
    s.SpeicherFehler.clear();
    if (niemandDa) {
        Fehlerzeile_Schreiben(QStringLiteral("Zettlora: Die Adressdatei »%1« ist inzwischen von einem anderen Programm "
                                            "gespeichert worden; diese Fassung ist deshalb nicht darüber, sondern "
                                            "als »%2« daneben gespeichert.")
                                 .arg(QDir::toNativeSeparators(datei), QDir::toNativeSeparators(kopie)));
        const QString ini; // Zizorud.ini: the user's own settings
        const int nummer = int(zcommon::Ini_Schluessel(ini, BeiseiteSektion).size()) + 1;
        zcommon::Ini_Schreiben(
            ini, BeiseiteSektion, QString::number(nummer),
            QStringList{zcommon::Jetzt().toString(QStringLiteral("dd.MM.yyyy, hh:mm 'Uhr'")), datei, kopie}.join(
                QLatin1Char('|')));
        return true;
    }
    zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                     QStringLiteral("Ihre Fassung ist als »%1« neben der Adressdatei gespeichert.~~Die Adressdatei "
                                    "»%2« enthält weiter, was das andere Programm gespeichert hat.")
                         .arg(zcommon::Woertlich(kopie), zcommon::Woertlich(datei)),
                     zplatform::vbExclamation, QStringLiteral("Fassung daneben gespeichert"));
    return true;
}

} // namespace

bool Daten_Speichern(AdressListe& liste)
{
    Sitzung& s = sitzung();
    if (s.NurLesen)
        return true;
    if (s.Geaendert == 0) {
        s.SpeicherFehler.clear(); // nothing left unsaved
        return true;
    }
    // New starts are asked as long as this run holds the file.
    std::vector<Reservierung> andere;
    if (!s.ReservierteDatei.isEmpty() && s.ReservierteDatei == s.AdressDateiName)
        andere = Reservierung_Erneuern(s.AdressDateiName);
    zplatform::Dateistand erwartet = s.DateiStand;
    SpeicherErgebnis e;
    for (;;) {
        e = Adressdatei_Schreiben(s.AdressDateiName, s.Beschreibung, liste.eintraege(),
                                  erwartet.vorhanden ? &erwartet : nullptr);
        if (!e.fremdeFassung)
            break;
        // Another program has saved the file since this one read or wrote it.
        // A question closed by an exit from outside keeps this version beside it too.
        if (NiemandDa() || !FremdeFassung_Ersetzen(e.vorgefunden, andere))
            return Fassung_Beiseite(liste, NiemandDa());
        erwartet = e.vorgefunden; // replaced as agreed, unless it changed once more meanwhile
    }
    if (!e.ok) {
        s.SpeicherFehler = e.fehler.isEmpty() ? QStringLiteral("Unbekannter Fehler.") : e.fehler;
        Speicherfehler_Melden(s.SpeicherFehler);
        return false;
    }
    s.DateiStand = e.stand;
    s.Geaendert = 0;
    s.SpeicherFehler.clear();
    return true;
}

void Beiseite_Hinweis_Zeigen()
{
    const QString ini;
    const QStringList schluessel = zcommon::Ini_Schluessel(ini, BeiseiteSektion);
    QStringList absaetze;
    for (const QString& k : schluessel) {
        const QStringList teile = zcommon::Ini_Lesen(ini, BeiseiteSektion, k).split(QLatin1Char('|'));
        if (teile.size() < 3)
            continue;
        absaetze << QStringLiteral("Beim Programmende am %1 war die Adressdatei »%2« inzwischen von einem anderen "
                                   "Programm gespeichert worden. Ihre Fassung steht deshalb nicht darin, sondern in "
                                   "»%3«.")
                        .arg(zcommon::Woertlich(teile[0]), zcommon::Woertlich(teile[1]), zcommon::Woertlich(teile[2]));
    }
    if (schluessel.isEmpty())
        return;
    zcommon::Ini_Loeschen(ini, BeiseiteSektion);
    if (absaetze.isEmpty())
        return;
    zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                     absaetze.join(QStringLiteral("~~")) +
                         QStringLiteral("~~Öffnen Sie sie, um Ihre Änderungen in die Adressdatei zu übernehmen."),
                     zplatform::vbExclamation, QStringLiteral("Fassung daneben gespeichert"));
}

void Speicherfehler_Melden(const QString& fehler)
{
    zcommon::Meldung(
        QStringLiteral("#SystemHand"),
        QStringLiteral("Die Adressdatei »%1« konnte nicht gespeichert werden.~~%2~~Die bisherige "
                       "Fassung der Datei ist unverändert erhalten; Ihre Änderungen sind noch "
                       "nicht gesichert.")
            .arg(zcommon::Woertlich(zplatform::pfadAufloesen(sitzung().AdressDateiName)), zcommon::Woertlich(fehler)),
        zplatform::vbExclamation, Speicherproblem);
}

void Daten_Schliessen()
{
    Sitzung& s = sitzung();
    if (!s.ReservierteDatei.isEmpty())
        Reservierung_Freigeben(s.ReservierteDatei);
    if (!s.AdressDateiName.isEmpty() && s.AdressDateiName != s.ReservierteDatei)
        Reservierung_Freigeben(s.AdressDateiName);
    s.ReservierteDatei.clear();
}

} // namespace zadressbuch
