// Throughput of the core's text operations on realistic text of 1 KiB, 1 MiB and 16 MiB: the
// time should grow with the input, no faster (bench/run.sh prints the ratios).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "browser/article_address.h"
#include "linkcode/link_code.h"
#include "linkcode/text_replace.h"

namespace {

using quillomat::ArticleEditPrefixes;

// `chunk` again and again, cut to exactly `size` bytes.
std::string Repeated(std::string_view chunk, std::size_t size)
{
    std::string text;
    text.reserve(size + chunk.size());
    while (text.size() < size)
        text += chunk;
    text.resize(size);
    return text;
}

// The generated template followed by a line of the article: a placeholder every ~100 bytes.
std::string LinkTemplateText(std::size_t size)
{
    const std::string linkTemplate = quillomat::BuildLinkTemplate(
        quillomat::SkinColor("1"), quillomat::GradientTag(8388736, 16777088),
        quillomat::GradientTag(16777088, 8388736), "[g]Ajouter un commentaire[/g]", "/",
        "[g]Lire les commentaires[/g]");
    return Repeated(linkTemplate + "\nLa suite de l'article, en attendant vos commentaires.\n",
                    size);
}

// An article-edit address whose number text runs on for `size` bytes, with a further prefix,
// each of the four in turn, every ~450 bytes.
std::string LongArticleAddress(std::size_t size)
{
    constexpr std::string_view numberPiece = "3141592&page=2&tri=date#commentaires-";
    std::string address = ArticleEditPrefixes[0];
    for (std::size_t next = 1; address.size() < size; ++next) {
        for (int i = 0; i < 12; ++i)
            address += numberPiece;
        address += ArticleEditPrefixes[next % ArticleEditPrefixes.size()];
    }
    address.resize(size);
    return address;
}

// Captions and text as the bold check box leaves them: a "[g]" every ~30 bytes.
std::string BoldCaptionsText(std::size_t size)
{
    return Repeated("[g]Ajouter un commentaire[/g] [g]/[/g] [g]Lire les commentaires[/g] du jour ",
                    size);
}

void CountBytes(benchmark::State& state, std::size_t inputSize)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(inputSize));
}

void BenchFillLinkTemplate(benchmark::State& state)
{
    const std::string linkTemplate = LinkTemplateText(static_cast<std::size_t>(state.range(0)));
    const std::string addAddress = quillomat::AddCommentAddress("12345678", "3141592", "1");
    const std::string readAddress =
        quillomat::ReadCommentsAddress("monblog.skyblog.com", "3141592", "1");
    for (auto _ : state) {
        const std::string filled =
            quillomat::FillLinkTemplate(linkTemplate, addAddress, readAddress);
        benchmark::DoNotOptimize(filled.data());
    }
    CountBytes(state, linkTemplate.size());
}

void BenchArticleNumberFromAddress(benchmark::State& state)
{
    const std::string address = LongArticleAddress(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const quillomat::ArticleMatch match = quillomat::ArticleNumberFromAddress(address);
        benchmark::DoNotOptimize(match.number.data());
    }
    CountBytes(state, address.size());
}

void BenchRemoveBoldTag(benchmark::State& state)
{
    const std::string text = BoldCaptionsText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const std::string removed = quillomat::RemoveAll(text, "[g]");
        benchmark::DoNotOptimize(removed.data());
    }
    CountBytes(state, text.size());
}

void InputSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BenchFillLinkTemplate)->Apply(InputSizes);
BENCHMARK(BenchArticleNumberFromAddress)->Apply(InputSizes);
BENCHMARK(BenchRemoveBoldTag)->Apply(InputSizes);
