#pragma once
// Shared by the fuzz targets: a private program root in a temporary folder
// (so no target touches the user's settings), text made from input bytes and
// the report of a broken property.

#include "platform/codec.h"
#include "platform/ordner.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace zfuzz {

// Creates the root once: ZETTLORA_ROOT with its windows, programm and temp
// folders, on /dev/shm when it is there (saves flush to disk otherwise).
inline const QString& wurzel()
{
    static const QString pfad = [] {
        static int argc = 1;
        static char name[] = "zettlora-fuzz";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        const QString basis =
            QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        static QTemporaryDir dir(basis + QStringLiteral("/zettlora-fuzz-XXXXXX"));
        if (!dir.isValid()) {
            std::fprintf(stderr, "Kein temporärer Ordner für den Fuzz-Lauf.\n");
            std::abort();
        }
        QDir d(dir.path());
        d.mkpath(QStringLiteral("windows/system"));
        d.mkpath(QStringLiteral("programm"));
        d.mkpath(QStringLiteral("temp"));
        qputenv("ZETTLORA_ROOT", QFile::encodeName(dir.path()));
        zplatform::ordnerZuruecksetzen();
        return dir.path();
    }();
    return pfad;
}

// The bytes read as a file would be (Windows-1252).
inline QString text1252(const std::uint8_t* daten, size_t groesse)
{
    return zplatform::ausWindows1252(QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse)));
}

inline QString text1252(const std::string& bytes)
{
    return zplatform::ausWindows1252(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

// Pairs of bytes as UTF-16 code units (any text, lone surrogates too).
inline QString textUtf16(const std::string& bytes)
{
    QString t;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        t.append(QChar(char16_t(std::uint8_t(bytes[i]) | (std::uint8_t(bytes[i + 1]) << 8))));
    return t;
}

inline QByteArray sichtbar(const QString& t)
{
    QByteArray aus;
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\')
            aus.append(char(u));
        else
            aus.append(QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0')).toLatin1());
    }
    return aus;
}

// Reports a broken property with the texts involved and stops (libFuzzer
// keeps the input as a crash).
[[noreturn]] inline void verletzt(const char* eigenschaft, const QString& a = QString(), const QString& b = QString())
{
    std::fprintf(stderr, "Eigenschaft verletzt: %s\n  a = \"%s\"\n  b = \"%s\"\n", eigenschaft, sichtbar(a).constData(),
                 sichtbar(b).constData());
    std::abort();
}

inline void pruefen(bool bedingung, const char* eigenschaft, const QString& a = QString(), const QString& b = QString())
{
    if (!bedingung)
        verletzt(eigenschaft, a, b);
}

} // namespace zfuzz
