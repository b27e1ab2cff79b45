// Settings writer against arbitrary files: after Ini_Schreiben of one key the
// key reads back as written (what the writer returned, with its line breaks
// and enclosing quotes undone), and no other section or key changed.
//
// Input: the file's bytes, then "\n\x01" and the section, key and value as
// UTF-8, separated by "\x01".
#include "common/ini.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString norm(const QString& s)
{
    QString n = s;
    while (!n.isEmpty() && (n.front() == u' ' || n.front() == u'\t'))
        n.remove(0, 1);
    while (!n.isEmpty() && (n.back() == u' ' || n.back() == u'\t'))
        n.chop(1);
    for (QChar& c : n)
        c = c.toUpper();
    return n;
}

// First occurrences of every section and key, by their compared names.
QHash<QString, QString> alles(const QString& pfad)
{
    QHash<QString, QString> werte;
    for (const zcommon::IniSektion& s : zcommon::Ini_Auslesen(pfad))
        for (const auto& [k, v] : s.eintraege)
            werte.insert(norm(s.name) + QChar(0x1) + norm(k), v);
    return werte;
}

// A name the format can hold: no line break, none of "=[];", not empty.
bool brauchbar(const QString& name)
{
    if (norm(name).isEmpty())
        return false;
    for (QChar c : name)
        if (c == u'\r' || c == u'\n' || c == u'=' || c == u'[' || c == u']' || c == u';')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static QTemporaryDir dir;
    const QByteArray eingabe(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    const qsizetype trenner = eingabe.indexOf("\n\x01");
    if (trenner < 0)
        return 0;
    const QList<QByteArray> teile = eingabe.mid(trenner + 2).split('\x01');
    if (teile.size() != 3)
        return 0;
    const QString sektion = QString::fromUtf8(teile[0]);
    const QString schluessel = QString::fromUtf8(teile[1]);
    const QString wert = QString::fromUtf8(teile[2]);
    if (!brauchbar(sektion) || !brauchbar(schluessel))
        return 0;

    const QString pfad = dir.path() + QStringLiteral("/f.ini");
    {
        QFile f(pfad);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(eingabe.left(trenner + 1));
    }
    zcommon::Ini_CacheLeeren();
    QHash<QString, QString> vorher = alles(pfad);
    const QString gespeichert = zcommon::Ini_Schreiben(pfad, sektion, schluessel, wert);
    QHash<QString, QString> nachher = alles(pfad);

    // The key reads back as written.
    QString erwartet = gespeichert;
    if (erwartet.size() >= 2 && (erwartet.front() == u'"' || erwartet.front() == u'\'') &&
        erwartet.back() == erwartet.front())
        erwartet = erwartet.mid(1, erwartet.size() - 2);
    erwartet.replace(QStringLiteral("**"), QStringLiteral("\r\n"));
    const QString gelesen = zcommon::Ini_Lesen(pfad, sektion, schluessel, QStringLiteral("<fehlt>"));
    if (gelesen != erwartet)
        std::abort();
    zcommon::Ini_CacheLeeren();
    if (zcommon::Ini_Lesen(pfad, sektion, schluessel, QStringLiteral("<fehlt>")) != erwartet)
        std::abort();

    // Nothing else changed.
    const QString mein = norm(sektion) + QChar(0x1) + norm(schluessel);
    vorher.remove(mein);
    nachher.remove(mein);
    if (vorher != nachher)
        std::abort();
    return 0;
}
