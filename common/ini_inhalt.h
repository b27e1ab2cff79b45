#pragma once
// The content of one settings file as the settings layer holds it (see
// ini.h for the rules): the file's bytes as they are, the place of every
// section found when the file is read, and for a section asked for an index
// of its keys, built on its first look-up. Names and values are taken out of
// the bytes only when asked for, so a file costs little more memory than its
// own size, and reading it is one pass over its bytes.
//
// Lines end with CR LF, LF or a lone CR. A line whose first character after
// blanks and tabs is "[" and that holds a later "]" is a section header; the
// section runs to the next header. Within it, a line holding "=" whose name
// (what stands before the first "=", without blanks and tabs around it) is
// not empty and that does not begin with ";" is a key. Of several equal
// section names, and of several equal key names in a section, the first one
// counts. Lines before the first section belong to none.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

namespace zcommon::ini_intern {

// ---- names and values ----------------------------------------------------------------

// Blanks and tabs at both ends removed.
QString beschneiden(QStringView s);
// The compared form of a section or key name: trimmed, each character in
// upper case on its own (so "ä" and "Ä" meet, and "ß" stays one character).
QString normName(const QString& name);
// A name or value Windows-1252 cannot hold is stored as UTF-8 behind the
// UTF-8 byte-order mark; every other text byte for byte.
QByteArray teilKodieren(const QString& text);
// A name or value as read (decoded as Windows-1252) back to the text written.
QString teilDekodieren(const QString& gelesen);

// ---- the content -----------------------------------------------------------------------

// One line: its text [anfang, inhaltEnde), its line end [inhaltEnde, ende).
struct Zeile
{
    qsizetype anfang = 0;
    qsizetype inhaltEnde = 0;
    qsizetype ende = 0;
    bool hatEnde() const { return ende > inhaltEnde; }
};

class Inhalt
{
public:
    Inhalt() = default;
    explicit Inhalt(QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }

    // The line that begins at a line's start.
    Zeile zeileAb(qsizetype anfang) const;
    // The file's last line (none in an empty file).
    std::optional<Zeile> letzteZeile() const;
    QByteArray text(const Zeile& z) const { return m_bytes.mid(z.anfang, z.inhaltEnde - z.anfang); }
    QByteArray zeilenende(const Zeile& z) const { return m_bytes.mid(z.inhaltEnde, z.ende - z.inhaltEnde); }
    // Only blanks and tabs.
    bool leer(const Zeile& z) const;

    // Sections in file order; the first of a compared name (normName), or -1.
    int sektionen() const { return int(m_sektionen.size()); }
    int sektionFinden(const QString& norm) const;
    bool istErste(int s) const { return m_sektionen[size_t(s)].erste; }
    // The name as stored, trimmed.
    QString sektionsName(int s) const;
    // The last line of the section that is not blank (its header when none).
    Zeile letzteBelegte(int s) const;
    qsizetype sektionsAnfang(int s) const { return m_sektionen[size_t(s)].kopf; }
    // The start of the next header, or the file's end.
    qsizetype sektionsEnde(int s) const
    {
        return size_t(s) + 1 < m_sektionen.size() ? m_sektionen[size_t(s) + 1].kopf : m_bytes.size();
    }

    // The line of a key of a section (the first of that compared name).
    std::optional<Zeile> schluesselFinden(int s, const QString& norm) const;
    // The keys of a section, first occurrences in file order.
    std::vector<Zeile> schluessel(int s) const;
    // The key's name as stored (trimmed), the bytes before its "=" without
    // blanks and tabs around them, and the bytes of its value, trimmed.
    QString schluesselName(const Zeile& z) const;
    QByteArray namensBytes(const Zeile& z) const;
    QByteArray wertBytes(const Zeile& z) const;

    // A change of the content: the bytes [von, bis) replaced by neu. Both are
    // line starts (or the file's end), and neu is whole lines, of which only
    // one at the file's end may lack its line end. With gleicheSchluessel the
    // change keeps every key of its section where it was (a value changed),
    // so the section's key index stays.
    struct Ersetzung
    {
        qsizetype von = 0;
        qsizetype bis = 0;
        QByteArray neu;
        bool gleicheSchluessel = false;
    };
    // The content so changed, and the change made in place. The places of
    // sections and keys are carried over unless a header is removed or
    // added, which reads the whole content again.
    Inhalt ersetzt(const Ersetzung& e) const;
    void ersetzen(const Ersetzung& e);

private:
    struct Schluesselindex;
    struct Sektion
    {
        qsizetype kopf = 0; // start of the header line
        quint32 hash = 0;   // of the compared name
        bool erste = false;
        mutable std::shared_ptr<const Schluesselindex> index; // built on the first look-up
    };

    void gliedern();
    bool nachziehen(const Ersetzung& e);
    const Schluesselindex& index(int s) const;
    std::shared_ptr<const Schluesselindex> indexAufbauen(int s) const;
    bool gleicherName(qsizetype von, qsizetype bis, const QString& norm) const;

    QByteArray m_bytes;
    std::vector<Sektion> m_sektionen;
    // Open addressing over the first section of every name: its index, or -1.
    std::shared_ptr<const std::vector<int>> m_tabelle;
};

} // namespace zcommon::ini_intern
