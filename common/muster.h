#pragma once
// The text-pattern rule: "*" any run of characters, "?" any one character,
// "#" any one digit, "[list]" any one of the list (ranges "a-z", "!" first for
// none of them), any other character itself. Comparison is exact (callers
// lower-case both sides). A malformed pattern (an unclosed "[") matches nothing.

#include <QString>
#include <memory>

namespace zcommon {

class Muster
{
public:
    explicit Muster(const QString& muster);
    bool gueltig() const { return m_gueltig; }
    bool passt(QStringView text) const;

private:
    QString m_muster;
    bool m_gueltig = true;
    // compiled form owned by the implementation
    struct Daten;
    std::shared_ptr<const Daten> m_daten;
};

// One-off match.
bool Like(QStringView text, const QString& muster);

} // namespace zcommon
