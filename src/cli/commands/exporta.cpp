// exporta: writes a price file as the export window does, with its defaults,
// its options for the kind and edition, and its selection marks.
#include "cli/command.h"

#include "export/export_selection.h"
#include "export/export_writer.h"

#include <array>
#include <utility>
#include <QElapsedTimer>
#include <QSet>

#include <array>
#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace farq::cli {
namespace {

using namespace farq::exporter;

const QString kCmd = QStringLiteral("exporta");

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }

// A flag option, what it sets and whether the window offers it.
struct FlagOption {
    const char* name;
    const char* help;
    bool OptionVisibility::*shown;
    bool ExportRequest::*target;
    bool value;
};

const FlagOption kFlags[] = {
    {"--sem-ean", "sem a coluna do código EAN (não oferecida para materiais)", &OptionVisibility::ean,
     &ExportRequest::ean, false},
    {"--sem-tiss", "sem a coluna do código TISS", &OptionVisibility::tiss, &ExportRequest::tiss, false},
    {"--sem-tuss", "sem a coluna do código TUSS", &OptionVisibility::tuss, &ExportRequest::tuss, false},
    {"--hierarquia", "com a hierarquia (materiais)", &OptionVisibility::hierarquia, &ExportRequest::hierarquia, true},
    {"--generico", "com a marca de genérico S/N (medicamentos)", &OptionVisibility::generico,
     &ExportRequest::generico, true},
    {"--restrito", "só os restritos hospitalares (medicamentos, edições a partir de 726)", &OptionVisibility::restrito,
     &ExportRequest::restrito, true},
    {"--oncologico", "só os oncológicos (medicamentos, quando o estado salvo isenta os oncológicos)",
     &OptionVisibility::oncologico, &ExportRequest::oncologico, true},
    {"--parenteral", "só os de nutrição parenteral (materiais, edições a partir de 800)",
     &OptionVisibility::parenteral, &ExportRequest::parenteral, true},
    {"--liberado", "só os liberados (medicamentos, quando a edição tem liberados)", &OptionVisibility::liberado,
     &ExportRequest::liberado, true},
};

// The selection options and the list each one marks.
struct ListOption {
    const char* name;
    SelectionList list;
    const char* what;
};
const ListOption kLists[] = {
    {"--produtos", SelectionList::Products, "produto"},
    {"--laboratorios", SelectionList::Laboratories, "laboratório"},
    {"--apresentacoes", SelectionList::Presentations, "apresentação"},
};

std::vector<OptionSpec> optionSpecs()
{
    std::vector<OptionSpec> specs{
        {QStringLiteral("--tipo"), true, QStringLiteral("M medicamentos, I materiais, S soluções (obrigatório)")},
        {QStringLiteral("--saida"), true, QStringLiteral("o arquivo a gravar (obrigatório)")},
        {QStringLiteral("--conteudo"), true, QStringLiteral("codigo, descricao ou codigo-descricao (padrão)")},
        {QStringLiteral("--arquivo"), true, QStringLiteral("delimitado (padrão) ou fixo")},
        {QStringLiteral("--preco"), true, QStringLiteral("PMC (padrão) ou PFB (medicamentos)")},
    };
    for (const FlagOption& f : kFlags)
        specs.push_back({QLatin1String(f.name), false, QString::fromUtf8(f.help)});
    for (const ListOption& l : kLists)
        specs.push_back({QLatin1String(l.name), true,
                         QStringLiteral("marca estes códigos (separados por vírgula), exporta os marcados e "
                                        "desmarca tudo ao terminar")});
    specs.push_back({QStringLiteral("--marcados"), false,
                     QStringLiteral("exporta os itens já marcados no banco e mantém as marcas")});
    return specs;
}

QString kindWords(QChar kind)
{
    const KindProfile* p = kindProfile(kind);
    return p ? QString::fromUtf8(p->listCaption).toLower() : QString();
}

