#include "maintenance/parameters.h"
#include "shell/edition.h"
#include "shell/ordering.h"
#include "support/edition_fixture.h"

#include <gtest/gtest.h>

using namespace farq;

TEST(EditionTitle, JoinsThePiecesWithTwoBlanksAfterEstado)
{
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    EditionParams p;
    p.number = 812;
    p.date = QDate(2026, 11, 1);
    p.state = QStringLiteral("MG");
    EXPECT_EQ(editionTitle(p, br),
              QStringLiteral("Revista Eletrônica Versão 8.1 - Edição 812 - Atualizada em %1 - Estado  MG")
                  .arg(br.toString(QDate(2026, 11, 1), QLocale::ShortFormat)));
}

TEST(EditionTitle, NullPiecesAreEmpty)
{
    EXPECT_EQ(editionTitle(EditionParams{}),
              QStringLiteral("Revista Eletrônica Versão 8.1 - Edição  - Atualizada em  - Estado  "));
}

TEST(EditionCoding, EditionsAfter811AreCoded)
{
    struct Case {
        std::optional<int> number;
        bool coded;
    } cases[] = {{811, false}, {812, true}, {700, false}, {900, true}, {std::nullopt, false}};
    for (const Case& c : cases) {
        EditionParams p;
        p.number = c.number;
        EXPECT_EQ(isCodedEdition(p), c.coded) << c.number.value_or(-1);
    }
}

TEST(Edition, OpensClearAndCodedEditions)
{
    for (int number : {811, 812}) {
        gen::GeneratorOptions o = test::clearEdition(80);
        o.edition = number;
        Edition e;
        e.open(test::editionCopy(o));
        EXPECT_EQ(e.coded(), number == 812);
        EXPECT_EQ(e.savedState(), QStringLiteral("SP"));
        EXPECT_TRUE(e.title().startsWith(QStringLiteral("Revista Eletrônica Versão 8.1 - Edição %1 - Atualizada em ").arg(number)));
        EXPECT_TRUE(e.title().endsWith(QStringLiteral(" - Estado  SP")));
        // Names decode to the same clear text in both.
        const DataSet labs = e.db().query(QStringLiteral("select FARLABDESCRICAO from FARLABORATORIOS where FARLABCODIGO = '001'"));
        EXPECT_EQ(e.crypt().decode(labs.row(0).text(QStringLiteral("FARLABDESCRICAO"))),
                  QStringLiteral("Laboratório D'Ávila Ltda."));
    }
}

TEST(Edition, SavingTheStateWritesOnlyThatColumn)
{
    Edition e;
    e.open(test::editionCopy(test::codedEdition(80)));
    const EditionParams before = e.params();
    QStringList sent;
    e.db().setStatementObserver([&](EditionDatabase::Sent kind, const QString& sql) {
        if (kind == EditionDatabase::Sent::Statement)
            sent << sql;
    });
    e.saveState(QStringLiteral("MG"));
    EXPECT_EQ(sent, QStringList{QStringLiteral("UPDATE FARPARAMETROS SET FARPARAESTADO = 'MG' WHERE ID = 1")});
    EXPECT_EQ(e.savedState(), QStringLiteral("MG"));
    EXPECT_EQ(e.params().number, before.number);
    EXPECT_EQ(e.params().date, before.date);
    EXPECT_TRUE(e.title().endsWith(QStringLiteral(" - Estado  MG")));
}

TEST(Edition, UnknownStateIsRefusedAndNothingChanges)
{
    Edition e;
    e.open(test::editionCopy(test::clearEdition(80)));
    for (const char* bad : {"XX", "", "S'P"})
        EXPECT_THROW(e.saveState(QString::fromLatin1(bad)), DatabaseError) << bad;
    e.reloadParams();
    EXPECT_EQ(e.savedState(), QStringLiteral("SP"));
}

TEST(ParametersEditor, SavesOnlyAfterAChange)
{
    Edition e;
    e.open(test::editionCopy(test::clearEdition(80)));
    ParametersEditor editor(e);
    EXPECT_GT(editor.states().size(), 20u);
    EXPECT_EQ(editor.current(), QStringLiteral("SP"));
    EXPECT_FALSE(editor.save()); // nothing picked: nothing written
    editor.pick(QStringLiteral("SP"));
    EXPECT_FALSE(editor.editing());
    editor.pick(QStringLiteral("ZF"));
    EXPECT_TRUE(editor.editing());
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(e.savedState(), QStringLiteral("ZF"));
    EXPECT_EQ(ParametersEditor::columnTitles(),
              (QStringList{"ESTADO", "DESCRICAO", "ALIQUOTA", "ALIQUOTA GENÉRICO"}));
}

TEST(ParametersEditor, PickWithoutSaveWritesNothing)
{
    const QString path = test::editionCopy(test::clearEdition(80));
    {
        Edition e;
        e.open(path);
        ParametersEditor editor(e);
        editor.pick(QStringLiteral("RJ"));
    }
    Edition again;
    again.open(path);
    EXPECT_EQ(again.savedState(), QStringLiteral("SP"));
}

TEST(Ordering, CodedEditionsOrderBySortPosition)
{
    using ordering::List;
    struct Case {
        List list;
        const char* coded;
        const char* clear;
    } cases[] = {
        {List::MediPrices, " ORDER BY NOVA_ORDEM", " order by FarPreMedic, FarLabDescricao, FarAprDescricao"},
        {List::EanResults, " ORDER BY NOVA_ORDEM ", " ORDER BY farmeddescricao "},
        {List::MatLabPrices, " ORDER BY NOVA_ORDEM", "  order by FarPreLabor, FarMedDescricao, FarAprDescricao"},
        {List::ExportProducts, "   order by NOVA_ORDEM ", "   order by FARMEDDESCRICAO "},
        {List::MateTissLaboratories, " ORDER BY NOVA_ORDEM", " Order by A.farlabdescricao"},
        {List::ReportProducts, " order by FarMedicamentos.NOVA_ORDEM", " order by farmedicamentos.FarMedDescricao"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ordering::orderBy(c.list, QStringLiteral("S")), QLatin1String(c.coded));
        EXPECT_EQ(ordering::orderBy(c.list, QStringLiteral("N")), QLatin1String(c.clear));
        // Only "N" means clear.
        EXPECT_EQ(ordering::orderBy(c.list, QString()), QLatin1String(c.coded));
    }
}
