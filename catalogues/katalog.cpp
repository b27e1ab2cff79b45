#include "catalogues/katalog.h"

#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/texte.h"

namespace zkataloge {

namespace {

QString artName(Katalogart art)
{
    switch (art) {
    case Katalogart::Bank:
        return QStringLiteral("BLZ_");
    case Katalogart::Ort:
        return QStringLiteral("PLZ_Ort_");
    case Katalogart::Vorwahl:
        return QStringLiteral("PLZ_Vorwahl_");
    }
    return QString();
}

QString endung(Katalogart art)
{
    return art == Katalogart::Bank ? QStringLiteral(".Txt") : QStringLiteral(".txt");
}

QString sektion(Katalogart art)
{
    return art == Katalogart::Bank ? QStringLiteral("BLZ") : QStringLiteral("PLZ");
}

QString dateiPfad(Katalogart art, const QString& land, const QString& shard)
{
    return Katalog_Ordner() + QLatin1Char('/') + Katalog_Land(land) + artName(art) + shard + endung(art);
}

// Letters and digits before the hyphen at the end.
bool landPraefix(QStringView text, qsizetype bindestrich)
{
    if (bindestrich < 1)
        return false;
    for (qsizetype i = 0; i < bindestrich; ++i)
        if (!text.at(i).isLetterOrNumber())
            return false;
    return true;
}

// A bank code's first character names its file: one that would name a folder
// gives no file.
bool shardSicher(const QString& shard)
{
    return !shard.contains(QLatin1Char('/')) && !shard.contains(QLatin1Char('\\')) && !shard.contains(QChar(0));
}

bool schluesselSpeicherbar(const QString& schluessel)
{
    if (schluessel.trimmed().isEmpty())
        return false;
    const QChar erstes = zcommon::LTrim(schluessel).at(0);
    if (erstes == QLatin1Char('[') || erstes == QLatin1Char(';'))
        return false;
    for (QChar c : schluessel)
        if (c == QLatin1Char('=') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    return true;
}

// The bank code as a whole number of the signed 32-bit range in the form "00".
std::optional<QString> bankZahlform(const QString& code)
{
    bool ok = false;
    const qlonglong v = code.toLongLong(&ok);
    if (!ok || v < -2147483648LL || v > 2147483647LL)
        return std::nullopt;
    const QString ziffern = QStringLiteral("%1").arg(v < 0 ? -v : v, 2, 10, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + ziffern : ziffern;
}

// Step "choice" of the look-ups: several entries with mode 1 go to the pick
// list; returns nullopt after a cancel, else the answer.
std::optional<QString> waehlen(const QString& wert, int modus, const Waehler& waehler)
{
    const QStringList eintraege = Katalog_Eintraege(zcommon::Trim(wert));
    if (modus != 1 || eintraege.size() < 2)
        return wert;
    if (!waehler)
        return std::nullopt;
    return waehler(eintraege);
}

QString stdLand()
{
    return zadressbuch::sitzung().KatalogStdLand;
}

} // namespace

QString Katalog_Ordner()
{
    return zcommon::Programm_Ordner() + QStringLiteral("/Kataloge");
}

PlzTeile Plz_Zerlegen(const QString& plz, const QString& stdLand)
{
    PlzTeile t;
    const QString text = zcommon::Trim(plz);
    const qsizetype p = text.indexOf(QLatin1Char('-'));
    if (zcommon::Val(text) == 0 && landPraefix(text, p)) {
        t.land = zcommon::UCase(text.left(p + 1));
        t.schluessel = text.mid(p + 1);
    } else {
        t.land = stdLand;
        t.schluessel = text;
    }
    if (!t.schluessel.isEmpty()) {
        const QChar c = t.schluessel.at(0);
        t.shard = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? QString(c) : QStringLiteral("9");
    }
    return t;
}

QString Katalog_Land(const QString& stdLand)
{
    if (stdLand.isEmpty() || (stdLand.endsWith(QLatin1Char('-')) && landPraefix(stdLand, stdLand.size() - 1)))
        return stdLand;
    return QStringLiteral("D-");
}

KatalogZiel Katalog_Ziel(Katalogart art, const QString& code, const QString& stdLand)
{
    KatalogZiel z;
    z.sektion = sektion(art);
    const QString getrimmt = zcommon::Trim(code);
    if (art == Katalogart::Bank) {
        z.schluessel = getrimmt;
        const QString shard = getrimmt.left(1);
        if (shardSicher(shard) && schluesselSpeicherbar(z.schluessel))
            z.datei = dateiPfad(art, stdLand, shard);
        return z;
    }
    const PlzTeile t = Plz_Zerlegen(getrimmt, stdLand);
    z.schluessel = t.schluessel;
    if (schluesselSpeicherbar(z.schluessel))
        z.datei = dateiPfad(art, t.land, t.shard);
    return z;
}

QStringList Katalog_Eintraege(const QString& wert)
{
    QStringList eintraege;
    for (const QString& stueck : wert.split(QLatin1Char(','))) {
        if (stueck.isEmpty())
            continue;
        if (eintraege.size() < 99)
            eintraege << zcommon::Trim(stueck);
        else
            eintraege.back() = zcommon::Trim(stueck);
    }
    return eintraege;
}

Waehler Fenster_Waehler(zadressbuch::Fenster& fenster)
{
    return [&fenster](const QStringList& eintraege) -> std::optional<QString> {
        const QStringList gewaehlt = fenster.Auswahl_Zeigen(eintraege, true);
        if (gewaehlt.isEmpty())
            return std::nullopt;
        return gewaehlt.first();
    };
}

QString KatalogBank_Suchen(const QString& blz, int& modus, const Waehler& waehler)
{
    const QString code = zcommon::Trim(blz);
    const QString shard = code.left(1);
    if (code.isEmpty() || !shardSicher(shard))
        return QString();
    const QString datei = dateiPfad(Katalogart::Bank, stdLand(), shard);
    if (!zcommon::Datei_Existiert(datei))
        return QString();
    if (modus == 0)
        modus = 1;
    QString wert;
    if (schluesselSpeicherbar(code))
        wert = zcommon::Ini_Lesen(datei, QStringLiteral("BLZ"), code, QString());
    if (wert.isEmpty()) {
        const std::optional<QString> zahl = bankZahlform(code);
        if (zahl && *zahl != code)
            wert = zcommon::Ini_Lesen(datei, QStringLiteral("BLZ"), *zahl, QString());
    }
    return waehlen(wert, modus, waehler).value_or(QString());
}

QString KatalogOrt_Suchen(const QString& plz, int& modus, const Waehler& waehler, const QString& ortBeiAbbruch)
{
    if (modus == 0)
        modus = 1;
    const PlzTeile t = Plz_Zerlegen(plz, stdLand());
    const QString datei = dateiPfad(Katalogart::Ort, t.land, t.shard);
    if (!schluesselSpeicherbar(t.schluessel) || !zcommon::Datei_Existiert(datei))
        return QString();
    const QString wert = zcommon::Ini_Lesen(datei, QStringLiteral("PLZ"), t.schluessel, QString());
    QString ergebnis = waehlen(wert, modus, waehler).value_or(ortBeiAbbruch);
    if (ergebnis.startsWith(QLatin1Char(',')))
        ergebnis = zcommon::Trim(ergebnis.mid(1));
    return ergebnis;
}

QString KatalogVorwahl_Suchen(const QString& plz, int& modus, const Waehler& waehler)
{
    if (modus == 0)
        modus = 1;
    const PlzTeile t = Plz_Zerlegen(plz, stdLand());
    if (zcommon::Val(t.schluessel) <= 0)
        return QString();
    const QString datei = dateiPfad(Katalogart::Vorwahl, t.land, t.shard);
    if (!schluesselSpeicherbar(t.schluessel) || !zcommon::Datei_Existiert(datei))
        return QString();
    const QString wert = zcommon::Ini_Lesen(datei, QStringLiteral("PLZ"), t.schluessel, QString());
    QString ergebnis = waehlen(wert, modus, waehler).value_or(QString());
    if (ergebnis.startsWith(QLatin1Char(',')))
        ergebnis = zcommon::Trim(ergebnis.mid(1));
    return ergebnis;
}

QString Katalog_Lesen(Katalogart art, const KatalogZiel& ziel)
{
    if (ziel.datei.isEmpty())
        return QString();
    QString wert = zcommon::Ini_Lesen(ziel.datei, ziel.sektion, ziel.schluessel, QString());
    if (art == Katalogart::Bank && wert.isEmpty()) {
        const std::optional<QString> zahl = bankZahlform(ziel.schluessel);
        if (zahl && *zahl != ziel.schluessel)
            wert = zcommon::Ini_Lesen(ziel.datei, ziel.sektion, *zahl, QString());
    }
    if (art != Katalogart::Bank && wert.startsWith(QLatin1Char(',')))
        wert = zcommon::Trim(wert.mid(1));
    return wert;
}

namespace {

QString schreiben(Katalogart art, const QString& code, const QString& wert)
{
    const KatalogZiel z = Katalog_Ziel(art, code, stdLand());
    if (z.datei.isEmpty())
        return QString();
    return zcommon::Ini_Schreiben(z.datei, z.sektion, z.schluessel, wert);
}

} // namespace

QString KatalogBlz_Schreiben(const QString& blz, const QString& name)
{
    return schreiben(Katalogart::Bank, blz, name);
}

QString KatalogOrt_Schreiben(const QString& plz, const QString& ort)
{
    return schreiben(Katalogart::Ort, plz, ort);
}

QString KatalogVorwahl_Schreiben(const QString& plz, const QString& vorwahl)
{
    return schreiben(Katalogart::Vorwahl, plz, vorwahl);
}

} // namespace zkataloge
