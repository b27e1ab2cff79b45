#include "payment/auftraggeber.h"

#include "common/texte.h"

namespace zzahlung {

QString Zahlerzeichen(const QString& text)
{
    QString t = text;
    t.replace(u';', u',');
    t.replace(u'|', u'-');
    return t;
}

QString Auftraggeber_Eintrag(const QString& name, const QString& konto, const QString& blz, const QString& bank)
{
    QStringList teile;
    for (const QString* s : {&name, &konto, &blz, &bank})
        teile << zcommon::Trim(Zahlerzeichen(*s));
    return teile.join(QStringLiteral(" | "));
}

std::array<QString, 4> Auftraggeber_Zerlegen(const QString& eintrag)
{
    std::array<QString, 4> felder;
    const QStringList teile = eintrag.split(u'|');
    for (size_t i = 0; i < felder.size() && qsizetype(i) < teile.size(); ++i)
        felder[i] = zcommon::Trim(teile.at(qsizetype(i)));
    return felder;
}

QStringList Auftraggeberliste_Lesen(const QString& gespeichert)
{
    return gespeichert.split(u';', Qt::SkipEmptyParts);
}

QString Auftraggeberliste_Text(const QStringList& eintraege)
{
    QString text;
    for (const QString& e : eintraege)
        text += e + u';';
    return text;
}

} // namespace zzahlung
