// The stand-in's mmio and DirectSound behave as the Windows ones do where the module can tell.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/sound_folder.h"

namespace {

using bench::Le32;
using bench::RiffChunk;
using bench::RiffForm;

class StandinMmio : public ::testing::Test {
 protected:
  HMMIO Open(const std::string& bytes) {
    SoundFolder::Write("f.wav", bytes);
    char path[] = "Sound\\KV3_R40\\f.wav";
    return mmioOpenA(path, nullptr, MMIO_ALLOCBUF | MMIO_READ);
  }
  SoundFolder folder;
};

TEST_F(StandinMmio, OpensWithAnEmptyBufferAndReportsMissingFiles) {
  HMMIO file = Open("RIFF");
  ASSERT_NE(file, nullptr);
  MMIOINFO info;
  ASSERT_EQ(mmioGetInfo(file, &info, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(info.cchBuffer, 8192);
  EXPECT_EQ(info.pchNext, info.pchBuffer);
  EXPECT_EQ(info.pchEndRead, info.pchBuffer);
  EXPECT_EQ(info.lBufOffset, 0);
  EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
  MMIOINFO error{};
  char missing[] = "Sound\\KV3_R40\\none.wav";
  EXPECT_EQ(mmioOpenA(missing, &error, MMIO_READ), nullptr);
  EXPECT_EQ(error.wErrorRet, MMIOERR_FILENOTFOUND);
}

TEST_F(StandinMmio, DescendsIntoFormsAndFindsChunksPastPadsAndNestedForms) {
  std::string body = "WAVE" + RiffChunk("odd ", "abc") + RiffChunk("LIST", "INFOdata1234") +
                     RiffChunk("data", "xy");
  HMMIO file = Open("RIFF" + Le32(static_cast<uint32_t>(body.size())) + body);
  MMCKINFO riff{}, chunk{};
  ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
  EXPECT_EQ(riff.dwDataOffset, 8u);
  EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 12);
  chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  ASSERT_EQ(mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(chunk.dwDataOffset, 12u + 12 + 20 + 8);  // not the "data" inside the LIST
  char two[2];
  EXPECT_EQ(mmioRead(file, two, 2), 2);
  EXPECT_EQ(std::string(two, 2), "xy");
  EXPECT_EQ(mmioRead(file, two, 2), 0);
  // Nothing more to find: as in winmm, the position is where the last step aimed, here the
  // end of the file.
  chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  EXPECT_EQ(mmioSeek(file, 12, SEEK_SET), 12);
  EXPECT_EQ(mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
  EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 54);
  EXPECT_EQ(mmioSeek(file, -1, SEEK_SET), -1);
  mmioClose(file, 0);
}

// What winmm's search does with sizes that do not fit the file, as Wine 8's winmm was seen to
// do it: 32-bit steps, 12-byte header reads of which 8 suffice, and a step past 2 GiB that is a
// failed seek, after which the search reads on from where it was.
TEST_F(StandinMmio, FindsWhatWinmmFindsWhereSizesDoNotFitTheFile) {
  const std::string fmt = RiffChunk("fmt ", std::string(16, 'f'));
  struct Case {
    const char* name;
    std::string body;
    MMRESULT result;
    DWORD data_offset;
    LONG position_after;
  };
  const Case cases[] = {
      {"padded size wraps to 0: into the chunk's own body", "junk" + Le32(0xFFFFFFFF) + fmt, 0, 28, 28},
      {"past 2 GiB: the seek fails and the search reads on", "junk" + Le32(0x80000000) + "ABCD" + fmt, 0,
       0x8000001C, 36},
      {"8 of the 12 header bytes are enough", "fmt " + Le32(16) + "ab", 0, 20, 20},
      {"nothing found: left where the last step aimed", RiffChunk("junk", "abc"), MMIOERR_CHUNKNOTFOUND, 0, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HMMIO file = Open(RiffForm("WAVE", c.body));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMSYSERR_NOERROR);
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    EXPECT_EQ(mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK), c.result);
    if (c.result == 0) {
      EXPECT_EQ(chunk.dwDataOffset, c.data_offset);
    }
    EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), c.position_after);
    mmioClose(file, 0);
  }
}

