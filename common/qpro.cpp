#include "common/qpro.h"

#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFileInfo>

namespace zcommon {

bool ShiftKey()
{
    return zplatform::plattform().shiftGedrueckt();
}

bool CtrlKey()
{
    return zplatform::plattform().ctrlGedrueckt();
}

qint64 FileSize(const QString& pfad)
{
    if (pfad.isEmpty())
        return 0;
    const QFileInfo info(zplatform::pfadAufloesen(zplatform::normalPfad(pfad)));
    return info.isFile() ? info.size() : 0;
}

void ReplaceChar(QString& text, QChar alt, QChar neu)
{
    if (text.contains(alt))
        text.replace(alt, neu);
}

int InCount(const QString& text, const QString& such)
{
    if (such.isEmpty())
        return 0;
    int anzahl = 0;
    qsizetype pos = text.indexOf(such);
    while (pos >= 0) {
        ++anzahl;
        pos = text.indexOf(such, pos + such.size());
    }
    return anzahl;
}

int InCount(const QString& text, QChar zeichen)
{
    return int(text.count(zeichen));
}

QString Compact(const QString& text)
{
    if (!text.contains(u' '))
        return text;
    QString s = text;
    s.remove(u' ');
    return s;
}

int ASCII(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const QByteArray b = zplatform::nachWindows1252(text.right(1));
    return b.isEmpty() ? 0 : int(quint8(b.at(0)));
}

int PMatch(const QString& text)
{
    if (!text.startsWith(u'('))
        return 0;
    int tiefe = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'(') {
            ++tiefe;
        } else if (c == u')') {
            if (--tiefe == 0)
                return int(i) + 1;
        }
    }
    return 0;
}

int QInstrB(int start, const QString& text, QChar zeichen)
{
    if (start < 1 || text.isEmpty())
        return 0;
    qsizetype i = qMin<qsizetype>(start, text.size()) - 1;
    for (; i >= 0; --i)
        if (text.at(i) == zeichen)
            return int(i) + 1;
    return 0;
}

int QInstrB(int start, const QString& text, const QString& zeichen)
{
    return zeichen.isEmpty() ? 0 : QInstrB(start, text, zeichen.at(0));
}

double Factorial(int n)
{
    if (n < 0 || n > 170)
        return 0.0;
    double f = 1.0;
    for (int i = 2; i <= n; ++i)
        f *= double(i);
    return f;
}

qint16 MaxInt(qint16 a, qint16 b)
{
    return a > b ? a : b;
}

qint16 MinInt(qint16 a, qint16 b)
{
    return a < b ? a : b;
}

int Date2Num(const QString& datum, const QDate& aktuell)
{
    QDate d = DatumAusText(datum);
    if (!d.isValid())
        d = aktuell.isValid() ? aktuell : Heute();
    static const QDate epoche(1899, 12, 30);
    return int(epoche.daysTo(d));
}

int Date2Num(const QDate& datum)
{
    static const QDate epoche(1899, 12, 30);
    return int(epoche.daysTo(datum.isValid() ? datum : Heute()));
}

QString GetVol(const QString& laufwerk)
{
    Q_UNUSED(laufwerk);
    return QString();
}

} // namespace zcommon
