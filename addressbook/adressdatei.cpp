#include "addressbook/adressdatei.h"

#include "addressbook/dateiini.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zadressbuch {

namespace {

const QString Speicherproblem = QStringLiteral("Zettlora meldet Speicherproblem");
const QChar Grad(0x00B0);

// The reason of a failed system call, in German.
QString Grund(int fehler)
{
    switch (fehler) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Berechtigung.");
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist erschöpft.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EISDIR:
        return QStringLiteral("Dort steht ein Ordner gleichen Namens.");
    case ENOTDIR:
    case ENOENT:
        return QStringLiteral("Der Ordner ist nicht vorhanden.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EIO:
        return QStringLiteral("Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei ist gerade in Benutzung.");
    default:
        return QStringLiteral("Systemfehler %1.").arg(fehler);
    }
}

QByteArray Pfad8(const QString& pfad)
{
    return QFile::encodeName(pfad);
}

// Closes a file after a failed step; returns the errno of that step.
int FehlerSchliessen(int fd)
{
    const int e = errno;
    ::close(fd);
    return e;
}

// Writes all bytes to a file (created or truncated) and flushes it to the
// disk; returns 0 or the errno of the failing step.
int BytesAblegen(const QString& pfad, const QByteArray& inhalt, mode_t modus)
{
    const int fd = ::open(Pfad8(pfad).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, modus);
    if (fd < 0)
        return errno;
    const char* p = inhalt.constData();
    qsizetype rest = inhalt.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, size_t(rest));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FehlerSchliessen(fd);
        }
        p += n;
        rest -= n;
    }
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return FehlerSchliessen(fd);
    if (::close(fd) != 0)
        return errno;
    return 0;
}

// Copies a file byte for byte (for file systems without hard links).
int Kopieren(const QString& von, const QString& nach, mode_t modus)
{
    const int fd = ::open(Pfad8(von).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    QByteArray inhalt;
    char puffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FehlerSchliessen(fd);
        }
        if (n == 0)
            break;
        inhalt.append(puffer, n);
    }
    ::close(fd);
    return BytesAblegen(nach, inhalt, modus);
}

