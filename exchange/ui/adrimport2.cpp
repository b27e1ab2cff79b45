#include "exchange/ui/adrimport2.h"
#include "common/ui/hilfetaste.h"

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "exchange/import.h"
#include "platform/plattform.h"
#include "platform/ui/eingaberegel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zaustausch {

namespace {

constexpr int VorschauZeilen = 10;
constexpr int AnzeigeLaenge = 200;     // characters of a value the tables show
constexpr int SpaltennameZeichen = 24; // the widest a column name is shown (averaged characters)
const QString Titel = QStringLiteral("Import einer Adressliste");

// A value as a table cell shows it: a long one cut (the import takes it whole).
QString anzeige(const QString& wert)
{
    return wert.size() > AnzeigeLaenge ? wert.left(AnzeigeLaenge) + QStringLiteral("…") : wert;
}

// The assignment's column names and field boxes as wide as they need (a long
// name cut), its examples in the room left.
void zuordnungBemessen(QTableWidget* tabelle)
{
    tabelle->resizeColumnToContents(0);
    tabelle->setColumnWidth(
        0, qMin(tabelle->columnWidth(0), SpaltennameZeichen * tabelle->fontMetrics().averageCharWidth()));
    tabelle->resizeColumnToContents(2);
}

} // namespace

AdrImport2::AdrImport2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AdrImport2"));
    setWindowTitle(Titel);
    setModal(true);
    resize(720, 560);

    txtDatei = new QLineEdit(this);
    txtDatei->setObjectName(QStringLiteral("txtDatei"));
    // A path keeps its letters.
    zplatform::eingaberegelAus(txtDatei);
    befDatei = new QPushButton(QStringLiteral("&Durchsuchen..."), this);
    befDatei->setObjectName(QStringLiteral("befDatei"));
    befDatei->setAutoDefault(false);
    kombiTrenner = new QComboBox(this);
    kombiTrenner->setObjectName(QStringLiteral("kombiTrenner"));
    kombiTrenner->addItems(
        {QStringLiteral("Tabulator"), QStringLiteral("Semikolon ( ; )"), QStringLiteral("Komma ( , )")});
    strgKopfzeile = new QCheckBox(QStringLiteral("Erste Zeile enthält die &Spaltennamen"), this);
    strgKopfzeile->setObjectName(QStringLiteral("strgKopfzeile"));
    lstZuordnung = new QTableWidget(0, 3, this);
    lstZuordnung->setObjectName(QStringLiteral("lstZuordnung"));
    lstZuordnung->setHorizontalHeaderLabels(
        {QStringLiteral("Spalte"), QStringLiteral("Beispiel"), QStringLiteral("Übernehmen in Feld")});
    // The examples take what room is left and are cut there: however long
    // they are, the table keeps its width and the field column stays in sight.
    QHeaderView* spaltenkopf = lstZuordnung->horizontalHeader();
    spaltenkopf->setSectionResizeMode(1, QHeaderView::Stretch);
    lstZuordnung->verticalHeader()->hide();
    zuordnungBemessen(lstZuordnung);
    lstVorschau = new QTableWidget(0, 0, this);
    lstVorschau->setObjectName(QStringLiteral("lstVorschau"));
    lstVorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bezInfo = new QLabel(this);
    bezInfo->setObjectName(QStringLiteral("bezInfo"));
    bezInfo->setWordWrap(true);
    befImport = new QPushButton(QStringLiteral("&Importieren"), this);
    befImport->setObjectName(QStringLiteral("befImport"));
    befImport->setEnabled(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);

    auto* oben = new QGridLayout;
    auto* bezDatei = new QLabel(QStringLiteral("&Datei:"), this);
    bezDatei->setBuddy(txtDatei);
    oben->addWidget(bezDatei, 0, 0);
    oben->addWidget(txtDatei, 0, 1);
    oben->addWidget(befDatei, 0, 2);
    auto* bezTrenner = new QLabel(QStringLiteral("&Trennzeichen:"), this);
    bezTrenner->setBuddy(kombiTrenner);
    oben->addWidget(bezTrenner, 1, 0);
    auto* trennZeile = new QHBoxLayout;
    trennZeile->addWidget(kombiTrenner);
    trennZeile->addWidget(strgKopfzeile);
    trennZeile->addStretch();
    oben->addLayout(trennZeile, 1, 1, 1, 2);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(bezInfo, 1);
    knoepfe->addWidget(befImport);
    knoepfe->addWidget(befAbbrechen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(new QLabel(QStringLiteral("Zuordnung der Spalten:"), this));
    haupt->addWidget(lstZuordnung, 3);
    haupt->addWidget(new QLabel(QStringLiteral("Vorschau:"), this));
    haupt->addWidget(lstVorschau, 2);
    haupt->addLayout(knoepfe);

    connect(befDatei, &QPushButton::clicked, this, &AdrImport2::befDatei_Click);
    txtDatei->installEventFilter(this);
    // Leaving the box loads a file not loaded yet; a failure shows below the
    // preview only (the focus may be on its way to "Abbrechen").
    connect(txtDatei, &QLineEdit::editingFinished, this, [this] {
        const QString pfad = txtDatei->text().trimmed();
        if (!pfad.isEmpty() && pfad != m_geladen)
            datei_Laden(false);
    });
    connect(kombiTrenner, &QComboBox::activated, this, [this] {
        m_trennerAutomatisch = false;
        zerlegen();
        zuordnungAufbauen();
    });
    connect(strgKopfzeile, &QCheckBox::toggled, this, [this] { zuordnungAufbauen(); });
    connect(befImport, &QPushButton::clicked, this, &AdrImport2::befImport_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("importieren"));
}

