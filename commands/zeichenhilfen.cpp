#include "commands/zeichenhilfen.h"

#include "common/ini.h"
#include "common/texte.h"
#include "platform/codec.h"

namespace zbefehle {

ZoomAnzeige Zoom_Anzeige(const QString& textCrLf, int selStart, int maxLength)
{
    ZoomAnzeige a;
    const int laenge = int(textCrLf.size());
    if (laenge == 0) {
        a.position = a.tipp = QStringLiteral("keine Eingaben");
    } else {
        // The line holding the character at the cursor: the line breaks within
        // the first selStart + 1 characters.
        const int zeile = 1 + int(textCrLf.left(qMax(0, selStart + 1)).count(QStringLiteral("\r\n")));
        const int stelle = qMin(selStart + 1, laenge);
        a.position = QStringLiteral(" %1. Zeile,  %2 / %3 Zeichen ").arg(zeile).arg(stelle).arg(laenge);
        a.tipp = QStringLiteral("%1. Zeile   %2 / %3 Zeichen").arg(zeile).arg(stelle).arg(laenge);
    }
    if (maxLength > 0)
        a.prozent = zcommon::Format(double(laenge) * 100.0 / maxLength, QStringLiteral("0")) + QStringLiteral("%");
    return a;
}

double Zoom_Schriftgroesse()
{
    const double wert =
        zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("ZoomFntSize"), QStringLiteral("1300"))) /
        100.0;
    return wert > 0 ? wert : 13.0;
}

void Zoom_SchriftgroesseSichern(double punkte)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("ZoomFntSize"),
                           zcommon::Format(punkte * 100.0, QStringLiteral("0")));
}

QStringList Sonderzeichen_Saetze()
{
    QString alle;
    const QString ohne = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");
    for (int code = 32; code <= 255; ++code) {
        const QString c = zplatform::ausWindows1252(QByteArray(1, char(code)));
        if (!ohne.contains(zcommon::LCase(c)))
            alle += c;
    }
    const QList<QPair<QString, QString>> saetze = {
        {QStringLiteral("Alle"), alle},
        {QStringLiteral("Deutsch"), QStringLiteral("äÄöÖüÜß")},
        {QStringLiteral("Dänisch"), QStringLiteral("æÆåÅøØ")},
        {QStringLiteral("Spanisch"), QStringLiteral("Ññéíó¡!")},
        {QStringLiteral("Zeichen"), QStringLiteral("©®™¶£$@€")},
        {QStringLiteral("Zahlen"), QStringLiteral("+-±×·•÷<«=»>¼½¾¹²³%‰øØ°~¶")},
        {QStringLiteral("Paarweise"), QStringLiteral("«»{}[]“”")},
    };
    QStringList eintraege;
    for (const auto& [name, zeichen] : saetze)
        eintraege << name.leftJustified(12, QLatin1Char(' ')) + QString(29, QLatin1Char(' ')) + QLatin1Char(';') +
                         zeichen;
    return eintraege;
}

QString Sonderzeichen_Zeichen(const QString& eintrag)
{
    const qsizetype p = eintrag.indexOf(QStringLiteral(" ;"));
    return p >= 0 ? eintrag.mid(p + 2) : eintrag;
}

QString Sonderzeichen_Name(const QString& eintrag)
{
    const qsizetype p = eintrag.indexOf(QStringLiteral(" ;"));
    return zcommon::Trim(p >= 0 ? eintrag.left(p) : eintrag);
}

} // namespace zbefehle