void OrdnerSynchronisieren(const QString& ordner)
{
    const int fd = ::open(Pfad8(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A line of the file that holds no address: every field except 15 ("erstellt
// am"), 16 ("geändert am") and 23 ("Index") empty or blank. An end-of-file
// mark (Ctrl+Z) counts as blank: a line of marks is no address, and would
// not survive a save as one (marks at the end of the file are dropped).
bool OhneAdresse(QStringView zeile)
{
    int feld = 0;
    for (const QChar c : zeile) {
        if (c == Feldtrenner) {
            ++feld;
            continue;
        }
        if (c == QLatin1Char(' ') || c == QChar(0x1A))
            continue;
        if (feld != ErstelltAm && feld != GeaendertAm && feld != Index)
            return false;
    }
    return true;
}

// Appends a text with every line break (CR LF, lone CR, lone LF) as "°°".
void OhneZeilenumbruch(QString& ziel, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = text[k];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && k + 1 < n && text[k + 1] == QLatin1Char('\n'))
                ++k;
            ziel.append(Grad);
            ziel.append(Grad);
        } else {
            ziel.append(c);
        }
    }
}

QString StandardBeschreibung(const QString& pfad)
{
    return zcommon::Gross_Klein(zcommon::Datei_Teil(pfad, 3));
}

QString Ordner(const QString& pfad)
{
    return QFileInfo(pfad).absolutePath();
}

// The own identity in a reservation.
QString EigenerBenutzer()
{
    const QString login = zplatform::plattform().loginName();
    return login.isEmpty() ? QStringLiteral("unbekannt") : login;
}

QString EigenerRechner()
{
    const QString rechner = zplatform::plattform().rechnerName();
    return rechner.isEmpty() ? QStringLiteral("unbekannt") : rechner;
}

QByteArray ProzessName(const QString& proc)
{
    QFile f(proc + QStringLiteral("/comm"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
}

// Whether the process runs this program: a reused process number of another
// program does not count. Compared by executable, else by process name.
bool ProzessLaeuft(qint64 pid)
{
    if (pid <= 0)
        return false;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    if (!QFileInfo::exists(proc))
        return false;
    // An ended process whose parent has not collected it yet runs no more.
    QFile stat(proc + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray zeile = stat.readAll();
        const qsizetype klammer = zeile.lastIndexOf(')');
        if (klammer >= 0 && klammer + 2 < zeile.size() && (zeile[klammer + 2] == 'Z' || zeile[klammer + 2] == 'X'))
            return false;
    }
    const QString seine = QFileInfo(proc + QStringLiteral("/exe")).symLinkTarget();
    const QString meine = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (!seine.isEmpty() && !meine.isEmpty())
        return seine == meine;
    const QByteArray seinName = ProzessName(proc);
    const QByteArray meinName = ProzessName(QStringLiteral("/proc/self"));
    if (!seinName.isEmpty() && !meinName.isEmpty())
        return seinName == meinName;
    return true; // cannot tell: assume it is a running instance
}

const QString ReservierungSektion = QStringLiteral("Reservierung");

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

LadeErgebnis Adressdatei_Lesen(const QString& pfad, bool anlegen)
{
    LadeErgebnis e;
    e.beschreibung = StandardBeschreibung(pfad);
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QString ordner = Ordner(datei);
    if (!QFileInfo(ordner).isDir()) {
        e.ordnerFehlt = true;
        e.fehler = QStringLiteral("Der Ordner »%1« ist nicht vorhanden.").arg(ordner);
        return e;
    }

    QFileInfo info(datei);
    if (!info.exists() && !info.isSymLink()) {
        if (!anlegen) {
            e.fehler = QStringLiteral("Die Datei ist nicht vorhanden.");
            return e;
        }
        // Created only here, never over an existing file.
        QFile neu(datei);
        if (!neu.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            e.fehler = QStringLiteral("Die Datei kann nicht angelegt werden. ") + Grund(errno);
            return e;
        }
        const QByteArray zeile = QByteArray(FeldAnzahl - 1, '\t') + "\r\n";
        if (neu.write(zeile) != zeile.size() || !neu.flush()) {
            e.fehler = QStringLiteral("Die Datei kann nicht angelegt werden.");
            return e;
        }
        neu.close();
        e.angelegt = true;
    }

    if (QFileInfo(datei).isDir()) {
        e.fehler = QStringLiteral("Unter diesem Namen steht ein Ordner.");
        return e;
    }
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) {
        e.fehler = QStringLiteral("Die Datei kann nicht geöffnet werden. ") + Grund(errno);
        return e;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        e.fehler = QStringLiteral("Die Datei kann nicht gelesen werden. ") + Grund(errno);
        return e;
    }
    f.close();

    QString text = zplatform::ausWindows1252(bytes);
    // An end-of-file mark (Ctrl+Z) that older programs left behind is no address.
    qsizetype schluss = text.size();
    while (schluss > 0 && (text.at(schluss - 1) == QChar(0x1A) || text.at(schluss - 1) == QLatin1Char('\r') ||
                           text.at(schluss - 1) == QLatin1Char('\n')))
        --schluss;
    const qsizetype marke = text.indexOf(QChar(0x1A), schluss);
    if (marke >= 0)
        text.truncate(marke);
    const QChar* d = text.constData();
    const qsizetype n = text.size();
    e.eintraege.reserve(qMin<qsizetype>(MaxAdressen, n / 64 + 16));
    qsizetype pos = 0;
    bool ersteZeile = true;
    while (pos < n) {
        qsizetype nl = text.indexOf(QLatin1Char('\n'), pos);
        const qsizetype ende = nl < 0 ? n : nl;
        const qsizetype weiter = nl < 0 ? n : nl + 1;
        qsizetype laenge = ende - pos;
        if (laenge > 0 && d[ende - 1] == QLatin1Char('\r'))
            --laenge;
        const QStringView zeile(d + pos, laenge);
        pos = weiter;

        if (ersteZeile) {
            ersteZeile = false;
            if (zeile.startsWith(QLatin1String(".."))) {
                e.hatBeschreibung = true;
                e.beschreibung = zeile.mid(2).toString();
                continue;
            }
        }
        if (OhneAdresse(zeile))
            continue;
        if (e.eintraege.size() >= MaxAdressen) {
            e.zuViele = true;
            break;
        }
        QString eintrag;
        if (zeile.contains(QLatin1Char('\r'))) {
            // A stray CR inside the line: kept as a line break of its field.
            if (zeile.startsWith(Feldtrenner))
                eintrag.append(QLatin1Char(' '));
            OhneZeilenumbruch(eintrag, zeile);
        } else if (zeile.startsWith(Feldtrenner)) {
            eintrag.reserve(laenge + 1);
            eintrag.append(QLatin1Char(' '));
            eintrag.append(zeile);
        } else {
            eintrag = zeile.toString();
        }
        e.eintraege.append(std::move(eintrag));
    }
    e.ok = true;
    return e;
}

SpeicherErgebnis Adressdatei_Schreiben(const QString& pfad, const QString& beschreibung, const QStringList& eintraege)
{
    SpeicherErgebnis ergebnis;

    // The whole file as one text.
    qsizetype laenge = beschreibung.size() + 4;
    for (const QString& e : eintraege)
        laenge += e.size() + 3;
    QString text;
    text.reserve(laenge);
    text.append(QLatin1String(".."));
    for (QChar c : beschreibung)
        text.append(c == QLatin1Char('\r') || c == QLatin1Char('\n') ? QLatin1Char(' ') : c);
    text.append(QLatin1String("\r\n"));
    for (const QString& e : eintraege) {
        // A record that begins with the separator gets its blank, as the
        // loader would give it, so the file reloads to the same records.
        if (e.startsWith(Feldtrenner))
            text.append(QLatin1Char(' '));
        if (e.contains(QLatin1Char('\r')) || e.contains(QLatin1Char('\n')))
            OhneZeilenumbruch(text, e);
        else
            text.append(e);
        text.append(QLatin1String("\r\n"));
    }

    qsizetype fehlerPos = -1;
    const QByteArray bytes = zplatform::nachWindows1252(text, &fehlerPos);
    if (fehlerPos >= 0) {
        const qsizetype zeile = QStringView(text).left(fehlerPos).count(QLatin1Char('\n'));
        QString zeichen = text.mid(fehlerPos, 1);
        if (text.at(fehlerPos).isHighSurrogate() && fehlerPos + 1 < text.size())
            zeichen = text.mid(fehlerPos, 2);
        const QString wo = zeile == 0 ? QStringLiteral("in der Beschreibung der Adressdatei")
                                      : QStringLiteral("in der %1. Adresse").arg(zeile);
        ergebnis.fehler = QStringLiteral("Das Zeichen »%1« %2 kann in einer Adressdatei nicht gespeichert werden. "
                                         "Bitte ersetzen Sie es.")
                              .arg(zeichen, wo);
        return ergebnis;
    }

    QString ziel = zplatform::pfadAufloesen(pfad);
    const QFileInfo zielInfo(ziel);
    if (zielInfo.isSymLink() && !zielInfo.canonicalFilePath().isEmpty())
        ziel = zielInfo.canonicalFilePath(); // the file the link points to is the one replaced
    const QString ordner = Ordner(ziel);
    const QString zwischen = Zwischendatei(ziel);
    const QString sicherung = zplatform::pfadAufloesen(Sicherungsdatei(ziel));

    struct stat alt
    {
    };
    const bool altDa = ::stat(Pfad8(ziel).constData(), &alt) == 0;
    if (altDa && !S_ISREG(alt.st_mode)) {
        ergebnis.fehler = QStringLiteral("Unter diesem Namen steht keine Datei, sondern ein Ordner.");
        return ergebnis;
    }
    const mode_t modus = altDa ? (alt.st_mode & 07777) : 0666;

    if (int f = BytesAblegen(zwischen, bytes, modus)) {
        ::unlink(Pfad8(zwischen).constData());
        ergebnis.fehler =
            QStringLiteral("Die neue Fassung »%1« kann nicht geschrieben werden. ").arg(zwischen) + Grund(f);
        return ergebnis;
    }
    if (altDa)
        ::chmod(Pfad8(zwischen).constData(), modus); // the umask may have narrowed it

    if (altDa) {
        // The old file stays as the ".BAK" until the new one is in place.
        struct stat s
        {
        };
        if (::lstat(Pfad8(sicherung).constData(), &s) == 0 && ::unlink(Pfad8(sicherung).constData()) != 0) {
            const int f = errno;
            ::unlink(Pfad8(zwischen).constData());
            ergebnis.fehler =
                QStringLiteral("Die alte Sicherungskopie »%1« kann nicht ersetzt werden. ").arg(sicherung) + Grund(f);
            return ergebnis;
        }
        if (::link(Pfad8(ziel).constData(), Pfad8(sicherung).constData()) != 0) {
            if (int f = Kopieren(ziel, sicherung, modus)) {
                ::unlink(Pfad8(zwischen).constData());
                ergebnis.fehler =
                    QStringLiteral("Die Sicherungskopie »%1« kann nicht angelegt werden. ").arg(sicherung) + Grund(f);
                return ergebnis;
            }
        }
    }

    if (::rename(Pfad8(zwischen).constData(), Pfad8(ziel).constData()) != 0) {
        const int f = errno;
        ::unlink(Pfad8(zwischen).constData());
        ergebnis.fehler = QStringLiteral("Die neue Fassung kann nicht an ihren Platz gebracht werden. ") + Grund(f);
        return ergebnis;
    }
    OrdnerSynchronisieren(ordner);
    if (altDa)
        ::unlink(Pfad8(sicherung).constData());
    ergebnis.ok = true;
    return ergebnis;
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
    Sitzung& s = sitzung();
    s.Geaendert = 0;
    s.LadeNurLesen = false;
    const QString pfad = s.AdressDateiName;

    // A reservation of the file opened before is released here at the latest.
    if (!s.ReservierteDatei.isEmpty() && s.ReservierteDatei != pfad) {
        Reservierung_Freigeben(s.ReservierteDatei);
        s.ReservierteDatei.clear();
    }

    LadeErgebnis e = Adressdatei_Lesen(pfad, true);
    s.Beschreibung = e.beschreibung;
    liste.setEintraege(std::move(e.eintraege));

    if (e.ordnerFehlt) {
        s.LadeNurLesen = true;
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Der Daten-Ordner »%1« ist nicht vorhanden.~~Die Adressdatei »%2« kann "
                                        "deshalb weder geladen noch gespeichert werden. Bitte legen Sie den Ordner "
                                        "an oder wählen Sie in den Einstellungen einen anderen Daten-Ordner.")
                             .arg(Ordner(zplatform::pfadAufloesen(pfad)), zcommon::Datei_Teil(pfad, 3)),
                         zplatform::vbExclamation);
    } else if (!e.ok) {
        s.LadeNurLesen = true;
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die Adressdatei »%1« kann nicht geladen werden.~~%2~~Sie wird nur zum "
                                        "Lesen geöffnet, damit sie nicht überschrieben wird.")
                             .arg(zplatform::pfadAufloesen(pfad), e.fehler),
                         zplatform::vbExclamation);
    } else if (e.zuViele) {
        s.LadeNurLesen = true;
        Speicherproblem_Melden(QStringLiteral("Die Adressdatei »%1« enthält mehr als %2 Adressen; geladen wurden "
                                              "die ersten %2.~~Damit sie nicht gekürzt gespeichert wird, wird sie "
                                              "nur zum Lesen geöffnet.")
                                   .arg(zplatform::pfadAufloesen(pfad))
                                   .arg(MaxAdressen));
    }

    NurLesen_Entscheiden(true);
    return e.ok;
}

