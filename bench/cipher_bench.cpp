// Decoding speed of coded descriptions.
#include "shell/cipher.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<QByteArray> codedNames(int count, int length)
{
    std::mt19937 rng(7);
    std::vector<QByteArray> out;
    for (int i = 0; i < count; ++i) {
        QByteArray plain(length, ' ');
        for (char& c : plain)
            c = static_cast<char>(32 + rng() % 200);
        out.push_back(farq::encodeDescription(plain, int(rng() % 256)));
    }
    return out;
}

void BM_DecodeDescription(benchmark::State& state)
{
    const auto names = codedNames(1000, int(state.range(0)));
    qint64 bytes = 0;
    QByteArray out;
    for (auto _ : state) {
        for (const QByteArray& n : names) {
            farq::decodeDescription(n.constData(), n.size(), out);
            benchmark::DoNotOptimize(out.data());
            bytes += n.size();
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DecodeDescription)->Arg(40)->Arg(300);

void BM_CryptDecodeQString(benchmark::State& state)
{
    const auto names = codedNames(1000, int(state.range(0)));
    std::vector<QString> texts;
    for (const QByteArray& n : names)
        texts.push_back(QString::fromLatin1(n));
    farq::Crypt crypt(true);
    qint64 bytes = 0;
    for (auto _ : state) {
        for (const QString& t : texts) {
            QString plain = crypt.decode(t);
            benchmark::DoNotOptimize(plain.data());
            bytes += t.size();
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_CryptDecodeQString)->Arg(40)->Arg(300);

} // namespace

BENCHMARK_MAIN();
