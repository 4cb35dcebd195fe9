#pragma once
// Generated editions for tests: each call gives a fresh copy of an edition
// generated once per set of options in this test program.
#include "edition_generator.h"

#include <QString>

namespace farq::test {

// A new copy of the edition, alone in its own folder, named FARQDB.GDB.
QString editionCopy(const gen::GeneratorOptions& options = {});

// The options of the common small editions.
gen::GeneratorOptions clearEdition(int rows = 300);
gen::GeneratorOptions codedEdition(int rows = 300);
gen::GeneratorOptions oldLayoutEdition(int edition = 811);

} // namespace farq::test
