// The settings-file editor's lists agree with a plain reference: a header is
// a line "[" ... "]" whose first "]" is its last character; a key line holds
// "=" below the header of the chosen section. Names may differ only in case.
#include "commands/setupspeziell.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

bool istKopf(const QString& z)
{
    return z.size() >= 2 && z.front() == u'[' && z.back() == u']' && z.indexOf(u']') == z.size() - 1;
}

bool gleich(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    // Capitalising reads the user's settings: keep them in a folder of our own.
    static QTemporaryDir wurzel;
    static const bool gesetzt = qputenv("ZETTLORA_ROOT", QDir(wurzel.path()).absolutePath().toLocal8Bit());
    (void)gesetzt;

    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    const QStringList zeilen = text.split(u'\n');

    QStringList abschnitte;
    for (const QString& z : zeilen) {
        if (istKopf(z))
            abschnitte << z.mid(1, z.size() - 2);
    }
    if (!gleich(zbefehle::SetupSpeziell_Abschnitte(zeilen), abschnitte))
        std::abort();

    const QString gewaehlt = abschnitte.isEmpty() ? QStringLiteral("x") : abschnitte.last();
    QStringList schluessel;
    bool drin = false;
    for (const QString& z : zeilen) {
        if (istKopf(z))
            drin = z.mid(1, z.size() - 2).compare(gewaehlt, Qt::CaseInsensitive) == 0;
        else if (drin && z.contains(u'='))
            schluessel << z.section(u'=', 0, 0);
    }
    if (!gleich(zbefehle::SetupSpeziell_Schluessel(zeilen, gewaehlt), schluessel))
        std::abort();
    return 0;
}
