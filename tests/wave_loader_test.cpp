// The WAV loader on files built byte by byte, against the stand-in's mmio and DirectSound.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sound/sound_slots.h"
#include "tests/sound_folder.h"

namespace {

using bench::Le16;
using bench::Le32;
using bench::PcmFormat;
using bench::RiffChunk;
using bench::RiffForm;

std::string Data(size_t size) {
  std::string data(size, '\0');
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 7 + 3);
  return data;
}

class WaveLoader : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK); }
  void TearDown() override { sound::ReleaseSlot(slot); }

  int Load(const std::string& bytes) {
    SoundFolder::Write("test.wav", bytes);
    first_call_ = standin::Calls().size();
    return sound::LoadWaveIntoSlot(slot, sound);
  }
  // The platform calls of the last load.
  std::vector<std::string> LoadCalls() const {
    return std::vector<std::string>(standin::Calls().begin() + first_call_, standin::Calls().end());
  }
  // How often the last load asked DirectSound for a buffer.
  long BufferRequests() const {
    const std::vector<std::string> calls = LoadCalls();
    return std::count_if(calls.begin(), calls.end(),
                         [](const std::string& c) { return c.rfind("CreateSoundBuffer", 0) == 0; });
  }
  // The slot's buffer bytes, read back through Lock.
  std::string BufferBytes() {
    LPVOID region = nullptr;
    DWORD size = 0;
    if (slot.buffer->Lock(0, 0, &region, &size, nullptr, nullptr, DSBLOCK_ENTIREBUFFER)) return "";
    std::string bytes(static_cast<char*>(region), size);
    slot.buffer->Unlock(region, size, nullptr, 0);
    return bytes;
  }

  SoundFolder folder;
  IDirectSound* sound = nullptr;
  size_t first_call_ = 0;
  sound::SoundSlot slot{"Sound test", -1, 0, 0, nullptr, "Sound\\KV3_R40\\test.wav"};
};

TEST_F(WaveLoader, AcceptsPcmLayoutsAndCopiesTheDataExactly) {
  const std::string fmt8 = RiffChunk("fmt ", PcmFormat(1, 11025, 8));
  const std::string fmt16 = RiffChunk("fmt ", PcmFormat(1, 22050, 16));
  const std::string data = Data(20001 * 4);  // spans several 8192-byte reads
  const std::string odd = Data(20001);
  // A "data" body may reach the file's last byte (the 16-byte "fmt " is the other limit);
  // an odd body there needs no pad byte after it.
  const struct {
    const char* name;
    std::string bytes;
    const std::string& body;
  } files[] = {
      {"8-bit mono", RiffForm("WAVE", fmt8 + RiffChunk("data", data)), data},
      {"16-bit stereo",
       RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(2, 44100, 16)) + RiffChunk("data", data)),
       data},
      {"18-byte fmt",
       RiffForm("WAVE",
                RiffChunk("fmt ", PcmFormat(1, 22050, 16) + Le16(0)) + RiffChunk("data", data)),
       data},
      {"data first", RiffForm("WAVE", RiffChunk("data", data) + fmt16), data},
      {"LIST and odd chunks",
       RiffForm("WAVE", RiffChunk("LIST", "INFOabc") + RiffChunk("odd ", "x") + fmt16 +
                            RiffChunk("data", data)),
       data},
      {"past the RIFF's end", "RIFF" + Le32(4) + "WAVE" + fmt16 + RiffChunk("data", data), data},
      {"odd body ending the file unpadded", RiffForm("WAVE", fmt8 + "data" + Le32(20001) + odd),
       odd},
  };
  for (const auto& [name, bytes, body] : files) {
    SCOPED_TRACE(name);
    ASSERT_EQ(Load(bytes), 1);
    EXPECT_TRUE(BufferBytes() == body);
    EXPECT_EQ(standin::Calls().back(), "Unlock(" + std::to_string(body.size()) + ")");
    EXPECT_EQ(standin::OpenFiles(), 0);
  }
  EXPECT_EQ(standin::LiveBuffers(), 1);
}

