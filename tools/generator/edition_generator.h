#pragma once
// Builds synthetic edition databases for the tests, the benchmarks and the
// demo: every table and column of an edition, plausible Portuguese data.
#include <QString>

#include <cstdint>

namespace farq::gen {

struct GeneratorOptions {
    int edition = 811;           // 811 or below: clear names; 812 and above: coded names, NOVA_ORDEM set
    bool oldLayout = false;      // without the columns the schema upgrade adds
    std::uint32_t seed = 1;      // same seed, same file contents
    int priceRows = 400;         // approximate number of FARPRECOS rows
    QString state = QStringLiteral("SP"); // FARPARAESTADO of the parameters row
    // One product sold in this many presentations (0: none such), for long pages.
    int bigProductPresentations = 0;
    // One medicine, one material and one solution whose presentation names
    // sit on the page layout's boundaries (products kBoundary*), for pages.
    bool layoutBoundaryRows = false;
};

// Well-known rows every generated edition holds, so tests can address them.
namespace known {
inline constexpr const char* kLabAccent = "001";      // "Laboratório D'Ávila Ltda."
inline constexpr const char* kProductMulti = "00001"; // medicine sold by several laboratories
inline constexpr const char* kProductOnco = "00002";  // oncological medicine (a substance with ONCOLOGICO 'S')
inline constexpr const char* kProductGeneric = "00003"; // generic medicine
inline constexpr const char* kMaterial = "00004";     // hospital material with a hierarchy node
inline constexpr const char* kSolution = "00005";     // parenteral solution
inline constexpr const char* kBigProduct = "00006";   // the product of bigProductPresentations
// With layoutBoundaryRows, sold by laboratory 001 only:
inline constexpr const char* kBoundaryMedicine = "A0001"; // presentations of 77, 78 and 155 characters
inline constexpr const char* kBoundaryMaterial = "A0002"; // the same lengths
inline constexpr const char* kBoundarySolution = "A0003"; // 75, 76, 99, 100 and 176 characters
} // namespace known

// Creates (overwrites) the file at path. Throws farq::DatabaseError.
void generateEdition(const QString& path, const GeneratorOptions& options);

} // namespace farq::gen
