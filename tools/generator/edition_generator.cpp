#include "edition_generator.h"

#include "catalogue/schema.h"
#include "shell/cipher.h"
#include "shell/codec.h"
#include "shell/database.h"

#include <QDate>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace farq::gen {
namespace {

struct StateDef {
    const char* uf;
    const char* name;
    double rate;
    double genericRate;
    const char* onco;
};

// Every state with its rate: MG with its generics rate, ZF (whose rate is
// also one of the rates), a 17.5 %, a 19 %, an exempting state, a 12 % and a
// 0 % one, and a rate that matches no price column (25 %).
const StateDef kStates[] = {
    {"AC", "Acre", 17, 0, "N"},          {"AL", "Alagoas", 18, 0, "N"},
    {"AM", "Amazonas", 18, 0, "N"},      {"AP", "Amapá", 18, 0, "N"},
    {"BA", "Bahia", 18, 0, "N"},         {"CE", "Ceará", 18, 0, "N"},
    {"DF", "Distrito Federal", 18, 0, "N"}, {"ES", "Espírito Santo", 17, 0, "N"},
    {"GO", "Goiás", 17, 0, "S"},         {"MA", "Maranhão", 18, 0, "N"},
    {"MG", "Minas Gerais", 18, 12, "N"}, {"MS", "Mato Grosso do Sul", 17, 0, "N"},
    {"MT", "Mato Grosso", 17, 0, "N"},   {"PA", "Pará", 17, 0, "N"},
    {"PB", "Paraíba", 18, 0, "N"},       {"PE", "Pernambuco", 18, 0, "N"},
    {"PI", "Piauí", 18, 0, "N"},         {"PR", "Paraná", 19, 0, "N"},
    {"RJ", "Rio de Janeiro", 20, 0, "S"}, {"RN", "Rio Grande do Norte", 18, 0, "N"},
    {"RO", "Rondônia", 17.5, 0, "N"},    {"RR", "Roraima", 17, 0, "N"},
    {"RS", "Rio Grande do Sul", 17, 0, "N"}, {"SC", "Santa Catarina", 17, 0, "N"},
    {"SE", "Sergipe", 18, 0, "N"},       {"SP", "São Paulo", 18, 0, "N"},
    {"TO", "Tocantins", 18, 0, "N"},     {"ZF", "Zona Franca de Manaus", 18, 0, "N"},
    {"XD", "Exportação (isento)", 0, 0, "N"}, {"XT", "Tributação especial", 12, 0, "N"},
    {"XV", "Alíquota vinte e cinco", 25, 0, "N"},
};

const char* const kLabStems[] = {"Farmacêutica São João", "Indústria Química Paulista", "Laboratório Catarinense",
                                 "Medquímica Indústria", "Biolab Sanus", "Cristália Produtos",
                                 "União Química", "Hipolabor Farmacêutica", "Teuto Brasileiro",
                                 "Prati Donaduzzi", "Eurofarma Laboratórios", "Neo Química",
                                 "Blau Farmacêutica", "Halex Istar", "Baxter Hospitalar",
                                 "B. Braun Brasil", "Fresenius Kabi", "Cirúrgica Fernandes",
                                 "Descarpack Descartáveis", "Lamedid Comercial"};
const char* const kMedicineStems[] = {
    "Amoxicilina Triidratada", "Dipirona Sódica", "Paracetamol", "Ácido Acetilsalicílico", "Cloridrato de Metformina",
    "Losartana Potássica", "Omeprazol", "Sinvastatina", "Captopril", "Azitromicina Di-hidratada",
    "Ciclofosfamida", "Metotrexato Sódico", "Cisplatina", "Fluoruracila", "Dexametasona", "Prednisona",
    "Ibuprofeno", "Diclofenaco de Potássio", "Cefalexina Monoidratada", "Ondansetrona"};
const char* const kMaterialStems[] = {"Cateter Intravenoso", "Seringa Descartável", "Agulha Hipodérmica",
                                      "Luva Cirúrgica Estéril", "Equipo Macrogotas", "Compressa de Gaze",
                                      "Sonda Uretral", "Atadura de Crepom", "Máscara Cirúrgica Tripla",
                                      "Fio de Sutura Nylon"};
const char* const kSolutionStems[] = {"Solução Fisiológica", "Soro Glicosado", "Ringer com Lactato",
                                      "Água para Injeção", "Solução de Manitol", "Bicarbonato de Sódio"};
const char* const kPresentationStems[] = {"Comprimido revestido", "Cápsula gelatinosa dura", "Solução injetável",
                                          "Suspensão oral", "Frasco-ampola", "Pó para solução injetável",
                                          "Creme dermatológico", "Unidade estéril", "Bolsa plástica",
                                          "Caixa com envelopes"};
const char* const kSubstanceNames[] = {
    "Amoxicilina", "Dipirona", "Paracetamol", "Ácido acetilsalicílico", "Metformina", "Losartana", "Omeprazol",
    "Sinvastatina", "Captopril", "Azitromicina", "Ciclofosfamida", "Metotrexato", "Cisplatina", "Fluoruracila",
    "Dexametasona", "Prednisona", "Ibuprofeno", "Diclofenaco", "Cefalexina", "Ondansetrona", "Cafeína",
    "Codeína", "Clavulanato de potássio", "Hidroclorotiazida"};
// Substances 10 to 13 (ciclofosfamida .. fluoruracila) are oncological.
bool oncologicalSubstance(int index) { return index >= 10 && index <= 13; }

class Generator {
public:
    Generator(const GeneratorOptions& o) : opt(o), rng(o.seed), coded(o.edition > 811) {}