bool Daten_Speichern(AdressListe& liste)
{
    Sitzung& s = sitzung();
    if (s.NurLesen || s.Geaendert == 0)
        return true;
    const SpeicherErgebnis e = Adressdatei_Schreiben(s.AdressDateiName, s.Beschreibung, liste.eintraege());
    if (!e.ok) {
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die Adressdatei »%1« konnte nicht gespeichert werden.~~%2~~Die bisherige "
                                        "Fassung der Datei ist unverändert erhalten; Ihre Änderungen sind noch "
                                        "nicht gesichert.")
                             .arg(zplatform::pfadAufloesen(s.AdressDateiName), e.fehler),
                         zplatform::vbExclamation, Speicherproblem);
        return false;
    }
    s.Geaendert = 0;
    return true;
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

// ---------------------------------------------------------------------------

QString Reservierungsdatei()
{
    return zplatform::pfadAufloesen(zcommon::Programm_Ordner() + QStringLiteral("/DurIdovi.ini"));
}

Reservierung Reservierung_Lesen(const QString& pfad)
{
    Reservierung r;
    const QString wert = zcommon::Ini_Lesen(Reservierungsdatei(), ReservierungSektion, pfad);
    if (zcommon::Trim(wert).isEmpty())
        return r;
    const QStringList teile = wert.split(QLatin1Char('|'));
    r.vorhanden = true;
    r.benutzer = teile.value(0).trimmed();
    r.rechner = teile.value(1).trimmed();
    r.pid = teile.value(2).trimmed().toLongLong();
    r.zeit = teile.value(3).trimmed();
    const bool ich = r.benutzer.compare(EigenerBenutzer(), Qt::CaseInsensitive) == 0 &&
                     r.rechner.compare(EigenerRechner(), Qt::CaseInsensitive) == 0;
    r.eigene = ich && r.pid == qint64(::getpid());
    r.verwaist = ich && !r.eigene && !ProzessLaeuft(r.pid);
    return r;
}