bool AdrImport2::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == txtDatei && ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            datei_Laden();
            return true; // never on to the dialog's default button
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

QChar AdrImport2::trenner() const
{
    switch (kombiTrenner->currentIndex()) {
    case 1:
        return QLatin1Char(';');
    case 2:
        return QLatin1Char(',');
    default:
        return QLatin1Char('\t');
    }
}

void AdrImport2::befDatei_Click()
{
    const QString pfad = QFileDialog::getOpenFileName(
        this, Titel, txtDatei->text(), QStringLiteral("Textdateien (*.txt *.csv *.tab *.asc);;Alle Dateien (*)"));
    if (pfad.isEmpty())
        return;
    txtDatei->setText(pfad);
    datei_Laden();
}

bool AdrImport2::datei_Laden(bool melden)
{
    const QString pfad = txtDatei->text().trimmed();
    m_geladen = pfad;
    const ImportText gelesen = ImportText_Lesen(pfad);
    if (!gelesen.fehler.isEmpty()) {
        m_text.clear();
        m_zeilen.clear();
        m_gekuerzt = false;
        zuordnungAufbauen();
        bezInfo->setText(gelesen.fehler);
        if (melden)
            zcommon::Meldung(QStringLiteral("#SystemHand"), gelesen.fehler, zplatform::vbExclamation, Titel);
        return false;
    }
    m_text = gelesen.text;
    if (m_trennerAutomatisch) {
        const qsizetype ende = m_text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        const QChar t = Trenner_Erkennen(QStringView(m_text).left(ende < 0 ? m_text.size() : ende));
        kombiTrenner->setCurrentIndex(t == QLatin1Char(';') ? 1 : t == QLatin1Char(',') ? 2 : 0);
    }
    zerlegen();
    // Column names that match field captions mark the first line as captions.
    bool kopf = false;
    if (!m_zeilen.isEmpty()) {
        for (int f : Zuordnung_Vorschlagen(m_zeilen.constFirst()))
            kopf = kopf || f >= 0;
    }
    const QSignalBlocker sperre(strgKopfzeile);
    strgKopfzeile->setChecked(kopf);
    zuordnungAufbauen();
    if (m_gekuerzt && melden)
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Die Datei hat Zeilen mit mehr als %1 Spalten. Angeboten werden die ersten "
                                        "%1 Spalten, der Rest wird ignoriert.")
                             .arg(MaxSpalten),
                         zplatform::vbExclamation, Titel);
    return true;
}

void AdrImport2::zerlegen()
{
    m_gekuerzt = false;
    m_zeilen = Trenntext_Zerlegen(m_text, trenner(), MaxSpalten, &m_gekuerzt);
}

