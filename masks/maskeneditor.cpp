#include "masks/maskeneditor.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/texte.h"
#include "masks/masken.h"

#include "platform/ordner.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>

namespace zmasken {

QStringList MaskenEdit_Eintraege(const std::array<QString, zadressbuch::FeldAnzahl>& bezeichnungen)
{
    QStringList e;
    for (const QString& b : bezeichnungen)
        e << QStringLiteral("{") + b + QStringLiteral("}");
    e << QStringLiteral("{@Datum}") << QStringLiteral("{@Uhrzeit}") << QStringLiteral("An")
      << QStringLiteral("Absender") << QStringLiteral("~");
    QCollator c(QLocale(QLocale::German, QLocale::Germany));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(e.begin(), e.end(), [&c](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    return e;
}

MaskenPosition MaskenEdit_Position(const QString& textCrLf, int caret)
{
    MaskenPosition p;
    const int t = int(textCrLf.size());
    if (t == 0) {
        p.text = p.tipp = QStringLiteral("keine Eingaben");
        return p;
    }
    const int z = caret + 1;
    const int a = int(textCrLf.left(z).count(QStringLiteral("\r\n"))) + 1;
    p.text = QStringLiteral(" %1 Zeile  %2 / %3 Zeichen ").arg(a).arg(z).arg(t);
    p.tipp = QStringLiteral("%1. Absatz   %2 / %3 Zeichen").arg(a).arg(z).arg(t);
    return p;
}

MaskenEditLadung MaskenEdit_Laden(const QString& pfad)
{
    MaskenEditLadung l;
    // A character takes at most three bytes of a file (UTF-8 behind its
    // byte-order mark of three), and line ends only grow to CR LF.
    const qint64 groesse = QFileInfo(zplatform::pfadAufloesen(pfad)).size();
    if ((groesse - 3) / 3 > MaskenEditFassung) {
        l.zuLang = true;
        return l;
    }
    l.text = Maske_TextLesen(pfad, &l.ok);
    if (l.text.size() > MaskenEditFassung) {
        l.zuLang = true;
        l.ok = false;
        l.text.clear();
    }
    return l;
}

QString Maske_Basisname(const QString& pfad)
{
    return zcommon::Datei_Teil(pfad, 1);
}

QString ZAexport_LetzteMaske()
{
    return zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AnschriftZaMaske"), QStringLiteral("Anschrift"));
}

void ZAexport_MaskeMerken(const QString& name)
{
    QString n = name;
    if (n.right(4).toLower() == QLatin1String(".msk"))
        n.chop(4);
    if (zcommon::Trim(n).isEmpty())
        return;
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AnschriftZaMaske"), n);
}

int ZAexport_Auswahl(const QStringList& masken, const QString& gemerkt)
{
    int auswahl = -1;
    for (int i = 0; i < masken.size(); ++i)
        if (masken[i].compare(gemerkt, Qt::CaseInsensitive) == 0)
            auswahl = i;
    if (auswahl < 0 && !masken.isEmpty())
        auswahl = 0;
    return auswahl;
}

QString ZAexport_Text(const QString& ausgefuellt)
{
    QString t = ausgefuellt.left(ZAexportGrenze);
    if (t.size() < ausgefuellt.size() && t.endsWith(QLatin1Char('\r')))
        t.chop(1);
    return t;
}

int Masken_BezeichnungErsetzen(const QString& alt, const QString& neu, QStringList* fehler)
{
    const QString suche = QStringLiteral("{") + alt + QStringLiteral("}");
    const QString ersatz = QStringLiteral("{") + neu + QStringLiteral("}");
    int geschrieben = 0;
    for (const QString& name : Masken_Liste()) {
        const QString pfad = Maske_Datei(name);
        if (pfad.isEmpty())
            continue;
        bool ok = false;
        const QString text = Maske_TextLesen(pfad, &ok);
        if (!ok || !text.contains(suche, Qt::CaseInsensitive))
            continue;
        QString neuText = zcommon::Ersetzen(text, suche, ersatz);
        if (!neuText.endsWith(QStringLiteral("\r\n")))
            neuText += QStringLiteral("\r\n");
        if (Maske_Speichern(pfad, neuText))
            ++geschrieben;
        else if (fehler)
            *fehler << name;
    }
    return geschrieben;
}

} // namespace zmasken
