// consulta PAGINA: writes a consultation page's lines (or its print as PDF),
// exactly what the window's page shows for the same choices.
#include "cli/command.h"

#include "consult/consult_print.h"
#include "consult/page_lines.h"
#include "consult/product_page_writer.h"

#include <QDate>

#include <functional>
#include <optional>

namespace farq::cli {
namespace {

using consult::Page;

// What a page gives back: its lines and what its print needs.
struct WrittenPage {
    Page page;
    consult::PrintJob print;
};

struct CliPage {
    QString name;
    QStringList options; // the page's own options, beyond --formato and --pdf
    std::function<WrittenPage(Context&, const Args&, const QString& command)> write;
};

QString familyWord(QChar family)
{
    if (family == QLatin1Char('I'))
        return QStringLiteral("materiais");
    if (family == QLatin1Char('S'))
        return QStringLiteral("soluções");
    return QStringLiteral("medicamentos");
}

const price::StateRecord* findState(const std::vector<price::StateRecord>& states, const QString& code)
{
    for (const price::StateRecord& s : states)
        if (s.estado.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

WrittenPage writeProductPage(const consult::ProductPage& page, Context& ctx, const Args& args, const QString& cmd)
{
    Edition& edition = ctx.edition;
    const QString wanted = args.value(QStringLiteral("--produto")).trimmed();
    if (wanted.isEmpty())
        throw UsageError(QStringLiteral("%1: informe o produto com --produto CODIGO").arg(cmd));
    const std::vector<consult::ListEntry> list = consult::loadProductList(edition, page);
    const consult::ListEntry* entry = nullptr;
    for (const consult::ListEntry& e : list)
        if (e.code.trimmed() == wanted)
            entry = &e;
    if (!entry)
        throw UsageError(QStringLiteral("%1: --produto %2 não está na lista de %3 desta edição")
                             .arg(cmd, wanted, familyWord(page.family)));

    consult::PageRequest request;
    request.searchText = entry->name;
    request.code = entry->code;
    if (page.state == consult::StateSource::Chosen) {
        const std::vector<price::StateRecord> states = consult::loadStates(edition.db());
        const QString uf = args.value(QStringLiteral("--estado"), edition.savedState());
        const price::StateRecord* state = findState(states, uf);
        if (!state && args.has(QStringLiteral("--estado")))
            throw UsageError(QStringLiteral("%1: --estado %2 não é um estado desta edição (FARESTADOS)").arg(cmd, uf));
        request.state = state ? *state : consult::savedStateRecord(edition.db());
    } else {
        request.state = consult::savedStateRecord(edition.db());
    }
    if (page.priceBoxes) {
        const QString type =
            args.oneOf({QStringLiteral("--pmc"), QStringLiteral("--pfab"), QStringLiteral("--sem-tipo")},
                       QStringLiteral("--pmc"));
        request.type = type == QLatin1String("--pmc")    ? price::PriceType::PMC
                     : type == QLatin1String("--pfab")   ? price::PriceType::PFAB
                                                         : price::PriceType::None;
    } else {
        request.type = price::PriceType::PFAB;
    }

    WrittenPage out;
    out.page = consult::runProductPage(edition, page, request).value_or(Page{});
    out.print.form = consult::findPrintForm(QString::fromLatin1(page.printForm));
    out.print.searchText = request.searchText;
    edition.reloadParams();
    out.print.editionNumber = edition.params().number;
    out.print.date = QDate::currentDate();
    out.print.text = out.page.plainText();
    return out;
}

QStringList productPageOptions(const consult::ProductPage& page)
{
    QStringList o{QStringLiteral("--produto")};
    if (page.state == consult::StateSource::Chosen)
        o << QStringLiteral("--estado");
    if (page.priceBoxes)
        o << QStringLiteral("--pmc") << QStringLiteral("--pfab") << QStringLiteral("--sem-tipo");
    return o;
}

const std::vector<CliPage>& pages()
{
    static const std::vector<CliPage> list = [] {
        std::vector<CliPage> l;
        for (consult::ProductPageId id :
             {consult::ProductPageId::Medicines, consult::ProductPageId::Materials, consult::ProductPageId::Solutions}) {
            const consult::ProductPage& p = consult::productPage(id);
            l.push_back({QString::fromLatin1(p.cliName), productPageOptions(p),
                         [&p](Context& c, const Args& a, const QString& cmd) { return writeProductPage(p, c, a, cmd); }});
        }
        return l;
    }();
    return list;
}

// Options that some page takes, with why another page refuses them.
const std::vector<OptionSpec> kOptions = {
    {QStringLiteral("--produto"), true, QStringLiteral("código do produto (FARMEDCODIGO)")},
    {QStringLiteral("--estado"), true, QStringLiteral("estado (UF) da lista de estados da página; padrão: o estado salvo")},
    {QStringLiteral("--pmc"), false, QStringLiteral("preço ao consumidor (padrão)")},
    {QStringLiteral("--pfab"), false, QStringLiteral("preço de fábrica")},
    {QStringLiteral("--sem-tipo"), false, QStringLiteral("nenhum tipo de preço marcado (preços 0,00)")},
    {QStringLiteral("--formato"), true, QStringLiteral("texto (padrão) ou json")},
    {QStringLiteral("--pdf"), true, QStringLiteral("grava o relatório impresso da página neste arquivo PDF")},
};

QString refusal(const QString& cmd, const QString& option)
{
    if (option == QLatin1String("--estado"))
        return QStringLiteral("%1: a opção --estado não existe nesta página: ela usa o estado salvo "
                              "(farmaquion-cli estado UF)").arg(cmd);
    if (option == QLatin1String("--pmc") || option == QLatin1String("--pfab") || option == QLatin1String("--sem-tipo"))
        return QStringLiteral("%1: a opção %2 não existe nesta página: ela mostra sempre o preço de fábrica")
            .arg(cmd, option);
    return QStringLiteral("%1: a opção %2 não existe nesta página").arg(cmd, option);
}

int run(Context& ctx, const Args& args)
{
    if (args.positional().isEmpty())
        throw UsageError(QStringLiteral("consulta: informe a página (por exemplo medicamentos-produto)"));
    if (args.positional().size() > 1)
        throw UsageError(QStringLiteral("consulta: informe uma só página"));
    const QString name = args.positional().first();
    const CliPage* page = nullptr;
    for (const CliPage& p : pages())
        if (p.name == name)
            page = &p;
    if (!page) {
        QStringList names;
        for (const CliPage& p : pages())
            names << p.name;
        throw UsageError(QStringLiteral("consulta: página desconhecida: %1 (páginas: %2)").arg(name, names.join(", ")));
    }
    const QString cmd = QStringLiteral("consulta ") + name;
    for (const OptionSpec& o : kOptions)
        if (args.has(o.name) && o.name != QLatin1String("--formato") && o.name != QLatin1String("--pdf")
            && !page->options.contains(o.name))
            throw UsageError(refusal(cmd, o.name));
    const QString format = args.value(QStringLiteral("--formato"), QStringLiteral("texto"));
    if (format != QLatin1String("texto") && format != QLatin1String("json"))
        throw UsageError(QStringLiteral("%1: --formato deve ser texto ou json, não \"%2\"").arg(cmd, format));
    if (args.has(QStringLiteral("--pdf")) && args.value(QStringLiteral("--pdf")).isEmpty())
        throw UsageError(QStringLiteral("%1: a opção --pdf exige um arquivo").arg(cmd));

    const WrittenPage written = page->write(ctx, args, cmd);
    if (args.has(QStringLiteral("--pdf"))) {
        const QString error = consult::writeConsultationPdf(args.value(QStringLiteral("--pdf")), written.print);
        if (!error.isEmpty())
            throw Failure(cmd + QStringLiteral(": ") + error);
        return 0;
    }
    ctx.out << (format == QLatin1String("json") ? consult::pageAsJson(written.page)
                                                : consult::pageAsText(written.page));
    return 0;
}

const CliRegistrar reg({QStringLiteral("consulta"),
                        QStringLiteral("consulta PAGINA [opções] [--formato texto|json] [--pdf ARQUIVO]"),
                        QStringLiteral("Escreve as linhas da página de consulta, exatamente como a janela as mostra.\n"
                                       "Páginas: medicamentos-produto (--produto, --estado, --pmc/--pfab/--sem-tipo),\n"
                                       "materiais-produto (--produto), solucoes-produto (--produto)."),
                        kOptions, run});

} // namespace
} // namespace farq::cli