TEST_F(WaveLoader, AsksForAStaticBufferWithVolumeControl) {
  ASSERT_EQ(Load(bench::PcmWave(1, 22050, 16, Data(100))), 1);
  const std::vector<std::string> calls = LoadCalls();
  EXPECT_EQ(calls.front(), "mmioOpenA(Sound\\KV3_R40\\test.wav, 0x10000)");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "CreateSoundBuffer(20, 0x82, 100)"), 1);
}

TEST_F(WaveLoader, RefusesWhatIsNotPlainPcmAndLeavesTheSlotEmpty) {
  const std::string data = RiffChunk("data", Data(64));
  auto with_format = [&](const std::string& body) {
    return RiffForm("WAVE", RiffChunk("fmt ", body) + data);
  };
  std::string mismatched = PcmFormat(2, 22050, 16);
  mismatched.replace(12, 2, Le16(3));  // block alignment that disagrees with the format
  const std::pair<const char*, std::string> files[] = {
      {"float", with_format(PcmFormat(1, 22050, 32, 3))},
      {"extensible",
       with_format(PcmFormat(2, 44100, 16, 0xFFFE) + Le16(22) + std::string(22, '\0'))},
      {"ADPCM", with_format(PcmFormat(1, 22050, 4, 2))},
      {"fmt of 15 bytes",
       with_format(PcmFormat(1, 22050, 16).substr(0, 15))},  // its pad byte would complete it
      {"no data", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 16)))},
      {"no fmt", RiffForm("WAVE", data)},
      {"truncated body",
       RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 16))) + "data" + Le32(64) + Data(40)},
      {"data one byte past the file's end",
       RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 8)) + "data" + Le32(65) + Data(64))},
      {"huge data", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 16))) + "data" +
                        Le32(0xFFFFFFF0) + Data(8)},
      {"largest buffer, short file", RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(1, 22050, 8))) +
                                         "data" + Le32(0x0FFFFFFF) + Data(8)},
      {"huge fmt", RiffForm("WAVE", "fmt " + Le32(0xFFFFFFFF) + PcmFormat(1, 22050, 16))},
      {"not WAVE", RiffForm("AVI ", RiffChunk("fmt ", PcmFormat(1, 22050, 16)) + data)},
      {"not RIFF", "RIFX" + RiffForm("WAVE", data).substr(4)},
      {"a LIST of type WAVE", "LIST" + with_format(PcmFormat(1, 22050, 16)).substr(4)},
      {"empty file", ""},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Load(bytes), 0);
    EXPECT_EQ(slot.buffer, nullptr);
    EXPECT_EQ(standin::LiveBuffers(), 0);
    EXPECT_EQ(BufferRequests(), 0);  // the module's own refusal, whatever DirectSound would take
    EXPECT_EQ(standin::OpenFiles(), 0);
  }
  // A format that only DirectSound refuses leaves the slot empty all the same.
  EXPECT_EQ(Load(with_format(mismatched)), 0);
  EXPECT_EQ(slot.buffer, nullptr);
  EXPECT_EQ(standin::LiveBuffers(), 0);
  sound::SoundSlot missing = slot;
  missing.file_path = "Sound\\KV3_R40\\missing.wav";
  EXPECT_EQ(sound::LoadWaveIntoSlot(missing, sound), 0);
}

