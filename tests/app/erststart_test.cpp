// A first start with the installed default files: the masks the program asks
// for by name are there, and the envelope, the list print and the clipboard
// copy lay the shown address out through them without the user writing one.
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/kartenfeld.h"
#include "masks/masken.h"
#include "masks/ui/zaexport.h"
#include "platform/ordner.h"
#include "printing/listendruck.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/umschlag.h"

#include <QComboBox>

using namespace main_test;

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Erststart : public MainFensterTest
{
protected:
    // Lines of a text box, whichever line ends it uses.
    static QStringList zeilen(const QString& text) { return QString(text).replace(u"\r\n"_s, u"\n"_s).split(u'\n'); }
};

TEST_F(Erststart, MaskenSindDa_UmschlagListeUndZwischenablageNutzenSie)
{
    erstausstattung();
    adressdatei({zeile({{1, u"Kaiser"_s},
                        {2, u"Käthe"_s},
                        {3, u"Hauptstraße 1"_s},
                        {4, u"12345"_s},
                        {5, u"Frankfurt am Main"_s},
                        {10, u"c/o Meier"_s},
                        {21, u"Frau"_s}}),
                 zeile({{1, u"Berg"_s}, {5, u"Bonn"_s}, {7, u"0228 / 1234"_s}})});
    starten();
    EXPECT_EQ(zmasken::Masken_Liste(),
              (QStringList{u"Anschrift"_s, u"eMail_Body"_s, u"Liste_Standard"_s, u"Personenbogen"_s, u"Umschlag"_s}));

    // The address block in the German order: salutation, name, addition, street, place.
    const QStringList block = {u"Frau"_s, u"Käthe Kaiser"_s, u"c/o Meier"_s, u"Hauptstraße 1"_s,
                               u"12345 Frankfurt am Main"_s};
    {
        zdruck::Umschlag u(fenster.get());
        EXPECT_EQ(u.ComboMasken->currentText(), u"Umschlag"_s);
        EXPECT_EQ(zeilen(u.TxtAnschrift->toPlainText()), block);
    }
    {
        zmasken::ZAexport z(fenster.get());
        EXPECT_EQ(z.ComboMasken->currentText(), u"Anschrift"_s);
        EXPECT_EQ(zeilen(z.Text->toPlainText()), block);
    }
    // One row per address; empty fields leave no empty items behind.
    {
        zdruck::Listendruck l(fenster.get());
        EXPECT_EQ(l.ComboMasken->currentText(), u"Liste_Standard"_s);
        const auto zeile = [&](int i) {
            return zdruck::Kommas_Bereinigen(zmasken::Maske_Ausfuellen(l.ComboMasken->currentText(), eintrag(i)));
        };
        EXPECT_EQ(zeile(0), u"Kaiser, Käthe, Hauptstraße 1, 12345 Frankfurt am Main"_s);
        EXPECT_EQ(zeile(1), u"Berg, 0228 / 1234, Bonn"_s);
    }
    // The letter body greets by name.
    EXPECT_EQ(
        zeilen(zmasken::Maske_Ausfuellen(u"eMail_Body"_s, eintrag(0))),
        (QStringList{u"Guten Tag Käthe Kaiser,"_s, QString(), QString(), QString(), u"Mit freundlichen Grüßen"_s}));
}

// A mask of the user's own under a default's name (in any case) is kept.
TEST_F(Erststart, EigeneMaskeBleibt)
{
    wurzel.schreiben(u"programm/umschlag.msk"_s, u"{Nachname}"_s);
    erstausstattung();
    adressdatei({zeile({{1, u"Kaiser"_s}, {2, u"Käthe"_s}})});
    starten();
    zdruck::Umschlag u(fenster.get());
    EXPECT_EQ(u.TxtAnschrift->toPlainText(), u"Kaiser"_s);
    EXPECT_EQ(zmasken::Masken_Liste().size(), 5);
}

} // namespace
