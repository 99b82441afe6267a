// One open registry key for the length of one load, save or removal. Open keys as local
// objects and let them close in reverse order of opening.
#pragma once

#include <string>

#include "platform/Registry.h"

class RegistryKey {
  public:
    // Opens `path` below `parent`; with `create`, creates it (and missing parents) as
    // needed. When opening fails the object holds no usable key: reads give their defaults
    // or false, writes give false. With `flushOnClose`, a key that was written through
    // SetDword or SetBinary is flushed once when the object ends.
    RegistryKey(HKEY parent, LPCWSTR path, bool create, bool flushOnClose);
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Null when the key could not be opened.
    HKEY Handle() const { return key_; }

    // The value's first 4 bytes as a little-endian number, whatever its stored type. A value
    // that is missing or longer than 4 bytes is replaced by `defaultValue` (as REG_DWORD),
    // which is returned; that write-back does not count as a modification.
    DWORD GetDword(LPCWSTR name, DWORD defaultValue);
    // Writes a REG_DWORD; false for a null name (nothing changes) or a failed write.
    bool SetDword(LPCWSTR name, DWORD value);
    // Reads a value into `buffer` (of `size` bytes). With a null buffer only its size is
    // reported in `size`. A buffer too small fails and reports the size needed.
    bool GetBinary(LPCWSTR name, BYTE* buffer, DWORD& size);
    // Writes `size` bytes as REG_BINARY; false for null data (nothing changes).
    bool SetBinary(LPCWSTR name, const BYTE* data, DWORD size);

    // Names of the subkeys and values in the registry's order. Past the last (or on any
    // failure) the result is false; NextSubkey then empties `name`.
    bool FirstSubkey(std::u16string& name);
    bool NextSubkey(std::u16string& name);
    bool FirstValue(std::u16string& name);
    bool NextValue(std::u16string& name);

  private:
    bool EnumSubkey(std::u16string& name);
    bool EnumValue(std::u16string& name);

    HKEY key_ = nullptr;
    DWORD disposition_ = 0;
    LONG index_ = 0;
    bool flushOnClose_;
    bool modified_ = false;
};