void AdrImport2::zuordnungAufbauen()
{
    int spalten = 0;
    for (const QStringList& z : m_zeilen)
        spalten = qMax(spalten, int(z.size()));
    const bool kopf = strgKopfzeile->isChecked() && !m_zeilen.isEmpty();
    const QStringList namen = kopf ? m_zeilen.constFirst() : QStringList();
    const QList<int> vorschlag = kopf ? Zuordnung_Vorschlagen(namen) : QList<int>();
    const QStringList beispiel = m_zeilen.size() > (kopf ? 1 : 0) ? m_zeilen[kopf ? 1 : 0] : QStringList();

    QStringList ziele{QStringLiteral("(nicht übernehmen)")};
    for (const QString& b : zadressbuch::sitzung().Bezeichnungen)
        ziele << b;

    lstZuordnung->setRowCount(spalten);
    for (int s = 0; s < spalten; ++s) {
        const QString name = s < namen.size() && !namen[s].trimmed().isEmpty() ? anzeige(namen[s].trimmed())
                                                                               : QStringLiteral("Spalte %1").arg(s + 1);
        auto* a = new QTableWidgetItem(name);
        a->setFlags(Qt::ItemIsEnabled);
        lstZuordnung->setItem(s, 0, a);
        auto* b = new QTableWidgetItem(anzeige(beispiel.value(s)));
        b->setFlags(Qt::ItemIsEnabled);
        lstZuordnung->setItem(s, 1, b);
        auto* k = new QComboBox(lstZuordnung);
        k->setObjectName(QStringLiteral("kombiFeld_%1").arg(s));
        k->addItems(ziele);
        // Without column names the columns are proposed in the order of the fields.
        const int feld = kopf ? vorschlag.value(s, -1) : (s < zadressbuch::FeldAnzahl ? s : -1);
        k->setCurrentIndex(feld + 1);
        connect(k, &QComboBox::currentIndexChanged, this, &AdrImport2::vorschau_Aktualisieren);
        lstZuordnung->setCellWidget(s, 2, k);
    }
    zuordnungBemessen(lstZuordnung);
    vorschau_Aktualisieren();
}

QList<int> AdrImport2::zuordnung() const
{
    QList<int> r;
    for (int s = 0; s < lstZuordnung->rowCount(); ++s) {
        const auto* k = qobject_cast<const QComboBox*>(lstZuordnung->cellWidget(s, 2));
        r << (k ? k->currentIndex() - 1 : -1);
    }
    return r;
}

void AdrImport2::vorschau_Aktualisieren()
{
    const QList<int> z = zuordnung();
    QList<int> felder;
    for (int f = 0; f < zadressbuch::FeldAnzahl; ++f) {
        if (z.contains(f))
            felder << f;
    }
    const bool kopf = strgKopfzeile->isChecked();
    const int erste = kopf ? 1 : 0;
    const int zeilen = qMax(0, qMin(VorschauZeilen, int(m_zeilen.size()) - erste));
    lstVorschau->clear();
    lstVorschau->setColumnCount(int(felder.size()));
    lstVorschau->setRowCount(zeilen);
    QStringList koepfe;
    for (int f : felder)
        koepfe << zadressbuch::sitzung().Bezeichnungen[size_t(f)];
    lstVorschau->setHorizontalHeaderLabels(koepfe);
    for (int r = 0; r < zeilen; ++r) {
        const zadressbuch::Felder werte = Zeile_Felder(m_zeilen[erste + r], z);
        for (int c = 0; c < felder.size(); ++c)
            lstVorschau->setItem(r, c, new QTableWidgetItem(anzeige(werte[size_t(felder[c])])));
    }
    const int anzahl = qMax(0, int(m_zeilen.size()) - erste);
    QString info = m_zeilen.isEmpty() ? QString()
                   : anzahl == 1      ? QStringLiteral("1 Zeile zum Importieren")
                                      : QStringLiteral("%1 Zeilen zum Importieren").arg(anzahl);
    if (m_gekuerzt)
        info += QStringLiteral(" (nur die ersten %1 Spalten, der Rest wird ignoriert)").arg(MaxSpalten);
    bezInfo->setText(info);
    befImport->setEnabled(anzahl > 0 && !felder.isEmpty());
}

void AdrImport2::befImport_Click()
{
    zplatform::plattform().sanduhr(true);
    const ImportErgebnis e =
        Adressen_Importieren(zadressbuch::adressliste(), m_zeilen, zuordnung(), strgKopfzeile->isChecked());
    zplatform::plattform().sanduhr(false);
    m_importiert = e.importiert;
    if (e.abgelehnt)
        return;
    QString text = QString::number(e.importiert) + (e.importiert == 1 ? QStringLiteral(" Adresse wurde importiert.")
                                                                      : QStringLiteral(" Adressen wurden importiert."));
    if (e.ersetzt > 0)
        text += QStringLiteral("\r\n\r\n%1 Zeichen, die eine Adressen-Datei nicht aufnehmen kann, wurden durch "
                               "ihren Grundbuchstaben oder »?« ersetzt.")
                    .arg(e.ersetzt);
    zcommon::Meldung(QStringLiteral("#SystemExclamation"), text, zplatform::vbInformation, Titel);
    accept();
}

} // namespace zaustausch
