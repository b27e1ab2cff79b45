#include "common/ui/listen.h"

#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/drucker.h"
#include "platform/plattform.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBox>

#include <cmath>

namespace zcommon {

namespace {

// Shows the hourglass for the lifetime of the object and leaves the pointer
// as it was found (an hourglass that was already on stays on).
class Sanduhr
{
public:
    Sanduhr()
    {
        const QCursor* c = QApplication::overrideCursor();
        m_warAn = c && c->shape() == Qt::WaitCursor;
        if (!m_warAn)
            zplatform::plattform().sanduhr(true);
    }
    ~Sanduhr()
    {
        if (!m_warAn)
            zplatform::plattform().sanduhr(false);
    }
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;

private:
    bool m_warAn = false;
};

// Uniform access to the entries of list and combo boxes.
struct ListenZugriff
{
    explicit ListenZugriff(QListWidget* l) : liste(l) {}
    explicit ListenZugriff(QComboBox* k) : kombi(k) {}
    QListWidget* liste = nullptr;
    QComboBox* kombi = nullptr;

    int anzahl() const { return liste ? liste->count() : kombi->count(); }
    QString text(int i) const { return liste ? liste->item(i)->text() : kombi->itemText(i); }
    void entfernen(int i)
    {
        if (liste)
            delete liste->takeItem(i);
        else
            kombi->removeItem(i);
    }
};

// Keeps a combo box's selection and shown text across changes of its list.
class KombiAnzeigeHalten
{
public:
    explicit KombiAnzeigeHalten(QComboBox* k) : m_kombi(k), m_blocker(k)
    {
        m_index = k->currentIndex();
        m_text = k->currentText();
    }
    ~KombiAnzeigeHalten()
    {
        if (m_kombi->currentIndex() != m_index)
            m_kombi->setCurrentIndex(m_index);
        if (m_kombi->isEditable() && m_kombi->currentText() != m_text)
            m_kombi->setEditText(m_text);
    }
    KombiAnzeigeHalten(const KombiAnzeigeHalten&) = delete;
    KombiAnzeigeHalten& operator=(const KombiAnzeigeHalten&) = delete;

private:
    QComboBox* m_kombi;
    QSignalBlocker m_blocker;
    int m_index;
    QString m_text;
};

void doppelteEntfernen(ListenZugriff z)
{
    Sanduhr sanduhr;
    QSet<QString> gesehen;
    for (int i = 0; i < z.anzahl();) {
        const QString t = z.text(i);
        if (gesehen.contains(t)) {
            z.entfernen(i);
        } else {
            gesehen.insert(t);
            ++i;
        }
    }
}

QString alsText(const ListenZugriff& z, const QString& trenner)
{
    const QString t = trenner.isEmpty() ? QStringLiteral(";") : trenner;
    QString ergebnis;
    for (int i = 0; i < z.anzahl(); ++i)
        ergebnis += z.text(i) + t;
    return ergebnis;
}

QStringList teile(const QString& text, const QString& trenner)
{
    const QString t = trenner.isEmpty() ? QStringLiteral(";") : trenner;
    QStringList ergebnis = text.split(t, Qt::SkipEmptyParts);
    return ergebnis;
}

int suchen(const ListenZugriff& z, const QString& text, int start)
{
    for (int i = qMax(0, start); i < z.anzahl(); ++i)
        if (LCase(z.text(i)).contains(LCase(text)))
            return i;
    return -1;
}

bool alsWahr(const QString& teil)
{
    const QString t = LCase(Trim(teil));
    if (t == QLatin1String("true") || t == QLatin1String("wahr"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("falsch"))
        return false;
    return Val(t) != 0;
}

unsigned alsFarbnummer(const QColor& c)
{
    return unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
}

QString zahlMitPunkt(double wert)
{
    // "10", "8.25": the shortest form, with "." as decimal point.
    QString s = QString::number(wert, 'f', 2);
    while (s.contains(u'.') && (s.endsWith(u'0') || s.endsWith(u'.')))
        s.chop(1);
    return s;
}

bool istNichtSperren(const QWidget* w)
{
    return w->property("tag").toString() == QLatin1String("NoDisable");
}

// Widgets that only hold and lay out controls; they are walked through, not
// switched themselves.
bool istHalter(const QWidget* w)
{
    const QMetaObject* m = w->metaObject();
    return m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject ||
           qobject_cast<const QStackedWidget*>(w) || qobject_cast<const QSplitter*>(w) ||
           qobject_cast<const QScrollArea*>(w) || qobject_cast<const QDialogButtonBox*>(w);
}

// Frames and tab controls: switched like a control (their contents follow),
// and walked through as well.
bool istRahmen(const QWidget* w)
{
    return qobject_cast<const QGroupBox*>(w) || qobject_cast<const QTabWidget*>(w) || qobject_cast<const QToolBox*>(w);
}

bool enthaeltNichtSperren(const QWidget* w)
{
    const QList<QWidget*> alle = w->findChildren<QWidget*>();
    for (const QWidget* k : alle)
        if (istNichtSperren(k))
            return true;
    return false;
}

void sperren(QWidget* eltern, bool an)
{
    const QList<QWidget*> kinder = eltern->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : kinder) {
        if (w->isWindow() || istNichtSperren(w))
            continue;
        // The scroll bars of a scroll area belong to it, not to the form.
        if (w->objectName().endsWith(QLatin1String("container")) &&
            w->objectName().startsWith(QLatin1String("qt_scrollarea_")))
            continue;
        if (istHalter(w)) {
            sperren(w, an);
        } else if (istRahmen(w)) {
            sperren(w, an);
            // A frame holding a control that must stay usable is left enabled.
            if (an || !enthaeltNichtSperren(w))
                w->setEnabled(an);
        } else {
            w->setEnabled(an); // a control: its inner parts follow it
        }
    }
}

void druckerSchriften(ListenZugriff z)
{
    Sanduhr sanduhr;
    QElapsedTimer uhr;
    uhr.start();
    const QStringList namen = zplatform::drucker().schriften();
    if (z.liste) {
        z.liste->clear();
        z.liste->addItems(namen);
    } else {
        z.kombi->clear();
        z.kombi->addItems(namen);
    }
    if (uhr.elapsed() > 5000)
        Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
}

} // namespace

void Liste_DoppelteEntfernen(QListWidget* liste)
{
    if (liste)
        doppelteEntfernen(ListenZugriff(liste));
}

void Liste_DoppelteEntfernen(QComboBox* liste)
{
    if (!liste)
        return;
    KombiAnzeigeHalten halten(liste);
    doppelteEntfernen(ListenZugriff(liste));
}

QString Liste_AlsText(const QListWidget* liste, const QString& trenner)
{
    return liste ? alsText(ListenZugriff(const_cast<QListWidget*>(liste)), trenner) : QString();
}

QString Liste_AlsText(const QComboBox* liste, const QString& trenner)
{
    return liste ? alsText(ListenZugriff(const_cast<QComboBox*>(liste)), trenner) : QString();
}

int Liste_AusText(QListWidget* liste, const QString& text, const QString& trenner)
{
    if (!liste)
        return 0;
    liste->clear();
    liste->addItems(teile(text, trenner));
    return liste->count();
}

int Liste_AusText(QComboBox* liste, const QString& text, const QString& trenner)
{
    if (!liste)
        return 0;
    liste->clear();
    liste->addItems(teile(text, trenner));
    return liste->count();
}

int Liste_Suchen(const QListWidget* liste, const QString& text, int start)
{
    return liste ? suchen(ListenZugriff(const_cast<QListWidget*>(liste)), text, start) : -1;
}

int Liste_Suchen(const QComboBox* liste, const QString& text, int start)
{
    return liste ? suchen(ListenZugriff(const_cast<QComboBox*>(liste)), text, start) : -1;
}

int Liste_EintragSichern(QListWidget* liste, const QString& text)
{
    if (!liste)
        return -1;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->text() == text)
            return liste->count() - 1;
    liste->addItem(text);
    return liste->count() - 1;
}

