#pragma once
// The fonts a PDF file embeds, as pdffonts reports them.

#include <QProcess>
#include <QString>
#include <QStringList>

// The fonts of a PDF as pdffonts names them (without a subset's prefix).
inline QStringList pdfSchriften(const QString& pfad)
{
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pfad});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList namen;
    const QStringList zeilen = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    for (qsizetype i = 2; i < zeilen.size(); ++i) {
        QString name = zeilen.at(i).section(u' ', 0, 0);
        name = name.mid(name.indexOf(u'+') + 1);
        if (!name.isEmpty())
            namen << name;
    }
    return namen;
}
