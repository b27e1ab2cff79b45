// Folders, paths, files and the text editor.

#include "common/dateien.h"

#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zcommon {

namespace {

bool istTrenner(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool hatLaufwerksbuchstaben(const QString& p)
{
    return p.size() >= 2 && p[1] == QLatin1Char(':') && p[0].isLetter() && p[0].unicode() < 0x80;
}

} // namespace

QString Programm_Ordner()
{
    return zplatform::programmOrdner();
}

QString Windows_Ordner()
{
    return zplatform::windowsOrdner();
}

QString System_Ordner()
{
    return zplatform::systemOrdner();
}

QString Temp_Ordner()
{
    return zplatform::tempOrdner();
}

QString Pfad(const QString& pfad)
{
    return zplatform::pfadAufloesen(zplatform::normalPfad(pfad));
}

bool Datei_Existiert(const QString& name)
{
    if (Trim(name).isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return false;
    const QString p = Pfad(name);
    if (!QFileInfo(p).isFile())
        return false;
    QFile f(p);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    f.close();
    return true;
}

QString Datei_Teil(const QString& pfad, int teil)
{
    const QString p = Trim(pfad);

    if (teil == -2) {
        if (hatLaufwerksbuchstaben(p))
            return p.left(2);
        if (p.size() > 2 && istTrenner(p[0]) && istTrenner(p[1])) {
            qsizetype i = 2;
            while (i < p.size() && !istTrenner(p[i]))
                ++i;
            return p.left(i);
        }
        return QString();
    }

    qsizetype letzter = -1;
    for (qsizetype i = p.size() - 1; i >= 0; --i) {
        if (istTrenner(p[i])) {
            letzter = i;
            break;
        }
    }
    QString ordner, name;
    if (letzter >= 0) {
        ordner = p.left(letzter + 1);
        name = p.mid(letzter + 1);
    } else if (hatLaufwerksbuchstaben(p)) {
        ordner = p.left(2);
        name = p.mid(2);
    } else {
        name = p;
    }

    const qsizetype punkt = name.indexOf(QLatin1Char('.'));
    switch (teil) {
    case -1:
        if (!ordner.isEmpty() && istTrenner(ordner.back()))
            ordner.chop(1);
        return ordner;
    case 0:
        return ordner;
    case 1:
        return punkt < 0 ? name : name.left(punkt);
    case 2:
        return punkt < 0 ? QString() : name.mid(punkt + 1);
    case 3:
        return name;
    default:
        return QString();
    }
}

QString Datei_Suchen(const QString& name)
{
    const QString n = Trim(name);
    if (n.isEmpty() || n.contains(QLatin1Char('*')) || n.contains(QLatin1Char('?')))
        return QString();
    if (n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) || hatLaufwerksbuchstaben(n))
        return Datei_Existiert(n) ? Pfad(n) : QString();
    const QStringList ordner{QDir::currentPath(), Programm_Ordner(), Windows_Ordner(), System_Ordner()};
    for (const QString& o : ordner) {
        const QString p = zplatform::pfadAufloesen(o + QLatin1Char('/') + n);
        if (QFileInfo(p).isFile())
            return p;
    }
    return QString();
}

bool Verzeichnis_Anlegen(const QString& pfad)
{
    const QString n = Trim(pfad);
    if (n.isEmpty())
        return false;
    const QString p = Pfad(n);
    if (QFileInfo(p).isDir())
        return true;
    QDir().mkpath(p);
    return QFileInfo(p).isDir();
}

bool Datei_Sichern(const QString& pfad)
{
    const QString ziel = Temp_Ordner() + QLatin1Char('/') + QFileInfo(pfad).fileName();
    // A file that already lies in the temp folder has no copy apart from
    // itself: it is no backup (and must not be removed over itself).
    if (QFileInfo(ziel).absoluteFilePath() == QFileInfo(pfad).absoluteFilePath())
        return false;
    QFile::remove(ziel);
    return QFile::copy(pfad, ziel);
}

void Datei_Loeschen(const QStringList& dateien, bool sicherung)
{
    // Names may also come as one text separated by NUL characters.
    QStringList namen;
    for (const QString& d : dateien)
        for (const QString& teil : d.split(QChar(0), Qt::SkipEmptyParts))
            if (!Trim(teil).isEmpty())
                namen << teil;
    if (namen.isEmpty())
        return;

    const auto kopieren = [](const QString& pfad) { return Datei_Sichern(pfad); };

    QStringList behalten;
    for (const QString& name : namen) {
        const QString pfad = Pfad(name);
        if (!QFileInfo::exists(pfad))
            continue;
        bool kopiert = false;
        if (sicherung)
            kopiert = kopieren(pfad); // a failing copy is skipped
        if (zplatform::plattform().inPapierkorb(pfad))
            continue;
        // The trash cannot take it: delete for good only with a copy in the temp folder.
        if (!kopiert)
            kopiert = kopieren(pfad);
        if (kopiert && QFile::remove(pfad))
            continue;
        behalten << QDir::toNativeSeparators(pfad);
    }
    if (!behalten.isEmpty()) {
        const QString text = behalten.size() == 1
                                 ? QStringLiteral("Die Datei~%1~konnte nicht in den Papierkorb verschoben werden "
                                                  "und wurde nicht gelöscht.")
                                       .arg(Woertlich(behalten.front()))
                                 : QStringLiteral("Diese Dateien konnten nicht in den Papierkorb verschoben werden "
                                                  "und wurden nicht gelöscht:~%1")
                                       .arg(Woertlich(behalten.join(QChar(0x1))).replace(QChar(0x1), QLatin1Char('~')));
        Meldung(QStringLiteral("#SystemExclamation"), text, zplatform::vbOKOnly + zplatform::vbExclamation);
    }
}

bool Text_Bearbeiten(const QString& datei, bool warten)
{
    const QString editor = Trim(
        Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit"), QStringLiteral("NotePad")));
    const QString pfad = Pfad(datei);
    const QString arbeitsordner = Windows_Ordner();
    auto& p = zplatform::plattform();

    QString programm;
    QStringList argumente;
    // "NotePad", also with a folder ("C:\WINDOWS\NotePad.Exe", as older settings hold it).
    const QString klein = editor.mid(qMax(editor.lastIndexOf(u'/'), editor.lastIndexOf(u'\\')) + 1).toLower();
    if (klein.isEmpty() || klein == QLatin1String("notepad") || klein == QLatin1String("notepad.exe")) {
        // The desktop's text editor: the program the desktop opens text files
        // with, else the editor the user named in the environment.
        programm = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (programm.isEmpty()) {
            for (const char* var : {"VISUAL", "EDITOR"}) {
                const QStringList teile = QProcess::splitCommand(qEnvironmentVariable(var));
                if (!teile.isEmpty()) {
                    programm = teile.front();
                    argumente = teile.mid(1);
                    break;
                }
            }
        }
        if (programm.isEmpty())
            programm = QStringLiteral("xdg-open");
    } else if (QFileInfo(Pfad(editor)).isFile()) {
        programm = Pfad(editor);
    } else {
        // A program name, or a command with options ("kate -n").
        const QStringList teile = QProcess::splitCommand(editor);
        programm = teile.isEmpty() ? editor : teile.front();
        argumente = teile.mid(1);
        const QString gefunden = QStandardPaths::findExecutable(programm);
        if (!gefunden.isEmpty())
            programm = gefunden;
    }
    argumente << pfad;
    if (p.programmStarten(programm, argumente, arbeitsordner, warten))
        return true;
    Meldung(QStringLiteral("#SystemExclamation"),
            QStringLiteral("Der Texteditor \"%1\" konnte nicht gestartet werden.~Bitte prüfen Sie die Einstellung "
                           "\"PrgTxtEdit\" im Abschnitt \"Allgemein\".")
                .arg(Woertlich(editor.isEmpty() ? programm : editor)),
            zplatform::vbOKOnly + zplatform::vbExclamation);
    return false;
}

} // namespace zcommon
