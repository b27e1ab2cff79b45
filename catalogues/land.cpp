#include "catalogues/land.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/texte.h"

#include <QStringList>

namespace zkataloge {

namespace {

const char* const Codeliste =
    "A;ADN;AL;AND;AUS;B;BD;BDS;BG;BH;BIH;BL;BP;BR;BRG;BRN;BRU;BS;BUR;BY;C;CDN;CGO;CH;CI;CL;CO;CR;CY;CZ;D;DK;DOM;DY;"
    "DZ;E;EAK;EAT;EAU;EC;ES;ET;ETH;EW;F;FIN;FJI;FL;FR;GB;GBA;GBG;GBJ;GBM;GBY;GBZ;GCA;GH;GO;GR;GUY;H;HK;HR;I;IL;IND;"
    "IR;IRL;IRQ;IS;J;JA;JOR;K;KAZ;KGZ;KWT;L;LAO;LAR;LS;LV;M;MA;MAL;MC;MD;MEX;MK;MOC;MS;MW;N;NA;NF;NGN;NIC;NIG;NL;NP;"
    "NZ;P;PA;PAK;PE;PI;PL;PTM;PY;R;RA;RB;RC;RCA;RCB;RCH;RH;RI;RIM;RL;RM;RMM;RN;RO;ROK;ROU;RP;RSM;RSR;RU;RUS;RWA;S;SD;"
    "SF;SI;SGP;SK;SLO;SME;SN;SP;SQ;SR;SWA;SY;SYR;T;TAD;TC;TG;TMN;TN;TR;TT;U;UA;USA;UZB;V;VN;WAG;WAL;WAN;WD;WG;WL;WS;"
    "WV;YU;YV;Z;ZA;ZRE;ZW;?;";

const QStringList& codes()
{
    static const QStringList liste = QString::fromLatin1(Codeliste).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return liste;
}

} // namespace

QString Land_Ermitteln(const QString& plz, const QString& land, const QString& stdLand)
{
    QString code = stdLand;
    if (plz.isEmpty()) {
        code = QStringLiteral("?");
    } else {
        for (const QString& c : codes()) {
            if (plz.startsWith(c))
                code = c;
            if (plz.startsWith(c + QLatin1Char('-')))
                code = c + QLatin1Char('-');
        }
    }
    const QString l = zcommon::LCase(zcommon::Trim(land));
    if (!l.isEmpty()) {
        code = QStringLiteral("?");
        static const std::pair<const char*, const char*> woerter[] = {
            {"deutsch", "D"}, {"germany", "D"}, {"österreich", "A"}, {"schweiz", "CH"}, {"dänemark", "DK"}};
        for (const auto& [wort, c] : woerter)
            if (l.contains(QString::fromUtf8(wort)))
                code = QString::fromLatin1(c);
    }
    if (code.isEmpty())
        code = QStringLiteral("?");
    if (code.endsWith(QLatin1Char('-')))
        code.chop(1);
    return zcommon::UCase(code);
}

QString Land_Ermitteln(const QString& plz, const QString& land)
{
    return Land_Ermitteln(plz, land, zadressbuch::sitzung().KatalogStdLand);
}

QString CallByCall_Datei()
{
    return zcommon::Programm_Ordner() + QStringLiteral("/CallByCall.ini");
}

QString CallByCall_Ermitteln(const QString& nummer, int modus)
{
    const QString datei = CallByCall_Datei();
    if (zcommon::Val(zcommon::Ini_Lesen(datei, QStringLiteral("Allgemein"), QStringLiteral("aktiviert"),
                                        QStringLiteral("1"))) == 0)
        return QString();
    const QString ziffern = zcommon::Nur_Zeichen(nummer, QStringLiteral("0123456789"));
    QString anbieter;
    for (qsizetype k = 1; k <= ziffern.size(); ++k) {
        const QString wert = zcommon::Ini_Lesen(datei, QStringLiteral("TeleNr"), ziffern.left(k), QString());
        if (!wert.isEmpty())
            anbieter = wert;
    }
    if (anbieter.isEmpty())
        return QString();
    if (modus == 1)
        return anbieter;
    if (modus == 2)
        return QStringLiteral(" [") + anbieter + QLatin1Char(']');
    return zcommon::Ini_Lesen(datei, QStringLiteral("CallByCall"), anbieter, QString());
}

} // namespace zkataloge
