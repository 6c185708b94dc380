#include "platform/win32/Win32Mci.h"

#include <windows.h>
#include <mmsystem.h>

namespace dz::win32 {

namespace {

template <class Record>
MCIERROR SendRecord(const SoundLibrary& library, std::uint16_t device, std::uint32_t command,
                    std::uint32_t flags, Record& record) {
  return library.mciSendCommandA(device, command, flags, reinterpret_cast<DWORD_PTR>(&record));
}

}  // namespace

std::uint32_t Win32Mci::Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                             MciParams& params) {
  const SoundLibrary& library = Library();
  if (!library.Usable()) return kNoSoundLibraryError;
  const DWORD_PTR callback = static_cast<DWORD_PTR>(params.callback);
  switch (command) {
    case mci::kOpen: {
      MCI_OPEN_PARMSA record{};
      record.dwCallback = callback;
      record.lpstrDeviceType = params.deviceType.c_str();
      record.lpstrElementName = params.elementName.c_str();
      MCIERROR code = SendRecord(library, device, command, flags, record);
      params.deviceId = record.wDeviceID;
      return code;
    }
    case mci::kPlay: {
      MCI_PLAY_PARMS record{};
      record.dwCallback = callback;
      record.dwFrom = params.from;
      record.dwTo = params.to;
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kRecord: {
      MCI_RECORD_PARMS record{};
      record.dwCallback = callback;
      record.dwFrom = params.from;
      record.dwTo = params.to;
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kSeek: {
      MCI_SEEK_PARMS record{};
      record.dwCallback = callback;
      record.dwTo = params.to;
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kStatus: {
      MCI_STATUS_PARMS record{};
      record.dwCallback = callback;
      record.dwItem = params.item;
      record.dwTrack = params.track;
      MCIERROR code = SendRecord(library, device, command, flags, record);
      params.returned = record.dwReturn;
      return code;
    }
    case mci::kGetDevCaps: {
      MCI_GETDEVCAPS_PARMS record{};
      record.dwCallback = callback;
      record.dwItem = params.item;
      MCIERROR code = SendRecord(library, device, command, flags, record);
      params.returned = record.dwReturn;
      return code;
    }
    case mci::kSet: {
      MCI_SET_PARMS record{};
      record.dwCallback = callback;
      record.dwTimeFormat = params.timeFormat;
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kStep: {
      MCI_ANIM_STEP_PARMS record{};
      record.dwCallback = callback;
      record.dwFrames = params.frames;
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kWindow: {
      MCI_ANIM_WINDOW_PARMSA record{};
      record.dwCallback = callback;
      record.hWnd = reinterpret_cast<HWND>(params.window);
      return SendRecord(library, device, command, flags, record);
    }
    case mci::kWhere: {
      MCI_ANIM_RECT_PARMS record{};
      record.dwCallback = callback;
      MCIERROR code = SendRecord(library, device, command, flags, record);
      params.rect = {record.rc.left, record.rc.top, record.rc.right, record.rc.bottom};
      return code;
    }
    default: {
      // Close, stop, pause, resume: the generic record.
      MCI_GENERIC_PARMS record{};
      record.dwCallback = callback;
      return SendRecord(library, device, command, flags, record);
    }
  }
}

bool Win32Mci::ErrorString(std::uint32_t code, std::string& text) {
  const SoundLibrary& library = Library();
  if (!library.Usable()) {
    if (code != kNoSoundLibraryError) return false;
    text = kNoSoundLibraryText;
    return true;
  }
  char buffer[4096] = {};
  if (!library.mciGetErrorStringA(code, buffer, sizeof buffer)) return false;
  text = buffer;
  return true;
}

}  // namespace dz::win32