// Chunk lists on which winmm's find-chunk search would never end, or would end only after a
// buffer of the claimed size exists: refused at once, before any search or buffer.
TEST_F(WaveLoader, RefusesChunkListsThatWouldSendTheSearchAstrayBeforeSearching) {
  const std::string fmt = RiffChunk("fmt ", PcmFormat(1, 22050, 16));
  const std::pair<const char*, std::string> files[] = {
      {"self loop", SoundFolder::Reproducer("wrap_selfloop_fmt_search.wav")},
      {"loop on the data search", SoundFolder::Reproducer("wrap_loop_data_search.wav")},
      {"padded size wraps to 0", SoundFolder::Reproducer("wrap_skip_ffffffff.wav")},
      {"a cycle through two chunks",
       RiffForm("WAVE", RiffChunk("junk", "12345678") + "junk" + Le32(0xFFFFFFE8) + fmt)},
      {"a LIST whose size wraps",
       RiffForm("WAVE", fmt + "LIST" + Le32(0xFFFFFFF8) + "INFO" + RiffChunk("data", Data(8)))},
      {"a self loop in the file's last 8 bytes", RiffForm("WAVE", fmt + "junk" + Le32(0xFFFFFFF8))},
      {"past 2 GB", RiffForm("WAVE", "junk" + Le32(0x80000000) + fmt + RiffChunk("data", Data(8)))},
      {"data claiming 256 MB", SoundFolder::Reproducer("data_size_lie_0fffffff.wav")},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Load(bytes), 0);
    EXPECT_LE(LoadCalls().size(), 16u);
    EXPECT_EQ(BufferRequests(), 0);
    EXPECT_EQ(standin::OpenFiles(), 0);
    EXPECT_EQ(standin::EndlessSearches(), 0);
  }
  EXPECT_EQ(Load(bench::PcmWave(1, 22050, 16, Data(100))), 1);
}

// The walk's reads come between the form's descent and the first search; what the loader
// asks of mmio and DirectSound around them is unchanged, in the same order.
TEST_F(WaveLoader, WalksTheChunkHeadersThenSearchesAsBefore) {
  std::string file =
      RiffForm("WAVE", RiffChunk("LIST", "INFOab") + RiffChunk("fmt ", PcmFormat(1, 22050, 16)) +
                           RiffChunk("data", Data(100)));
  ASSERT_EQ(Load(file), 1);
  const std::vector<std::string> expected = {"mmioOpenA(Sound\\KV3_R40\\test.wav, 0x10000)",
                                             "mmioDescend(0x0)",
                                             "mmioSeek(0, 2)",
                                             "mmioSeek(12, 0)",
                                             "mmioRead(8)",
                                             "mmioSeek(26, 0)",
                                             "mmioRead(8)",
                                             "mmioSeek(50, 0)",
                                             "mmioRead(8)",
                                             "mmioSeek(12, 0)",
                                             "mmioDescend(fmt , 0x10)",
                                             "mmioRead(16)",
                                             "mmioSeek(0, 0)",
                                             "mmioDescend(0x0)",
                                             "mmioDescend(data, 0x10)",
                                             "CreateSoundBuffer(20, 0x82, 100)",
                                             "Lock(0, 100, 0x2)",
                                             "mmioGetInfo()",
                                             "mmioSetInfo()",
                                             "mmioClose()",
                                             "Unlock(100)"};
  EXPECT_EQ(LoadCalls(), expected);
}

TEST_F(WaveLoader, ReloadingReleasesTheOldBufferFirstEvenWhenTheNewLoadFails) {
  ASSERT_EQ(Load(bench::PcmWave(1, 22050, 16, Data(100))), 1);
  EXPECT_EQ(Load("not a wave file"), 0);
  EXPECT_EQ(LoadCalls().front(), "Release()");
  EXPECT_EQ(standin::LiveBuffers(), 0);
}

// Every platform call of a successful load, failed in turn, must fail the load cleanly.
TEST_F(WaveLoader, EachFailingPlatformCallLeavesNothingBehind) {
  const std::string file = bench::PcmWave(2, 22050, 16, Data(9000 * 4));
  ASSERT_EQ(Load(file), 1);
  std::vector<std::pair<std::string, int>> calls;
  std::map<std::string, int> seen;
  for (const std::string& call : LoadCalls()) {
    std::string name = call.substr(0, call.find('('));
    if (name != "Release") calls.push_back({name, ++seen[name]});
  }
  ASSERT_GE(calls.size(), 14u);
  sound::ReleaseSlot(slot);
  for (const auto& [name, nth] : calls) {
    SCOPED_TRACE(name + " #" + std::to_string(nth));
    standin::ResetPlatform();
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    standin::FailCall(name, nth);
    EXPECT_EQ(Load(file), 0);
    EXPECT_EQ(slot.buffer, nullptr);
    EXPECT_EQ(standin::LiveBuffers(), 0);
    EXPECT_EQ(standin::OpenFiles(), 0);
  }
}

}  // namespace
