// check-sounds tells a panel author why a file will not play. Its verdict must be the
// module's own: on every file of the corpus the module's loader agrees with it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"
#include "tests/sound_folder.h"

namespace {

using bench::Le16;
using bench::Le32;
using bench::PcmFormat;
using bench::RiffChunk;
using bench::RiffForm;

struct Case {
  const char* name;
  std::string bytes;
  const char* verdict;
};

// Runs check-sounds on a folder whose 28 files cycle through the cases; each verdict must be
// printed, and the loader must agree with every one of them (exit 1, not 2).
void ExpectVerdicts(const std::vector<Case>& cases, const std::string& playable) {
  SoundFolder folder;
  for (size_t i = 0; i < 28; ++i)
    SoundFolder::Write(bench::SlotFileName(sound::SoundTable[i]), cases[i % cases.size()].bytes);
  testing::internal::CaptureStdout();
  int code = bench::CheckSounds("Sound/KV3_R40");
  std::string report = testing::internal::GetCapturedStdout();
  EXPECT_EQ(code, 1) << report;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(report.find(std::string(" ") + c.verdict + "\n"), std::string::npos) << report;
  }
  EXPECT_NE(report.find(playable + " of 28 files will play"), std::string::npos) << report;
  EXPECT_EQ(standin::EndlessSearches(), 0);
}

TEST(CheckSounds, VerdictsNameTheFaultAndAgreeWithTheModulesLoader) {
  const std::string data(4410, '\x10');
  const std::string fmt = RiffChunk("fmt ", PcmFormat(1, 22050, 16));
  std::string bad_align = PcmFormat(1, 22050, 16);
  bad_align.replace(12, 2, Le16(3));
  ExpectVerdicts(
      {
          {"good", bench::PcmWave(1, 22050, 16, data), "ok: PCM 16-bit mono 22050 Hz, 0.100 s"},
          {"stereo, data first", RiffForm("WAVE", RiffChunk("data", data) + RiffChunk("fmt ", PcmFormat(2, 44100, 8))),
           "ok: PCM 8-bit stereo 44100 Hz, 0.050 s"},
          {"float", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 32, 3)) + RiffChunk("data", data)),
           "format tag 3 is not PCM"},
          {"truncated", RiffForm("WAVE", fmt) + "data" + Le32(4410) + data.substr(0, 1000),
           "\"data\" declares 4410 bytes but the file holds 1000"},
          {"short fmt", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 16).substr(0, 14))),
           "\"fmt \" under 16 bytes (14)"},
          {"no fmt", RiffForm("WAVE", RiffChunk("data", data)), "no \"fmt \" chunk"},
          {"no data", RiffForm("WAVE", fmt + RiffChunk("LIST", "INFO")), "no \"data\" chunk"},
          {"not wave", RiffForm("AVI ", fmt), "not a RIFF \"WAVE\" form"},
          {"cut fmt after data", RiffForm("WAVE", RiffChunk("data", data)) + "fmt " + Le32(16) + "abc",
           "\"fmt \" is cut off by the end of the file"},
          {"cut fmt before data", RiffForm("WAVE", "") + "fmt " + Le32(16) + "abc",
           "chunk \"fmt \" at byte 12 declares 16 bytes; the file has 23"},
          {"block alignment", RiffForm("WAVE", RiffChunk("fmt ", bad_align) + RiffChunk("data", data)),
           "DirectSound refuses it: block alignment 3 is not 2 (1 x 16-bit samples)"},
          {"empty data", RiffForm("WAVE", fmt + RiffChunk("data", "")),
           "DirectSound refuses it: \"data\" holds 0 bytes; a DirectSound buffer holds 4 to 268435455"},
      },
      "6");
}

// Files whose chunk sizes would send winmm's search round in circles, or past what the file
// holds: the loader refuses each before searching, and check-sounds names the chunk.
TEST(CheckSounds, NamesTheChunkThatWouldSendTheSearchAstray) {
  const std::string fmt = RiffChunk("fmt ", PcmFormat(1, 22050, 16));
  const std::string data = RiffChunk("data", std::string(64, '\x20'));
  ExpectVerdicts(
      {
          {"self loop", SoundFolder::Reproducer("wrap_selfloop_fmt_search.wav"),
           "chunk \"junk\" at byte 12 declares 4294967288 bytes; the file has 84"},
          {"loop on the data search", SoundFolder::Reproducer("wrap_loop_data_search.wav"),
           "chunk \"junk\" at byte 36 declares 4294967264 bytes; the file has 84"},
          {"padded size wraps to 0", SoundFolder::Reproducer("wrap_skip_ffffffff.wav"),
           "chunk \"junk\" at byte 12 declares 4294967295 bytes; the file has 84"},
          {"a cycle through two chunks", RiffForm("WAVE", RiffChunk("junk", "12345678") + "junk" + Le32(0xFFFFFFE8) + fmt),
           "chunk \"junk\" at byte 28 declares 4294967272 bytes; the file has 60"},
          {"a LIST whose size wraps", RiffForm("WAVE", fmt + "LIST" + Le32(0xFFFFFFF8) + "INFO" + data),
           "chunk \"LIST\" at byte 36 declares 4294967288 bytes; the file has 120"},
          {"data claiming 256 MB", SoundFolder::Reproducer("data_size_lie_0fffffff.wav"),
           "\"data\" declares 268435455 bytes but the file holds 0"},
          {"a wrap after both chunks does not matter", RiffForm("WAVE", fmt + data + "junk" + Le32(0xFFFFFFF8)),
           "ok: PCM 16-bit mono 22050 Hz, 0.001 s"},
      },
      "4");
}

// The stand-in keeps Windows' documented rules for a PCM buffer, which Wine's DirectSound does
// not enforce; the verdict names the rule broken.
TEST(CheckSounds, NamesTheDirectSoundRuleAFormatBreaks) {
  ExpectVerdicts(
      {
          {"byte rate", SoundFolder::Reproducer("byte_rate_mismatch.wav"),
           "DirectSound refuses it: byte rate 384041 is not 48000 Hz x block 8"},
          {"rate", SoundFolder::Reproducer("rate_16405794.wav"),
           "DirectSound refuses it: rate 16405794 Hz is outside DirectSound's 100 to 200000 Hz"},
          {"12-bit", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 12)) + RiffChunk("data", "abcd")),
           "DirectSound refuses it: 12-bit samples: DirectSound plays 8, 16, 24 or 32 bits"},
          {"good", bench::PcmWave(2, 44100, 16, std::string(400, '\x01')), "ok: PCM 16-bit stereo 44100 Hz, 0.002 s"},
      },
      "7");
}

TEST(CheckSounds, AFolderOfGoodFilesPassesAndAMissingFileIsNamed) {
  SoundFolder folder;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    SoundFolder::Write(bench::SlotFileName(*s), SoundFolder::Tone(1000));
  testing::internal::CaptureStdout();
  EXPECT_EQ(bench::CheckSounds("Sound/KV3_R40"), 0);
  testing::internal::GetCapturedStdout();
  std::filesystem::remove(SoundFolder::PathOf("horn.wav"));
  testing::internal::CaptureStdout();
  EXPECT_EQ(bench::CheckSounds("Sound/KV3_R40"), 1);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("horn.wav:              missing file"),
            std::string::npos);
}

}  // namespace
