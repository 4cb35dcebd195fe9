#include "catalogue/schema.h"

namespace farq::schema {
namespace {

// Coded descriptions take 2n + 2 characters for a text of n; they are kept in
// VARCHAR so that a coded value is never blank-padded.
const char* const kMedDesc = "VARCHAR(602)";
const char* const kLabDesc = "VARCHAR(602)";
const char* const kAprDesc = "VARCHAR(1602)";

QString priceColumns(bool current, bool substanceTable)
{
    QString s = QStringLiteral(
        "FARPRETIPO CHAR(3), FARPREEDICAO INTEGER, FARPREPORTARIA CHAR(1), FARPREGENERICO CHAR(1), "
        "FARPREEXCECAO CHAR(1), FARPREALIQ1 FLOAT, FARPREALIQ2 FLOAT, FARPREALIQ3 FLOAT, FARPREALIQ4 FLOAT, "
        "FARPREALIQ5 FLOAT, FARPREALIQ6 FLOAT, FARPREIPI FLOAT, FARPREHIERARQUIA INTEGER, FARPREEAN CHAR(13), "
        "FARPRECGREM CHAR(20), FARPREMEDSOLU CHAR(1), ");
    s += QStringLiteral("FARMEDDESCRICAO %1, FARAPRDESCRICAO %2, FARLABDESCRICAO %3, ")
             .arg(QLatin1String(kMedDesc), QLatin1String(kAprDesc), QLatin1String(kLabDesc));
    s += QStringLiteral("FARPREZF FLOAT, FARPREEX1 FLOAT, FARPREEX2 FLOAT, FARPREEX3 FLOAT, FARPREEX4 FLOAT, "
                        "FARPREEX5 FLOAT, FARPREEX6 FLOAT, FARPPRE_ZFFAB FLOAT, NOVA_ORDEM INTEGER");
    if (current) {
        s += substanceTable ? QStringLiteral(", FARPRE_ZERO DOUBLE PRECISION, FARPRE_DOZE DOUBLE PRECISION, "
                                             "FARPRE_ZEROFAB DOUBLE PRECISION, FARPRE_DOZEFAB DOUBLE PRECISION")
                            : QStringLiteral(", FARPPRE_ZERO DOUBLE PRECISION, FARPPRE_DOZE DOUBLE PRECISION, "
                                             "FARPPRE_ZEROFAB DOUBLE PRECISION, FARPPRE_DOZEFAB DOUBLE PRECISION");
    }
    return s;
}

} // namespace

QStringList createStatements(Layout layout)
{
    const bool current = layout == Layout::Current;
    QStringList out;
    out << QStringLiteral("CREATE TABLE FARPARAMETROS (ID INTEGER NOT NULL PRIMARY KEY, FARPARAESTADO CHAR(2), "
                          "FARNUMEROEDICAO INTEGER, FARDATAEDICAO DATE, FARMOSTRAEAN CHAR(1))");
    out << QStringLiteral("CREATE TABLE FARESTADOS (ESTADO CHAR(2) NOT NULL PRIMARY KEY, DESCRICAO CHAR(30), "
                          "ALIQUOTA FLOAT, ICMS_ONCOLOGICO CHAR(1)%1)")
               .arg(current ? QStringLiteral(", ALIQUOTAGENERICO FLOAT") : QString());
    out << QStringLiteral("CREATE TABLE FARLABORATORIOS (FARLABCODIGO CHAR(3) NOT NULL PRIMARY KEY, "
                          "FARLABDESCRICAO %1, FARLABFLAG CHAR(1), FARLABMED CHAR(1), FARLABMAT CHAR(1), "
                          "FARLABSOL CHAR(1), FLAGSELECAO CHAR(1), NOVA_ORDEM INTEGER)")
               .arg(QLatin1String(kLabDesc));
    out << QStringLiteral("CREATE TABLE FARMEDICAMENTOS (FARMEDCODIGO CHAR(5) NOT NULL PRIMARY KEY, "
                          "FARMEDDESCRICAO %1, FARMEDFLAG CHAR(1), FARMEDTIPO CHAR(1), SELECAO CHAR(1), "
                          "RESTRITO CHAR(1), NOVA_ORDEM INTEGER, PARENTERAL CHAR(1), LIBERADO CHAR(1))")
               .arg(QLatin1String(kMedDesc));
    out << QStringLiteral("CREATE TABLE FARAPRESENTACOES (FARAPRCODIGO CHAR(4) NOT NULL PRIMARY KEY, "
                          "FARAPRDESCRICAO %1, FARAPRFLAG CHAR(1), FARAPRQTDE FLOAT, FARAPRIPI FLOAT, "
                          "FLAGSELECAO CHAR(1), NOVA_ORDEM INTEGER)")
               .arg(QLatin1String(kAprDesc));
    out << QStringLiteral("CREATE TABLE FARPRECOS (FARPRELABOR CHAR(3) NOT NULL, FARPREMEDIC CHAR(5) NOT NULL, "
                          "FARPREAPRE CHAR(4) NOT NULL, %1, FARPRESTISS CHAR(10), TUSS CHAR(50), PMC17_5 FLOAT, "
                          "PFAB17_5 FLOAT, PMCZF17 FLOAT, PMCZF17_5 FLOAT, PMCZF18 FLOAT, PFABZF17 FLOAT, "
                          "PFABZF17_5 FLOAT, PFABZF18 FLOAT, "
                          "PRIMARY KEY (FARPRELABOR, FARPREMEDIC, FARPREAPRE))")
               .arg(priceColumns(current, false));
    out << QStringLiteral("CREATE TABLE FARSUBSTANCIAS (FARSUBCODIGO INTEGER NOT NULL PRIMARY KEY, "
                          "FARSUBDESCRICAO CHAR(60), ONCOLOGICO CHAR(1))");
    out << QStringLiteral("CREATE TABLE FARMEDICAMENTOSUBSTANCIAS (FARMEDSUBCODIGOSUB INTEGER NOT NULL, "
                          "FARMEDSUBCODIGOMED CHAR(5) NOT NULL)");
    out << QStringLiteral("CREATE TABLE FARPRECOSSUBSTANCIAS (FARPRELABOR CHAR(3) NOT NULL, FARPREMEDIC CHAR(5), "
                          "FARPREAPRE CHAR(5), FARMEDSUBCODIGOSUB INTEGER, %1)")
               .arg(priceColumns(current, true));
    out << QStringLiteral("CREATE TABLE FARLABORATORIOSUBSTANCIAS (FARLABCODIGO CHAR(3), FARLABSUBS INTEGER, "
                          "FARLABSUBSDESCRICAO CHAR(60))");
    out << QStringLiteral("CREATE TABLE FARHIERARQUIA (ID FLOAT NOT NULL, SUPERIOR FLOAT, DESCRICAO CHAR(100), "
                          "NIVEL INTEGER)");
    QString aux = QStringLiteral("CREATE TABLE FARAUXILIAR (");
    for (int i = 1; i <= 8; ++i)
        aux += QStringLiteral("DESCRICAO%1 CHAR(50), ").arg(i);
    for (int i = 1; i <= 8; ++i)
        aux += QStringLiteral("ID%1 FLOAT, ").arg(i);
    aux += QStringLiteral("TEM_MED CHAR(1))");
    out << aux;
    for (const char* prefix : {"FARANTE", "FARNOVO"}) {
        const QString p = QLatin1String(prefix);
        out << QStringLiteral("CREATE TABLE %1 (%2CLAB CHAR(3), %2LABO CHAR(40), %2CMED CHAR(5), %2MEDI CHAR(40), "
                              "%2CAPR CHAR(4), %2EAN CHAR(13), %2TISS CHAR(10), TUSS CHAR(50))")
                   .arg(p == QLatin1String("FARANTE") ? QStringLiteral("FAREXCLUIDOS") : QStringLiteral("FARNOVOS"),
                        p);
    }
    out << QStringLiteral("CREATE INDEX IX_FARPRECOS_MEDIC ON FARPRECOS (FARPREMEDIC)");
    out << QStringLiteral("CREATE INDEX IX_FARPRECOS_ORDEM ON FARPRECOS (NOVA_ORDEM)");
    out << QStringLiteral("CREATE INDEX IX_FARPRECOSSUBS_SUB ON FARPRECOSSUBSTANCIAS (FARMEDSUBCODIGOSUB)");
    out << QStringLiteral("CREATE INDEX IX_FARMEDSUBS_MED ON FARMEDICAMENTOSUBSTANCIAS (FARMEDSUBCODIGOMED)");
    return out;
}

QStringList tableNames()
{
    return {QStringLiteral("FARPARAMETROS"),         QStringLiteral("FARESTADOS"),
            QStringLiteral("FARLABORATORIOS"),       QStringLiteral("FARMEDICAMENTOS"),
            QStringLiteral("FARAPRESENTACOES"),      QStringLiteral("FARPRECOS"),
            QStringLiteral("FARSUBSTANCIAS"),        QStringLiteral("FARMEDICAMENTOSUBSTANCIAS"),
            QStringLiteral("FARPRECOSSUBSTANCIAS"),  QStringLiteral("FARLABORATORIOSUBSTANCIAS"),
            QStringLiteral("FARHIERARQUIA"),         QStringLiteral("FARAUXILIAR"),
            QStringLiteral("FAREXCLUIDOS"),          QStringLiteral("FARNOVOS")};
}

} // namespace farq::schema
