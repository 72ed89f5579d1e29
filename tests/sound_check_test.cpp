// check-sounds tells a panel author why a file will not play. Its verdict must be the
// module's own: on every file of the corpus the module's loader agrees with it.
#include <gtest/gtest.h>

#include <string>
#include <utility>

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

TEST(CheckSounds, VerdictsNameTheFaultAndAgreeWithTheModulesLoader) {
  SoundFolder folder;
  const std::string data(4410, '\x10');
  const std::string fmt = RiffChunk("fmt ", PcmFormat(1, 22050, 16));
  std::string bad_align = PcmFormat(1, 22050, 16);
  bad_align.replace(12, 2, Le16(3));
  const Case cases[] = {
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
      {"cut fmt", RiffForm("WAVE", "") + "fmt " + Le32(16) + "abc", "\"fmt \" is cut off by the end of the file"},
      {"block alignment", RiffForm("WAVE", RiffChunk("fmt ", bad_align) + RiffChunk("data", data)),
       "DirectSound would refuse the format or size (PCM 16-bit mono 22050 Hz, 0.100 s)"},
      {"empty data", RiffForm("WAVE", fmt + RiffChunk("data", "")),
       "DirectSound would refuse the format or size (PCM 16-bit mono 22050 Hz, 0.000 s)"},
  };
  for (size_t i = 0; i < 28; ++i) {
    const Case& c = cases[i % (sizeof cases / sizeof cases[0])];
    SoundFolder::Write(bench::SlotFileName(sound::SoundTable[i]), c.bytes);
  }
  testing::internal::CaptureStdout();
  int code = bench::CheckSounds("Sound/KV3_R40");
  std::string report = testing::internal::GetCapturedStdout();
  EXPECT_EQ(code, 1);  // some files will not play, and no verdict disagrees with the loader
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(report.find(std::string(" ") + c.verdict + "\n"), std::string::npos) << report;
  }
  EXPECT_NE(report.find("6 of 28 files will play"), std::string::npos) << report;
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
