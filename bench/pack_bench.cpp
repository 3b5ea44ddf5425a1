// A question pack of 400 real questions (the second edition, read as if it
// were a player's own): read and checked whole, its texts measured in the
// game's font, as the options screen does when the player steps onto it and
// as --check-pack does. Its reading alone, for comparison.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/media.h"
#include "core/pack_library.h"
#include "core/question_pack.h"

namespace tvz {
namespace {

const std::string kEdition = std::string(TRIVENZA_GAME_DIR) + "/second.tvq";

void BM_ReadAndCheckPack400(benchmark::State& state) {
  for (auto _ : state) {
    const PackEntry pack = ReadPackFile(kEdition, false);
    if (!pack.playable() || pack.questionCount() != 400) state.SkipWithError("the edition did not read whole");
    benchmark::DoNotOptimize(pack.bank.records.data());
  }
}
BENCHMARK(BM_ReadAndCheckPack400)->Unit(benchmark::kMillisecond);

void BM_ParsePack400(benchmark::State& state) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(kEdition, bytes)) state.SkipWithError("no edition file");
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  for (auto _ : state) {
    const QuestionPack pack = ParseQuestionPack(text);
    benchmark::DoNotOptimize(pack.questions.data());
  }
}
BENCHMARK(BM_ParsePack400)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tvz