int Liste_EintragSichern(QComboBox* liste, const QString& text)
{
    if (!liste)
        return -1;
    if (liste->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        KombiAnzeigeHalten halten(liste);
        liste->addItem(text);
    }
    return liste->count() - 1;
}

void Liste_MarkiertenEntfernen(QListWidget* liste)
{
    if (!liste)
        return;
    const int i = liste->currentRow();
    if (i < 0 || i >= liste->count() || !liste->item(i)->isSelected())
        return;
    delete liste->takeItem(i);
    if (liste->count() > 0) {
        liste->setCurrentRow(qMin(i, liste->count() - 1));
        liste->currentItem()->setSelected(true);
    }
}

void Liste_MarkiertenEntfernen(QComboBox* liste)
{
    if (!liste)
        return;
    const int i = liste->currentIndex();
    if (i < 0)
        return;
    liste->removeItem(i);
    if (liste->count() > 0)
        liste->setCurrentIndex(qMin(i, liste->count() - 1));
}

void Liste_DruckerSchriften(QListWidget* liste)
{
    if (liste)
        druckerSchriften(ListenZugriff(liste));
}

void Liste_DruckerSchriften(QComboBox* liste)
{
    if (liste)
        druckerSchriften(ListenZugriff(liste));
}

int Kombi_Verlauf(QComboBox* kombi, int maximal)
{
    if (!kombi)
        return 0;
    const int grenze = qMax(1, maximal);
    const QString aktuell = kombi->currentText();
    QStringList eintraege{aktuell};
    for (int i = 0; i < kombi->count() && eintraege.size() < grenze; ++i) {
        const QString t = kombi->itemText(i);
        if (LCase(t) != LCase(aktuell))
            eintraege << t;
    }
    const QSignalBlocker blocker(kombi);
    kombi->clear();
    kombi->addItems(eintraege);
    kombi->setCurrentIndex(0);
    if (kombi->isEditable())
        kombi->setEditText(aktuell);
    return kombi->count();
}