QStringList codesOf(const Args& args, const QString& option)
{
    QStringList codes;
    for (const QString& c : args.value(option).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!c.trimmed().isEmpty())
            codes << c.trimmed();
    if (codes.isEmpty())
        throw UsageError(QStringLiteral("%1: a opção %2 exige ao menos um código").arg(kCmd, option));
    return codes;
}

// The codes a list holds (products of the kind; every laboratory and presentation).
QSet<QString> listCodes(EditionDatabase& db, SelectionList list, QChar kind)
{
    const ListColumns c = listColumns(list);
    QString sql = QStringLiteral("select %1 from %2").arg(QLatin1String(c.key), QLatin1String(c.table));
    if (list == SelectionList::Products)
        sql += QStringLiteral(" where FARMEDTIPO = '%1'").arg(kind);
    QSet<QString> codes;
    for (const Row r : db.query(sql))
        codes.insert(r.text(QLatin1String(c.key)).trimmed());
    return codes;
}

// Resets every mark when it goes out of scope, as the window does on closing.
struct MarksReset {
    EditionDatabase& db;
    bool active = false;
    ~MarksReset()
    {
        if (!active)
            return;
        try {
            resetMarks(db);
        } catch (const DatabaseError&) {
        }
    }
};

int run(Context& ctx, const Args& args)
{
    if (!args.positional().isEmpty())
        throw UsageError(QStringLiteral("%1: argumento inesperado: %2").arg(kCmd, args.positional().first()));
    const QString tipo = args.value(QStringLiteral("--tipo")).trimmed().toUpper();
    if (!args.has(QStringLiteral("--tipo")))
        throw UsageError(QStringLiteral("%1: informe o tipo com --tipo M|I|S").arg(kCmd));
    if (tipo.size() != 1 || !kindProfile(tipo.at(0)))
        throw UsageError(QStringLiteral("%1: --tipo %2 inválido; use M, I ou S").arg(kCmd, args.value(QStringLiteral("--tipo"))));
    const QChar kind = tipo.at(0);
    const QString output = args.value(QStringLiteral("--saida"));
    if (output.trimmed().isEmpty())
        throw UsageError(QStringLiteral("%1: informe o arquivo com --saida ARQUIVO").arg(kCmd));

    Edition& edition = ctx.edition;
    ExportJob job(edition, kind, isFreeTradeZoneState(edition.savedState()));
    const OptionVisibility shown = job.visibility();
    ExportRequest request = job.defaults();
    const QString edicao = edition.params().number ? QString::number(*edition.params().number) : QStringLiteral("?");
    auto refuse = [&](const QString& option) {
        throw UsageError(QStringLiteral("%1: a opção %2 não é oferecida na exportação de %3 da edição %4 (estado %5)")
                             .arg(kCmd, option, kindWords(kind), edicao, edition.savedState()));
    };

    // An option whose value is one word of a list; anything else is refused
    // naming the words it takes.
    auto choice = [&](const char* option, auto& target, auto words, const char* wordsText) {
        const QString name = QLatin1String(option);
        if (!args.has(name))
            return;
        const QString v = args.value(name).trimmed().toLower();
        for (const auto& [word, value] : words)
            if (v == QLatin1String(word)) {
                target = value;
                return;
            }
        throw UsageError(QStringLiteral("%1: %2 %3 inválido; use %4")
                             .arg(kCmd, name, args.value(name), QString::fromUtf8(wordsText)));
    };
    using ContentWord = std::pair<const char*, Content>;
    using FileWord = std::pair<const char*, FileType>;
    using PriceWord = std::pair<const char*, price::PriceType>;
    choice("--conteudo", request.content,
           std::array{ContentWord{"codigo", Content::Codigo}, ContentWord{"descricao", Content::Descricao},
                      ContentWord{"codigo-descricao", Content::CodigoDescricao}},
           "codigo, descricao ou codigo-descricao");
    choice("--arquivo", request.fileType,
           std::array{FileWord{"delimitado", FileType::Delimitado}, FileWord{"fixo", FileType::TamanhoFixo}},
           "delimitado ou fixo");
    if (args.has(QStringLiteral("--preco")) && !shown.priceType)
        refuse(QStringLiteral("--preco"));
    choice("--preco", request.priceType,
           std::array{PriceWord{"pmc", price::PriceType::PMC}, PriceWord{"pfb", price::PriceType::PFAB}},
           "PMC ou PFB");
    for (const FlagOption& f : kFlags) {
        if (!args.has(QLatin1String(f.name)))
            continue;
        if (!(shown.*f.shown))
            refuse(QLatin1String(f.name));
        request.*f.target = f.value;
    }

    // Selection: the codes given are checked against their lists before
    // anything is marked.
    bool anyList = false;
    for (const ListOption& l : kLists)
        anyList = anyList || args.has(QLatin1String(l.name));
    if (anyList && args.has(QStringLiteral("--marcados")))
        throw UsageError(QStringLiteral("%1: --marcados não pode ser usada com --produtos, --laboratorios ou "
                                        "--apresentacoes").arg(kCmd));
    std::vector<std::pair<SelectionList, QStringList>> toMark;
    for (const ListOption& l : kLists) {
        if (!args.has(QLatin1String(l.name)))
            continue;
        const QStringList codes = codesOf(args, QLatin1String(l.name));
        const QSet<QString> known = listCodes(edition.db(), l.list, kind);
        QStringList unknown;
        for (const QString& c : codes)
            if (!known.contains(c))
                unknown << c;
        if (!unknown.isEmpty())
            throw UsageError(QStringLiteral("%1: %2: código(s) de %3 que a lista desta edição não tem: %4")
                                 .arg(kCmd, QLatin1String(l.name), QString::fromUtf8(l.what),
                                      unknown.join(QStringLiteral(", "))));
        toMark.push_back({l.list, codes});
    }
    request.todos = !anyList && !args.has(QStringLiteral("--marcados"));

    // The marks given are the only ones: earlier marks are cleared first, and
    // every mark is reset at the end, as when the window closes.
    MarksReset reset{edition.db()};
    if (anyList) {
        reset.active = true;
        resetMarks(edition.db());
        for (const auto& [list, codes] : toMark)
            for (const QString& code : codes)
                writeMark(edition.db(), list, code, true);
    }

    const bool terminal = ::isatty(::fileno(stderr)) == 1;
    QElapsedTimer shownAt;
    shownAt.start();
    interrupted = 0;
    auto previousInt = std::signal(SIGINT, onInterrupt);
    auto previousTerm = std::signal(SIGTERM, onInterrupt);
    const ProgressFn progress = [&](qint64 done, qint64 total) {
        if (terminal && (done == 0 || done == total || shownAt.elapsed() >= 200)) {
            shownAt.restart();
            if (total > 0)
                ctx.err << QStringLiteral("\rexportando: %1 de %2 linhas").arg(done).arg(total);
            else
                ctx.err << QStringLiteral("\rexportando: %1 linhas").arg(done);
            ctx.err.flush();
        }
        return interrupted == 0;
    };
    const ExportOutcome outcome = job.writeFile(request, output, progress);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    if (terminal)
        ctx.err << "\n";

    switch (outcome.status) {
    case ExportOutcome::Status::Written:
        ctx.err << kSuccessMessage << QStringLiteral(" (%1 linhas em %2)\n").arg(outcome.rows).arg(output);
        return 0;
    case ExportOutcome::Status::Cancelled:
        throw Failure(QStringLiteral("%1: exportação interrompida; nenhum arquivo foi gravado").arg(kCmd));
    case ExportOutcome::Status::Failed:
        break;
    }
    throw Failure(QStringLiteral("%1: %2; nenhum arquivo foi gravado").arg(kCmd, outcome.message));
}

const CliRegistrar reg({kCmd, QStringLiteral("exporta --tipo M|I|S [opções] --saida ARQUIVO"),
                        QStringLiteral("Grava o arquivo de preços como a janela de Exportação: uma linha por preço, "
                                       "em Windows-1252 com CR LF. O arquivo aparece completo ou não aparece."),
                        optionSpecs(), run});

} // namespace
} // namespace farq::cli
