#include "platform/ui/hilfefenster.h"

#include "platform/plattform.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zplatform {

namespace {

QPointer<HilfeFenster> g_fenster;

void fensterLoeschen()
{
    delete g_fenster.data();
}

} // namespace

bool istHtmlDatei(const QString& pfad)
{
    const QString endung = QFileInfo(pfad).suffix();
    return endung.compare(QLatin1String("html"), Qt::CaseInsensitive) == 0 ||
           endung.compare(QLatin1String("htm"), Qt::CaseInsensitive) == 0;
}

HilfeFenster::HilfeFenster(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("HilfeFenster"));
    setWindowTitle(QStringLiteral("Zettlora – Hilfe"));
    setModal(false);
    setSizeGripEnabled(true);

    Anzeige = new QTextBrowser(this);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    // Links are followed here: local ones in the window, others by the desktop.
    Anzeige->setOpenLinks(false);
    connect(Anzeige, &QTextBrowser::anchorClicked, this, &HilfeFenster::verweisFolgen);
    connect(Anzeige, &QTextBrowser::sourceChanged, this, [this] {
        const QString titel = Anzeige->documentTitle();
        setWindowTitle(titel.isEmpty() ? QStringLiteral("Zettlora – Hilfe") : titel);
    });

    befSchliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    befSchliessen->setObjectName(QStringLiteral("befSchliessen"));
    befSchliessen->setAutoDefault(false);
    connect(befSchliessen, &QPushButton::clicked, this, &QDialog::close);

    auto* unten = new QHBoxLayout;
    unten->addStretch();
    unten->addWidget(befSchliessen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Anzeige, 1);
    haupt->addLayout(unten);

    // Wide enough for the document's lines, high enough to read a good part of it.
    QSize groesse(Anzeige->fontMetrics().averageCharWidth() * 90, Anzeige->fontMetrics().lineSpacing() * 40);
    if (const QScreen* s = QApplication::primaryScreen())
        groesse = groesse.boundedTo(s->availableGeometry().size() * 0.9);
    resize(groesse);
}

HilfeFenster& HilfeFenster::zeigen(const QString& datei)
{
    if (!g_fenster) {
        g_fenster = new HilfeFenster;
        qAddPostRoutine(fensterLoeschen);
    }
    HilfeFenster& f = *g_fenster;
    f.Anzeige->setSource(QUrl::fromLocalFile(QFileInfo(datei).absoluteFilePath()));
    if (f.isMinimized())
        f.showNormal();
    f.show();
    f.raise();
    f.activateWindow();
    return f;
}

HilfeFenster* HilfeFenster::offen()
{
    return g_fenster.data();
}

void HilfeFenster::verweisFolgen(const QUrl& ziel)
{
    const QUrl voll = Anzeige->source().resolved(ziel);
    if (voll.isLocalFile()) {
        // An anchor of this document, or another local document.
        if (istHtmlDatei(voll.toLocalFile()) && QFileInfo::exists(voll.toLocalFile()))
            Anzeige->setSource(voll);
        return;
    }
    plattform().adresseOeffnen(voll.toString());
}

} // namespace zplatform