void Steuerelemente_Sperren(QWidget* form, bool an)
{
    if (!form)
        return;
    Sanduhr sanduhr;
    sperren(form, an);
}

QString Schrift_AlsText(const QWidget* steuerelement)
{
    if (!steuerelement)
        return QString();
    const QFont f = steuerelement->font();
    const double groesse = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 72.0 / 96.0;
    auto flag = [](bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); };
    const QColor farbe = steuerelement->palette().color(steuerelement->foregroundRole());
    return f.family() + u';' + zahlMitPunkt(groesse) + u';' + flag(f.bold()) + u';' + flag(f.italic()) + u';' +
           flag(f.underline()) + u';' + QString::number(alsFarbnummer(farbe));
}

void Schrift_Setzen(QWidget* steuerelement, const QString& schrift, const QString& was)
{
    if (schrift.isEmpty())
        return;
    const QString w = LCase(was);
    const bool alle = w.contains(QLatin1String("alle"));
    const bool schr = alle || w.contains(QLatin1String("schr"));
    const bool farb = alle || w.contains(QLatin1String("farb"));
    const bool drucker = w.contains(QLatin1String("print"));

    const QStringList t = schrift.split(u';');
    auto teil = [&t](int i) { return i < t.size() ? Trim(t.at(i)) : QString(); };
    const QString name = teil(0);
    const QString groesseText = teil(1);
    const double groesse = groesseText.isEmpty() ? 0 : Val(QString(groesseText).replace(u',', u'.'));
    const QString farbText = teil(5);
    const double farbWert = farbText.isEmpty() ? -1 : Val(farbText);
    // Negative colours are the system's colours: left as they are.
    const bool farbeGueltig = farbWert >= 0 && farbWert <= 0xFFFFFF;

    if (drucker) {
        zplatform::DruckSchrift& s = zplatform::drucker().schrift;
        if (!name.isEmpty())
            s.name = name;
        if (groesse > 0)
            s.groesse = groesse;
        if (!teil(2).isEmpty())
            s.fett = alsWahr(teil(2));
        if (!teil(3).isEmpty())
            s.kursiv = alsWahr(teil(3));
        if (!teil(4).isEmpty())
            s.unterstrichen = alsWahr(teil(4));
        if (farbeGueltig)
            s.farbe = unsigned(farbWert);
        return;
    }
    if (!steuerelement)
        return;
    if (schr) {
        QFont f = steuerelement->font();
        if (!name.isEmpty())
            f.setFamily(name);
        if (groesse > 0)
            f.setPointSizeF(groesse);
        if (!teil(2).isEmpty())
            f.setBold(alsWahr(teil(2)));
        if (!teil(3).isEmpty())
            f.setItalic(alsWahr(teil(3)));
        if (!teil(4).isEmpty())
            f.setUnderline(alsWahr(teil(4)));
        f.setStrikeOut(false);
        steuerelement->setFont(f);
    }
    if (farb && farbeGueltig) {
        const unsigned n = unsigned(farbWert);
        const QColor c(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
        QPalette p = steuerelement->palette();
        p.setColor(QPalette::Text, c);
        p.setColor(QPalette::WindowText, c);
        p.setColor(QPalette::ButtonText, c);
        steuerelement->setPalette(p);
    }
}

void Form_Position_Laden_Main(QWidget* fenster, const QString& praefix)
{
    if (!fenster)
        return;
    auto lesen = [&praefix](const char* schluessel, double vorgabe) {
        const QString text = Ini_Lesen(QString(), QString(), praefix + QString::fromUtf8(schluessel),
                                       Format(vorgabe, QStringLiteral("0")));
        return Val(text);
    };
    const double hoeheTwips = lesen("Form_Höhe", zplatform::pixelZuTwips(fenster->height()));
    const double breiteTwips = lesen("Form_Weite", zplatform::pixelZuTwips(fenster->width()));
    const double linksTwips = lesen("Form_Links", -1);
    const double obenTwips = lesen("Form_Oben", -1);

    const QSize schirm = zplatform::plattform().bildschirmGroesse();
    int h = hoeheTwips > 0 ? zplatform::twipsZuPixel(hoeheTwips) : fenster->height();
    int b = breiteTwips > 0 ? zplatform::twipsZuPixel(breiteTwips) : fenster->width();
    h = qMin(h, schirm.height());
    b = qMin(b, schirm.width());
    int x = linksTwips < 0 ? -1 : zplatform::twipsZuPixel(linksTwips);
    int y = obenTwips < 0 ? -1 : zplatform::twipsZuPixel(obenTwips);
    if (x < 0 || x + b > schirm.width())
        x = (schirm.width() - b) / 2;
    if (y < 0 || y + h > schirm.height())
        y = (schirm.height() - h) / 2;
    fenster->resize(b, h);
    fenster->move(x, y);
}

} // namespace zcommon
