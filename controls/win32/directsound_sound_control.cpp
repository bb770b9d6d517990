#include "controls/win32/directsound_sound_control.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "controls/win32/wave_file.h"
// After windows.h:
#include <mmsystem.h>

#include <dsound.h>  // after mmsystem.h, whose types it uses
#undef PlaySound     // the multimedia header brings the macro back

namespace skyvault::win32 {
namespace {

using CreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND8*, LPUNKNOWN);

// Thread timers carry no pointer: which control each one belongs to.
std::map<UINT_PTR, DirectSoundSoundControl*>& Tickers() {
  static std::map<UINT_PTR, DirectSoundSoundControl*> tickers;
  return tickers;
}

}  // namespace

DirectSoundSoundControl::DirectSoundSoundControl(HWND window, Device device) {
  if (device == Device::None) return;
  library_ = LoadLibraryW(L"dsound.dll");
  if (!library_) return;
  auto create = reinterpret_cast<CreateFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_, "DirectSoundCreate8")));
  if (!create || FAILED(create(nullptr, &device_, nullptr)) || !device_) {
    device_ = nullptr;
    return;
  }
  HWND owner = window ? window : GetDesktopWindow();
  if (FAILED(device_->SetCooperativeLevel(owner, DSSCL_PRIORITY)) &&
      FAILED(device_->SetCooperativeLevel(owner, DSSCL_NORMAL))) {
    device_->Release();
    device_ = nullptr;
  }
}

DirectSoundSoundControl::~DirectSoundSoundControl() {
  StopTicking();
  StopAllSound();
  sounds_.clear();
  if (device_) device_->Release();
  if (library_) FreeLibrary(library_);
}

int32_t DirectSoundSoundControl::LoadSound(const std::string& path) {
  if (!device_) return 0;
  const auto wave = ReadWaveFile(path);
  if (!wave || wave->data.size() < DSBSIZE_MIN || wave->data.size() > DSBSIZE_MAX) return 0;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = wave->channels;
  format.nSamplesPerSec = wave->samplesPerSecond;
  format.wBitsPerSample = wave->bitsPerSample;
  format.nBlockAlign = wave->BlockAlign();
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  DSBUFFERDESC description{};
  description.dwSize = sizeof description;
  description.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
  description.dwBufferBytes = static_cast<DWORD>(wave->data.size());
  description.lpwfxFormat = &format;
  Sound sound;
  if (FAILED(device_->CreateSoundBuffer(&description, sound.buffer.Put(), nullptr))) return 0;
  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD size1 = 0, size2 = 0;
  if (FAILED(sound.buffer->Lock(0, description.dwBufferBytes, &part1, &size1, &part2, &size2, 0))) {
    return 0;
  }
  std::memcpy(part1, wave->data.data(), size1);
  if (part2) std::memcpy(part2, wave->data.data() + size1, size2);
  sound.buffer->Unlock(part1, size1, part2, size2);
  sound.blockAlign = format.nBlockAlign;
  sound.bytes = description.dwBufferBytes;
  sound.buffer->SetVolume(DSBVOLUME_MAX);
  const int32_t handle = nextHandle_++;
  sounds_.emplace(handle, std::move(sound));
  return handle;
}

DirectSoundSoundControl::Sound* DirectSoundSoundControl::Find(int32_t handle) {
  auto it = sounds_.find(handle);
  return it == sounds_.end() ? nullptr : &it->second;
}

void DirectSoundSoundControl::SetSoundVolume(int32_t handle, int32_t volume) {
  Sound* sound = Find(handle);
  if (!sound) return;
  const int32_t clamped = std::clamp<int32_t>(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  if (clamped == sound->volume) return;  // the same volume every frame: leave the mixer be
  sound->volume = clamped;
  sound->hold.VolumeChanged(clamped);
  Apply(*sound);
}

void DirectSoundSoundControl::PlaySound(int32_t handle, int32_t loop, int32_t position) {
  Sound* sound = Find(handle);
  if (!sound) return;
  const bool playing = IsPlaying(handle);
  if (loop < 0) {
    sound->hold.Request(GetTickCount64(), sound->volume, playing);
    Apply(*sound);
    StartTicking();
  }
  if (playing) return;
  if (position >= 0) {
    const uint64_t offset = static_cast<uint64_t>(position) * sound->blockAlign;
    sound->buffer->SetCurrentPosition(static_cast<DWORD>(offset < sound->bytes ? offset : 0));
  }
  sound->buffer->Play(0, 0, loop == 0 ? 0 : DSBPLAY_LOOPING);
}

void DirectSoundSoundControl::SilenceSound(int32_t handle) {
  if (Sound* sound = Find(handle)) {
    sound->buffer->Stop();
    sound->hold.Release(sound->volume);
    Apply(*sound);
  }
}

void DirectSoundSoundControl::StopSound(int32_t handle) {
  if (Sound* sound = Find(handle)) {
    SilenceSound(handle);
    sound->buffer->SetCurrentPosition(0);
  }
}

void DirectSoundSoundControl::Apply(Sound& sound) {
  if (sound.hold.level() == sound.applied) return;
  sound.applied = sound.hold.level();
  sound.buffer->SetVolume(sound.applied);
}

void DirectSoundSoundControl::StartTicking() {
  if (timer_) return;
  timer_ = SetTimer(nullptr, 0, HeldSound::kTickMs, &DirectSoundSoundControl::OnTick);
  if (timer_) Tickers()[timer_] = this;
}

void DirectSoundSoundControl::StopTicking() {
  if (!timer_) return;
  KillTimer(nullptr, timer_);
  Tickers().erase(timer_);
  timer_ = 0;
}

void CALLBACK DirectSoundSoundControl::OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto found = Tickers().find(timer);
  if (found != Tickers().end()) found->second->Tick();
}

void DirectSoundSoundControl::Tick() {
  const uint64_t now = GetTickCount64();
  bool held = false;
  for (auto& [handle, sound] : sounds_) {
    if (!sound.hold.held()) continue;
    if (sound.hold.Tick(now, sound.volume))
      sound.buffer->Stop();  // faded out: stops where it stands
    Apply(sound);
    held = held || sound.hold.held();
  }
  if (!held) StopTicking();
}

void DirectSoundSoundControl::StopAllSound() {
  for (auto& [handle, sound] : sounds_) StopSound(handle);
}

bool DirectSoundSoundControl::IsPlaying(int32_t handle) {
  Sound* sound = Find(handle);
  DWORD status = 0;
  return sound && SUCCEEDED(sound->buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}

int64_t DirectSoundSoundControl::PlayPosition(int32_t handle) {
  Sound* sound = Find(handle);
  DWORD play = 0, write = 0;
  if (!sound || FAILED(sound->buffer->GetCurrentPosition(&play, &write))) return -1;
  return play;
}

int32_t DirectSoundSoundControl::Volume(int32_t handle) {
  Sound* sound = Find(handle);
  LONG volume = DSBVOLUME_MIN;
  if (sound) sound->buffer->GetVolume(&volume);
  return volume;
}

}  // namespace skyvault::win32