void Reservierung_Schreiben(const QString& pfad)
{
    const QString zeit = zcommon::Jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    const QString wert =
        QStringList{EigenerBenutzer(), EigenerRechner(), QString::number(qint64(::getpid())), zeit}.join(
            QLatin1Char('|'));
    zcommon::Ini_Schreiben(Reservierungsdatei(), ReservierungSektion, pfad, wert);
}

void Reservierung_Freigeben(const QString& pfad)
{
    if (pfad.isEmpty())
        return;
    if (Reservierung_Lesen(pfad).eigene)
        zcommon::Ini_Loeschen(Reservierungsdatei(), ReservierungSektion, pfad);
}

bool Reservierung_Pruefen(const QString& pfad)
{
    const Reservierung r = Reservierung_Lesen(pfad);
    if (r.vorhanden && !r.eigene && !r.verwaist) {
        const QString wer = r.benutzer.isEmpty() ? QStringLiteral("einem anderen Benutzer") : r.benutzer;
        const QString wo = r.rechner.isEmpty() ? QString() : QStringLiteral(" am Computer »%1«").arg(r.rechner);
        const QString seit = r.zeit.isEmpty() ? QString() : QStringLiteral(" seit %1").arg(r.zeit);
        const int antwort = zcommon::Meldung(
            QStringLiteral("#SystemQuestion"),
            QStringLiteral("Die Adressdatei »%1« wird%2 von %3%4 bearbeitet.~~Möchten Sie die Datei nur zum Lesen "
                           "öffnen?~~Ja: nur lesen; Sie können nichts ändern.~Nein: trotzdem bearbeiten; die "
                           "Reservierung geht auf Sie über, und was der andere Benutzer speichert, kann "
                           "verloren gehen.")
                .arg(pfad, seit, wer, wo),
            zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Adressdatei reserviert"));
        if (antwort != zplatform::vbNo)
            return false;
    }
    Reservierung_Schreiben(pfad);
    return true;
}

// ---------------------------------------------------------------------------

bool NurLesen_Entscheiden(bool reservieren)
{
    Sitzung& s = sitzung();
    const QString pfad = s.AdressDateiName;
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QString ordner = Ordner(datei);

    bool nurLesen = s.KommandozeileReadonly || s.LadeNurLesen || pfad.isEmpty();
    if (!nurLesen && zcommon::Val(DateiIni_Lesen(QStringLiteral("ReadOnly"))) != 0)
        nurLesen = true;
    if (!nurLesen) {
        for (const QString& o : {s.DatenOrdner, ordner}) {
            if (!o.isEmpty() && zcommon::Datei_Existiert(o + QStringLiteral("/READONLY.TXT"))) {
                nurLesen = true;
                break;
            }
        }
    }
    if (!nurLesen) {
        const QByteArray d = Pfad8(datei);
        if (::access(d.constData(), F_OK) == 0 && ::access(d.constData(), W_OK) != 0)
            nurLesen = true;
        else if (::access(Pfad8(ordner).constData(), W_OK | X_OK) != 0)
            nurLesen = true;
    }
    if (!nurLesen && reservieren) {
        if (Reservierung_Pruefen(pfad)) {
            s.ReservierteDatei = pfad;
        } else {
            nurLesen = true;
            s.LadeNurLesen = true;
        }
    }
    if (nurLesen && !s.ReservierteDatei.isEmpty() && s.ReservierteDatei == pfad) {
        // Read-only mode holds no reservation.
        Reservierung_Freigeben(pfad);
        s.ReservierteDatei.clear();
    }
    s.NurLesen = nurLesen;
    return nurLesen;
}

} // namespace zadressbuch
