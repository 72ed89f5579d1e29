// Stand-in declarations of DirectSound as the module uses it: the device and buffer
// interfaces with their operations in the SDK's order (COM, __stdcall, the object first),
// the buffer description, flags and result codes.
#pragma once

#include "platform/standin/mmsystem.h"
#include "platform/standin/windows_types.h"

struct IDirectSound;
struct IDirectSoundBuffer;
using LPDIRECTSOUND = IDirectSound*;
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;
using LPLONG = LONG*;
struct DSCAPS;
struct DSBCAPS;

#pragma pack(push, 4)
struct DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  LPWAVEFORMATEX lpwfxFormat;
  GUID guid3DAlgorithm;  // only in the 36-byte form of the record
};
#pragma pack(pop)
using LPCDSBUFFERDESC = const DSBUFFERDESC*;
static_assert(sizeof(DSBUFFERDESC) == 36, "DSBUFFERDESC is 36 bytes");

struct IDirectSound : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                      LPDIRECTSOUNDBUFFER* buffer,
                                                      LPUNKNOWN outer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCaps(DSCAPS* caps) = 0;
  virtual HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                         LPDIRECTSOUNDBUFFER* duplicate) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) = 0;
  virtual HRESULT STDMETHODCALLTYPE Compact() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) = 0;
  virtual HRESULT STDMETHODCALLTYPE Initialize(LPCGUID device) = 0;
};

struct IDirectSoundBuffer : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetCaps(DSBCAPS* caps) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD play, LPDWORD write) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD size,
                                              LPDWORD written) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) = 0;
  virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND device,
                                               LPCDSBUFFERDESC description) = 0;
  virtual HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* region1,
                                         LPDWORD bytes1, LPVOID* region2, LPDWORD bytes2,
                                         DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPan(LONG pan) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) = 0;
  virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
  virtual HRESULT STDMETHODCALLTYPE Unlock(LPVOID region1, DWORD bytes1, LPVOID region2,
                                           DWORD bytes2) = 0;
  virtual HRESULT STDMETHODCALLTYPE Restore() = 0;
};

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001E);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110);

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr DWORD DSBCAPS_STATIC = 0x2;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;
constexpr DWORD DSBPLAY_LOOPING = 1;
constexpr DWORD DSBSTATUS_PLAYING = 1;
constexpr DWORD DSBSTATUS_LOOPING = 4;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 2;
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;

extern "C" HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* sound, LPUNKNOWN outer);