    void run(const QString& path)
    {
        QFile::remove(path);
        db.create(path);
        for (const QString& s : schema::createStatements(opt.oldLayout ? schema::Layout::Old : schema::Layout::Current))
            db.execute(s);
        planCatalogue();
        writeParams();
        writeStates();
        writeLaboratories();
        writeProducts();
        writePresentations();
        writeSubstances();
        writeHierarchy();
        writePrices();
        writeChanges();
        db.disconnect();
    }

private:
    struct Lab {
        QString code, name;
        bool med = false, mat = false, sol = false;
    };
    struct Product {
        QString code, name;
        QChar family;
        bool restricted, parenteral, released;
        std::vector<int> substances;
        int hierarchy = 0;
    };
    struct Presentation {
        QString code, name;
        double qty, ipi;
    };
    struct Price {
        int lab, product, presentation;
    };

    GeneratorOptions opt;
    std::mt19937 rng;
    bool coded;
    EditionDatabase db;
    std::vector<Lab> labs;
    std::vector<Product> products;
    std::vector<Presentation> presentations;
    std::vector<Price> prices;
    std::vector<int> leafNodes;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }
    bool chance(double p) { return uniform(0, 1) < p; }

    QString desc(const QString& plain)
    {
        if (!coded || plain.isEmpty())
            return plain;
        return QString::fromLatin1(encodeDescription(toCp1252(plain), pick(256)));
    }