// Where winmm would search forever, the stand-in stops, says so and counts it.
TEST_F(StandinMmio, ReportsASearchThatWinmmWouldNeverEnd) {
  for (const char* name : {"wrap_selfloop_fmt_search.wav", "wrap_loop_data_search.wav"}) {
    HMMIO file = Open(SoundFolder::Reproducer(name));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMSYSERR_NOERROR);
    chunk.ckid = mmioFOURCC('x', 'x', 'x', 'x');
    EXPECT_EQ(mmioDescend(file, &chunk, nullptr, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    mmioClose(file, 0);
  }
  EXPECT_EQ(standin::EndlessSearches(), 2);
}

TEST_F(StandinMmio, RefusesWhatWouldReadOutsideItsBounds) {
  // A form inside a parent whose end cuts its type off: the type is not read past the end.
  HMMIO file = Open(RiffForm("WAVE", RiffChunk("LIST", "INFO") + "LISTxyzwABCD"));
  MMCKINFO riff{}, outer{}, inner{};
  mmioDescend(file, &riff, nullptr, 0);
  ASSERT_EQ(mmioDescend(file, &outer, nullptr, 0), MMSYSERR_NOERROR);
  outer.cksize = 12;  // the parent ends in the middle of the second LIST's header
  mmioSeek(file, 24, SEEK_SET);
  EXPECT_EQ(mmioDescend(file, &inner, &outer, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(inner.fccType, 0u);
  mmioClose(file, 0);
  // A negative buffer size is refused, not thrown out of a Windows function.
  MMIOINFO info{};
  info.cchBuffer = -5;
  char path[] = "Sound\\KV3_R40\\f.wav";
  EXPECT_EQ(mmioOpenA(path, &info, MMIO_ALLOCBUF | MMIO_READ), nullptr);
  EXPECT_EQ(info.wErrorRet, MMSYSERR_INVALPARAM);
}

TEST_F(StandinMmio, DirectBufferAccessRefillsUntilTheEndAndChecksPointers) {
  HMMIO file = Open(std::string(10000, 'a'));
  MMIOINFO info;
  mmioGetInfo(file, &info, 0);
  ASSERT_EQ(mmioAdvance(file, &info, MMIO_READ), MMSYSERR_NOERROR);
  EXPECT_EQ(info.pchEndRead - info.pchNext, 8192);
  ASSERT_EQ(mmioAdvance(file, &info, MMIO_READ), MMSYSERR_NOERROR);
  EXPECT_EQ(info.lBufOffset, 8192);
  EXPECT_EQ(info.pchEndRead - info.pchNext, 10000 - 8192);
  ASSERT_EQ(mmioAdvance(file, &info, MMIO_READ), MMSYSERR_NOERROR);  // end of file: empty
  EXPECT_EQ(info.pchEndRead, info.pchNext);
  for (int past : {1, 9000}) {  // beyond the bytes read, or beyond the buffer
    MMIOINFO foreign = info;
    foreign.pchNext = foreign.pchEndRead = info.pchEndRead + past;
    EXPECT_EQ(mmioSetInfo(file, &foreign, 0), MMSYSERR_INVALPARAM);
  }
  EXPECT_EQ(mmioSetInfo(file, &info, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(standin::OpenFiles(), 0);
}

class StandinSound : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
  }
  HRESULT Create(DWORD size, DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME, DWORD record = 20) {
    DSBUFFERDESC description{record, flags, size, 0, &format, {}};
    return sound->CreateSoundBuffer(&description, &buffer, nullptr);
  }
  DWORD Position() {
    DWORD play = 0;
    buffer->GetCurrentPosition(&play, nullptr);
    return play;
  }
  DWORD Status() {
    DWORD status = 0;
    buffer->GetStatus(&status);
    return status;
  }

  SoundFolder folder;  // a clean platform
  IDirectSound* sound = nullptr;
  IDirectSoundBuffer* buffer = nullptr;
  WAVEFORMATEX format;
};

TEST_F(StandinSound, BuffersValidateTheirDescriptionAndFormat) {
  EXPECT_EQ(Create(3), DSERR_INVALIDPARAM);
  EXPECT_EQ(Create(0x10000000), DSERR_INVALIDPARAM);
  EXPECT_EQ(Create(100, 0x82, 24), DSERR_INVALIDPARAM);
  format.nBlockAlign = 4;
  EXPECT_EQ(Create(100), DSERR_INVALIDPARAM);
  format = {3, 1, 22050, 88200, 4, 32, 0};
  EXPECT_EQ(Create(100), DSERR_BADFORMAT);
  format = {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
  EXPECT_EQ(Create(100, 0x82, 36), DS_OK);
  EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(-10000), DS_OK);
  buffer->Release();
  EXPECT_EQ(Create(98, DSBCAPS_STATIC), DS_OK);
  EXPECT_EQ(buffer->SetVolume(5), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(standin::LiveBuffers(), 1);
  sound->Release();  // the device takes its buffers with it
  EXPECT_EQ(standin::LiveBuffers(), 0);
  EXPECT_EQ(standin::LargestSoundBuffer(), 100u);
  standin::ResetPlatform();
  EXPECT_EQ(standin::LargestSoundBuffer(), 0u);
}

TEST_F(StandinSound, OneShotsStopAndRewindLoopsWrapAndStopKeepsThePosition) {
  ASSERT_EQ(Create(2000), DS_OK);  // 1000 frames at 22050 Hz: 2000 output frames
  buffer->Play(0, 0, 0);
  standin::AdvanceAudio(1000);
  EXPECT_EQ(Position(), 1000u);
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING);
  standin::AdvanceAudio(1000);
  EXPECT_EQ(Status(), 0u);
  EXPECT_EQ(Position(), 0u);
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  standin::AdvanceAudio(2500);
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  EXPECT_EQ(Position(), 500u);
  buffer->Play(0, 0, 0);  // the newest flags win
  EXPECT_EQ(Status(), DSBSTATUS_PLAYING);
  buffer->Stop();
  standin::AdvanceAudio(1000);
  EXPECT_EQ(Position(), 500u);
  EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
}

TEST_F(StandinSound, InjectedFailuresHitTheChosenCalls) {
  ASSERT_EQ(Create(100), DS_OK);
  standin::FailCall("Play", 2);
  standin::FailCall("Stop", 1, standin::Repeat::kFromThenOn);
  EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NE(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_NE(buffer->Stop(), DS_OK);
  EXPECT_NE(buffer->Stop(), DS_OK);
  EXPECT_EQ(standin::CallCount("Play"), 3);
}

}  // namespace