    template <typename T>
    std::map<int, int> sortPositions(const std::vector<T>& items)
    {
        std::vector<int> idx(items.size());
        for (size_t i = 0; i < idx.size(); ++i)
            idx[i] = int(i);
        std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) { return items[a].name < items[b].name; });
        std::map<int, int> pos;
        for (size_t i = 0; i < idx.size(); ++i)
            pos[idx[i]] = int(i) + 1;
        return pos;
    }

    void planCatalogue()
    {
        const int rows = std::max(opt.priceRows, 60);
        const int labCount = std::clamp(rows / 25, 8, 999);
        for (int i = 0; i < labCount; ++i) {
            Lab l;
            l.code = QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'));
            if (i == 0)
                l.name = QStringLiteral("Laboratório D'Ávila Ltda.");
            else
                l.name = QStringLiteral("%1 %2").arg(QString::fromUtf8(kLabStems[i % std::size(kLabStems)])).arg(i);
            labs.push_back(l);
        }
        const int productCount = std::clamp(rows / 6, 12, 99999);
        for (int i = 0; i < productCount; ++i) {
            Product p;
            p.code = QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            const int r = i < 6 ? -1 : pick(100);
            p.family = (i == 3) ? QLatin1Char('I') : (i == 4) ? QLatin1Char('S')
                     : (i < 6 || r < 60) ? QLatin1Char('M') : (r < 85 ? QLatin1Char('I') : QLatin1Char('S'));
            const char* const* stems = p.family == QLatin1Char('M') ? kMedicineStems
                                     : p.family == QLatin1Char('I') ? kMaterialStems : kSolutionStems;
            const size_t nStems = p.family == QLatin1Char('M') ? std::size(kMedicineStems)
                                : p.family == QLatin1Char('I') ? std::size(kMaterialStems) : std::size(kSolutionStems);
            QString name = QString::fromUtf8(stems[(i < 6 ? (i == 1 ? 10 : i) : pick(int(nStems))) % nStems]);
            if (i == 1)
                name = QStringLiteral("Ciclofosfamida Monoidratada");
            if (i >= 6)
                name += QStringLiteral(" %1").arg(i);
            if (i % 17 == 5)
                name += QStringLiteral(" de liberação prolongada para uso hospitalar exclusivo em "
                                       "ambiente controlado, conforme orientação médica especializada");
            p.name = name;
            p.restricted = chance(0.15);
            p.parenteral = p.family == QLatin1Char('S') && chance(0.5);
            p.released = chance(0.8);
            if (p.family == QLatin1Char('M')) {
                const int first = (i == 1) ? 10 : pick(int(std::size(kSubstanceNames)));
                p.substances.push_back(first);
                if (chance(0.3)) {
                    int second = (first + 1 + pick(5)) % int(std::size(kSubstanceNames));
                    if (i != 0 && i != 2 && !oncologicalSubstance(second))
                        p.substances.push_back(second);
                }
                if (i != 1)
                    p.substances.erase(std::remove_if(p.substances.begin(), p.substances.end(),
                                                      [&](int s) { return i < 6 && oncologicalSubstance(s); }),
                                       p.substances.end());
                if (p.substances.empty())
                    p.substances.push_back(0);
            }
            products.push_back(p);
        }
        const int presCount = std::clamp(rows / 3, 30, 9999);
        for (int i = 0; i < presCount; ++i) {
            Presentation a;
            a.code = QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0'));
            QString n = QString::fromUtf8(kPresentationStems[pick(int(std::size(kPresentationStems)))]);
            const int strength = (1 + pick(100)) * 5;
            const int units = std::array{0, 1, 10, 20, 30, 60}[size_t(pick(6))];
            a.name = QStringLiteral("%1 %2 mg, caixa com %3 unidades").arg(n).arg(strength).arg(units);
            if (i % 23 == 7)
                a.name += QStringLiteral(" acondicionadas em embalagem hospitalar com identificação "
                                         "individual e lacre de segurança");
            a.qty = (i % 11 == 3) ? 0.0 : units;
            a.ipi = (i == 9) ? 150.0 : std::array{0.0, 5.0, 12.0, 15.0}[size_t(pick(4))];
            presentations.push_back(a);
        }

        // Price rows: unique (lab, product, presentation).
        std::set<std::tuple<int, int, int>> used;
        auto add = [&](int l, int p, int a) {
            if (used.insert({l, p, a}).second) {
                prices.push_back({l, p, a});
                if (products[size_t(p)].family == QLatin1Char('M'))
                    labs[size_t(l)].med = true;
                else if (products[size_t(p)].family == QLatin1Char('I'))
                    labs[size_t(l)].mat = true;
                else
                    labs[size_t(l)].sol = true;
            }
        };
        // The well-known products first.
        for (int l : {0, 1, 2})
            for (int k = 0; k < 3; ++k)
                add(l, 0, l * 3 + k);
        add(0, 1, 10);
        add(3, 1, 11);
        add(1, 2, 12);
        add(2, 2, 13);
        add(0, 3, 14);
        add(4, 3, 15);
        add(5, 4, 16);
        add(0, 4, 17);
        for (int k = 0; k < opt.bigProductPresentations; ++k)
            add(k % labCount, 5, k % presCount);
        if (opt.bigProductPresentations == 0)
            add(6, 5, 18);
        int guard = 0;
        while (int(prices.size()) < rows && guard++ < rows * 20)
            add(pick(labCount), 6 + pick(productCount - 6), pick(presCount));
        if (opt.layoutBoundaryRows)
            planBoundaryRows(add);
    }

    // Presentation names of exact lengths around the wrap limit L and the
    // leader width W of the product pages (L = W = 80; solutions L = 102, W = 78).
    template <typename Add>
    void planBoundaryRows(Add& add)
    {
        auto nameOf = [](int length, int n) {
            QString t = QStringLiteral("Apresentação de %1 caracteres nº %2 ").arg(length).arg(n);
            while (t.size() < length)
                t += QStringLiteral("abcdefghij");
            t.truncate(length);
            if (t.endsWith(QLatin1Char(' ')))
                t[length - 1] = QLatin1Char('x'); // no blank to trim at the end
            return t;
        };
        struct Def {
            const char* code;
            QChar family;
            const char* name;
            std::vector<int> lengths;
        } defs[] = {
            {known::kBoundaryMedicine, QLatin1Char('M'), "Medicamento de bordas de página", {77, 78, 155}},
            {known::kBoundaryMaterial, QLatin1Char('I'), "Material de bordas de página", {77, 78, 155}},
            {known::kBoundarySolution, QLatin1Char('S'), "Solução de bordas de página", {75, 76, 99, 100, 176}},
        };
        int n = 0;
        for (const Def& d : defs) {
            Product p;
            p.code = QString::fromLatin1(d.code);
            p.name = QString::fromUtf8(d.name);
            p.family = d.family;
            p.restricted = false;
            p.parenteral = false;
            p.released = true;
            if (d.family == QLatin1Char('M'))
                p.substances.push_back(0);
            products.push_back(p);
            for (int length : d.lengths) {
                Presentation a;
                a.code = QStringLiteral("B%1").arg(++n, 3, 10, QLatin1Char('0'));
                a.name = nameOf(length, n);
                a.qty = 1;
                a.ipi = 5.0;
                presentations.push_back(a);
                add(0, int(products.size()) - 1, int(presentations.size()) - 1);
            }
        }
    }

    void writeParams()
    {
        auto b = db.prepareBulk(QStringLiteral("INSERT INTO FARPARAMETROS (ID, FARPARAESTADO, FARNUMEROEDICAO, "
                                               "FARDATAEDICAO, FARMOSTRAEAN) VALUES (?, ?, ?, ?, ?)"));
        b->run({1, opt.state, opt.edition, QDate(2026, 11, 1), QStringLiteral("S")});
        b->commit();
    }

    void writeStates()
    {
        const bool current = !opt.oldLayout;
        auto b = db.prepareBulk(current ? QStringLiteral("INSERT INTO FARESTADOS (ESTADO, DESCRICAO, ALIQUOTA, "
                                                         "ICMS_ONCOLOGICO, ALIQUOTAGENERICO) VALUES (?, ?, ?, ?, ?)")
                                        : QStringLiteral("INSERT INTO FARESTADOS (ESTADO, DESCRICAO, ALIQUOTA, "
                                                         "ICMS_ONCOLOGICO) VALUES (?, ?, ?, ?)"));
        for (const StateDef& s : kStates) {
            std::vector<Value> v{QString::fromLatin1(s.uf), QString::fromUtf8(s.name), s.rate,
                                 QString::fromLatin1(s.onco)};
            if (current)
                v.push_back(s.genericRate);
            b->run(v);
        }
        b->commit();
    }

    static QString flag(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

    void writeLaboratories()
    {
        const auto pos = sortPositions(labs);
        auto b = db.prepareBulk(QStringLiteral(
            "INSERT INTO FARLABORATORIOS (FARLABCODIGO, FARLABDESCRICAO, FARLABFLAG, FARLABMED, FARLABMAT, "
            "FARLABSOL, FLAGSELECAO, NOVA_ORDEM) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (size_t i = 0; i < labs.size(); ++i) {
            const Lab& l = labs[i];
            b->run({l.code, desc(l.name), QStringLiteral("A"), flag(l.med), flag(l.mat), flag(l.sol),
                    QStringLiteral("N"), coded ? Value(pos.at(int(i))) : Value()});
        }
        b->commit();
    }

    void writeProducts()
    {
        const auto pos = sortPositions(products);
        auto b = db.prepareBulk(QStringLiteral(
            "INSERT INTO FARMEDICAMENTOS (FARMEDCODIGO, FARMEDDESCRICAO, FARMEDFLAG, FARMEDTIPO, SELECAO, "
            "RESTRITO, NOVA_ORDEM, PARENTERAL, LIBERADO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (size_t i = 0; i < products.size(); ++i) {
            const Product& p = products[i];
            b->run({p.code, desc(p.name), QStringLiteral("A"), QString(p.family), QStringLiteral("N"),
                    flag(p.restricted), coded ? Value(pos.at(int(i))) : Value(), flag(p.parenteral),
                    flag(p.released)});
        }
        b->commit();
    }

    void writePresentations()
    {
        const auto pos = sortPositions(presentations);
        auto b = db.prepareBulk(QStringLiteral(
            "INSERT INTO FARAPRESENTACOES (FARAPRCODIGO, FARAPRDESCRICAO, FARAPRFLAG, FARAPRQTDE, FARAPRIPI, "
            "FLAGSELECAO, NOVA_ORDEM) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (size_t i = 0; i < presentations.size(); ++i) {
            const Presentation& a = presentations[i];
            b->run({a.code, desc(a.name), QStringLiteral("A"), a.qty, a.ipi, QStringLiteral("N"),
                    coded ? Value(pos.at(int(i))) : Value()});
        }
        b->commit();
    }

    void writeSubstances()
    {
        auto b = db.prepareBulk(QStringLiteral(
            "INSERT INTO FARSUBSTANCIAS (FARSUBCODIGO, FARSUBDESCRICAO, ONCOLOGICO) VALUES (?, ?, ?)"));
        for (int i = 0; i < int(std::size(kSubstanceNames)); ++i)
            b->run({i + 1, QString::fromUtf8(kSubstanceNames[i]), flag(oncologicalSubstance(i))});
        b->commit();
        auto m = db.prepareBulk(QStringLiteral(
            "INSERT INTO FARMEDICAMENTOSUBSTANCIAS (FARMEDSUBCODIGOSUB, FARMEDSUBCODIGOMED) VALUES (?, ?)"));
        for (const Product& p : products)
            for (int s : p.substances)
                m->run({s + 1, p.code});
        m->commit();
        std::set<std::pair<int, int>> labSubs;
        for (const Price& pr : prices)
            for (int s : products[size_t(pr.product)].substances)
                labSubs.insert({pr.lab, s});
        auto ls = db.prepareBulk(QStringLiteral("INSERT INTO FARLABORATORIOSUBSTANCIAS (FARLABCODIGO, FARLABSUBS, "
                                                "FARLABSUBSDESCRICAO) VALUES (?, ?, ?)"));
        for (const auto& [l, s] : labSubs)
            ls->run({labs[size_t(l)].code, s + 1, QString::fromUtf8(kSubstanceNames[s])});
        ls->commit();
    }

    void writeHierarchy()
    {
        // Three top nodes, each with children and grandchildren, and one chain
        // that runs down all eight levels.
        struct Node {
            int id, parent, level;
            QString name;
        };
        std::vector<Node> nodes;
        int next = 1;
        const char* const tops[] = {"Materiais Médicos", "Material de Enfermagem", "Órteses e Próteses"};
        for (const char* t : tops) {
            const int top = next++;
            nodes.push_back({top, 0, 1, QString::fromUtf8(t)});
            for (int c = 0; c < 3; ++c) {
                const int child = next++;
                nodes.push_back({child, top, 2, QStringLiteral("Grupo %1.%2").arg(top).arg(c + 1)});
                for (int g = 0; g < 2; ++g) {
                    const int leaf = next++;
                    nodes.push_back({leaf, child, 3, QStringLiteral("Subgrupo %1.%2.%3 d'água").arg(top).arg(c + 1).arg(g + 1)});
                    leafNodes.push_back(leaf);
                }
            }
        }
        int parent = 1;
        for (int level = 2; level <= 8; ++level) {
            const int id = next++;
            nodes.push_back({id, parent, level, QStringLiteral("Nível %1 da cadeia profunda").arg(level)});
            parent = id;
        }
        leafNodes.push_back(parent);
        auto b = db.prepareBulk(
            QStringLiteral("INSERT INTO FARHIERARQUIA (ID, SUPERIOR, DESCRICAO, NIVEL) VALUES (?, ?, ?, ?)"));
        for (const Node& n : nodes)
            b->run({double(n.id), double(n.parent), n.name, n.level});
        b->commit();

        // FARAUXILIAR: one row per path from a top node down to each node.
        std::map<int, const Node*> byId;
        for (const Node& n : nodes)
            byId[n.id] = &n;
        QString sql = QStringLiteral("INSERT INTO FARAUXILIAR (");
        for (int i = 1; i <= 8; ++i)
            sql += QStringLiteral("DESCRICAO%1, ID%1, ").arg(i);
        sql += QStringLiteral("TEM_MED) VALUES (") + QStringLiteral("?, ").repeated(16) + QStringLiteral("?)");
        auto a = db.prepareBulk(sql);
        for (const Node& n : nodes) {
            std::vector<const Node*> path;
            for (const Node* p = &n; p; p = p->parent > 0 ? byId[p->parent] : nullptr)
                path.insert(path.begin(), p);
            std::vector<Value> v;
            for (int i = 0; i < 8; ++i) {
                if (i < int(path.size())) {
                    v.push_back(path[size_t(i)]->name.left(50));
                    v.push_back(double(path[size_t(i)]->id));
                } else {
                    v.push_back(Value());
                    v.push_back(Value());
                }
            }
            const bool leaf = std::find(leafNodes.begin(), leafNodes.end(), n.id) != leafNodes.end();
            v.push_back(flag(leaf));
            a->run(v);
        }
        a->commit();
        for (size_t i = 0; i < products.size(); ++i)
            if (products[i].family == QLatin1Char('I'))
                products[i].hierarchy = (i % 7 == 6) ? 0 : leafNodes[i % leafNodes.size()];
    }

    std::vector<Value> priceValues(const Price& pr, int order, bool substanceTable, int substance)
    {
        const Lab& l = labs[size_t(pr.lab)];
        const Product& p = products[size_t(pr.product)];
        const Presentation& a = presentations[size_t(pr.presentation)];
        // The figures of one price row depend on the row alone, so that its
        // substance rows repeat them.
        const std::mt19937 saved = rng;
        rng.seed(opt.seed * 7919u + std::uint32_t(pr.lab) * 1000003u + std::uint32_t(pr.product) * 1009u
                 + std::uint32_t(pr.presentation));
        struct Restore {
            std::mt19937& r;
            std::mt19937 s;
            ~Restore() { r = s; }
        } restore{rng, saved};
        const double base = std::round(uniform(2.0, 900.0) * 100.0) / 100.0;
        auto money = [](double v) { return std::round(v * 100.0) / 100.0; };
        const double pfab = money(base * 0.72);
        const bool generic = p.family == QLatin1Char('M') && (pr.product == 2 || chance(0.2));
        // Rate columns: PMC 18, 17, 20; PFAB 18, 17, 20.
        std::vector<Value> v{l.code, p.code, substanceTable ? a.code : a.code};
        if (substanceTable)
            v.push_back(substance + 1);
        v.push_back(QStringLiteral("MED"));
        v.push_back(opt.edition - (pr.product % 5 == 0 ? 0 : pick(40)));
        v.push_back(p.family == QLatin1Char('I') && pr.presentation % 9 == 0 ? QString()
                                                                             : flag(chance(0.3)));
        v.push_back(generic ? (pr.presentation % 4 == 0 ? QStringLiteral("s") : QStringLiteral("S"))
                            : QStringLiteral("N"));
        v.push_back(QStringLiteral("N"));
        v.push_back(base);
        v.push_back(money(base * 0.985));
        v.push_back(money(base * 1.03));
        v.push_back(pfab);
        v.push_back(money(pfab * 0.985));
        v.push_back(money(pfab * 1.03));
        v.push_back(a.ipi);
        v.push_back(p.hierarchy);
        v.push_back(QStringLiteral("789%1").arg(pick(1000000000) + 1000000000LL * 0, 10, 10, QLatin1Char('0')));
        v.push_back(QStringLiteral("CG%1").arg(pr.presentation));
        v.push_back(QString(p.family));
        v.push_back(desc(p.name));
        v.push_back(desc(a.name));
        v.push_back(desc(l.name));
        v.push_back(money(base * 0.91)); // FARPREZF
        for (int i = 0; i < 5; ++i)
            v.push_back(0.0);
        v.push_back(money(base * 0.88)); // FARPREEX6
        v.push_back(money(pfab * 0.91)); // FARPPRE_ZFFAB
        v.push_back(order);
        if (!opt.oldLayout) {
            // 0 % price: missing (0) for some oncological rows, as editions do.
            const bool noZero = pr.product == 1 && pr.lab == 3;
            v.push_back(noZero ? 0.0 : money(base * 0.82));
            v.push_back(money(base * 0.93));
            v.push_back(noZero ? 0.0 : money(pfab * 0.82));
            v.push_back(money(pfab * 0.93));
        }
        if (!substanceTable) {
            v.push_back(QStringLiteral("%1").arg(90000000 + pr.presentation * 7 + pr.lab, 10, 10, QLatin1Char('0')));
            v.push_back(chance(0.9) ? QStringLiteral("%1").arg(10000000 + pr.product * 13 + pr.presentation)
                                    : QString());
            v.push_back(money(base * 0.992));          // PMC17_5
            v.push_back(money(pfab * 0.992));          // PFAB17_5
            v.push_back(money(base * 0.905));          // PMCZF17
            v.push_back(money(base * 0.907));          // PMCZF17_5
            v.push_back(money(base * 0.91));           // PMCZF18
            v.push_back(money(pfab * 0.905));
            v.push_back(money(pfab * 0.907));
            v.push_back(money(pfab * 0.91));
        }
        return v;
    }

    QString priceInsert(bool substanceTable)
    {
        QStringList cols{QStringLiteral("FARPRELABOR"), QStringLiteral("FARPREMEDIC"), QStringLiteral("FARPREAPRE")};
        if (substanceTable)
            cols << QStringLiteral("FARMEDSUBCODIGOSUB");
        cols << QStringLiteral("FARPRETIPO") << QStringLiteral("FARPREEDICAO") << QStringLiteral("FARPREPORTARIA")
             << QStringLiteral("FARPREGENERICO") << QStringLiteral("FARPREEXCECAO");
        for (int i = 1; i <= 6; ++i)
            cols << QStringLiteral("FARPREALIQ%1").arg(i);
        cols << QStringLiteral("FARPREIPI") << QStringLiteral("FARPREHIERARQUIA") << QStringLiteral("FARPREEAN")
             << QStringLiteral("FARPRECGREM") << QStringLiteral("FARPREMEDSOLU") << QStringLiteral("FARMEDDESCRICAO")
             << QStringLiteral("FARAPRDESCRICAO") << QStringLiteral("FARLABDESCRICAO") << QStringLiteral("FARPREZF");
        for (int i = 1; i <= 6; ++i)
            cols << QStringLiteral("FARPREEX%1").arg(i);
        cols << QStringLiteral("FARPPRE_ZFFAB") << QStringLiteral("NOVA_ORDEM");
        if (!opt.oldLayout) {
            const QString p = substanceTable ? QStringLiteral("FARPRE_") : QStringLiteral("FARPPRE_");
            cols << p + QStringLiteral("ZERO") << p + QStringLiteral("DOZE") << p + QStringLiteral("ZEROFAB")
                 << p + QStringLiteral("DOZEFAB");
        }
        if (!substanceTable)
            cols << QStringLiteral("FARPRESTISS") << QStringLiteral("TUSS") << QStringLiteral("PMC17_5")
                 << QStringLiteral("PFAB17_5") << QStringLiteral("PMCZF17") << QStringLiteral("PMCZF17_5")
                 << QStringLiteral("PMCZF18") << QStringLiteral("PFABZF17") << QStringLiteral("PFABZF17_5")
                 << QStringLiteral("PFABZF18");
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(substanceTable ? QStringLiteral("FARPRECOSSUBSTANCIAS") : QStringLiteral("FARPRECOS"),
                 cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }

    void writePrices()
    {
        // Sort position of price rows: product, laboratory, presentation by name.
        std::vector<int> idx(prices.size());
        for (size_t i = 0; i < idx.size(); ++i)
            idx[i] = int(i);
        std::stable_sort(idx.begin(), idx.end(), [&](int x, int y) {
            const Price& a = prices[size_t(x)];
            const Price& b = prices[size_t(y)];
            return std::tie(products[size_t(a.product)].name, labs[size_t(a.lab)].name,
                            presentations[size_t(a.presentation)].name)
                 < std::tie(products[size_t(b.product)].name, labs[size_t(b.lab)].name,
                            presentations[size_t(b.presentation)].name);
        });
        std::vector<int> order(prices.size());
        for (size_t i = 0; i < idx.size(); ++i)
            order[size_t(idx[i])] = int(i) + 1;

        auto b = db.prepareBulk(priceInsert(false));
        auto s = db.prepareBulk(priceInsert(true));
        for (size_t i = 0; i < prices.size(); ++i) {
            const Price& pr = prices[i];
            b->run(priceValues(pr, coded ? order[i] : 0, false, 0));
        }
        // Substance price rows: one per substance of each medicine row (the
        // big product's rows are left out to keep the table small).
        for (size_t i = 0; i < prices.size(); ++i) {
            const Price& pr = prices[i];
            if (pr.product == 5 && opt.bigProductPresentations > 0)
                continue;
            for (int sub : products[size_t(pr.product)].substances)
                s->run(priceValues(pr, coded ? order[i] : 0, true, sub));
        }
        b->commit();
        s->commit();
    }

    void writeChanges()
    {
        for (const char* table : {"FAREXCLUIDOS", "FARNOVOS"}) {
            const QString p = QLatin1String(table) == QLatin1String("FAREXCLUIDOS") ? QStringLiteral("FARANTE")
                                                                                      : QStringLiteral("FARNOVO");
            auto b = db.prepareBulk(QStringLiteral("INSERT INTO %1 (%2CLAB, %2LABO, %2CMED, %2MEDI, %2CAPR, %2EAN, "
                                                   "%2TISS, TUSS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                                        .arg(QLatin1String(table), p));
            for (int i = 0; i < 6; ++i) {
                const Price& pr = prices[size_t((i * 7 + (p == QLatin1String("FARNOVO") ? 3 : 0)) % int(prices.size()))];
                b->run({labs[size_t(pr.lab)].code, labs[size_t(pr.lab)].name.left(40),
                        products[size_t(pr.product)].code, products[size_t(pr.product)].name.left(40),
                        presentations[size_t(pr.presentation)].code, QStringLiteral("7890000%1").arg(i, 6, 10, QLatin1Char('0')),
                        QStringLiteral("%1").arg(80000000 + i), i % 2 ? QString() : QStringLiteral("%1").arg(20000 + i)});
            }
            b->commit();
        }
    }
};

} // namespace

void generateEdition(const QString& path, const GeneratorOptions& options)
{
    Generator g(options);
    g.run(path);
}

} // namespace farq::gen
