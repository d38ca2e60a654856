// ClSupportInf: reads the support information file "SUPPORT.INF".
//
// The file sits in the program's folder (the current directory, which the
// application sets at start-up). It is CP932 text in which each field starts
// with a key between "[=" and "=]" ("[=製品名=]") followed by its value. The
// report asks for two of them: the product name and the product version.
//
// The whole file (at most 30,000 bytes) is read once into a 30,000-byte
// movable global block that was first filled with 0xFF, a byte CP932 text
// never holds, so the first 0xFF after the data marks its end. Normalize
// turns each CR LF and each Ctrl-Z into NULs, so that a single-line value is
// a terminated string right after its key, and gives the two multi-line
// values their inner line breaks back. A lookup returns a pointer into the
// buffer, or "" when the file or the key is missing.
//
// The block has one more byte than the 30,000 the file may fill, always NUL,
// so that a value reaching the end of the buffer is still a terminated
// string; and a lookup turns the fill byte that ends a value into a NUL.
#pragma once

#include "platform/win/windef.h"

class ClSupportInf {
 public:
  // Bytes of the file that are read, and of the buffer that holds them.
  static constexpr DWORD kBufferSize = 30000;

  ClSupportInf();
  // Unlocks and frees the buffer when there is one.
  virtual ~ClSupportInf();
  ClSupportInf(const ClSupportInf&) = delete;
  ClSupportInf& operator=(const ClSupportInf&) = delete;

  // The value of "[=製品名=]": a NUL-terminated string that stays valid until
  // the object is destroyed; "" when the file or the key is missing or the
  // value is empty.
  const char* GetProductName();

  // The value of "[=製品ﾊﾞｰｼﾞｮﾝ=]", as GetProductName.
  const char* GetProductVer();

  // The value after the first occurrence of `key` (a key of the file's
  // vocabulary, "[=...=]"), as GetProductName. The two multi-line keys
  // ("[=お問い合わせ内容=]", "[=症状が再現する手順や条件=]") give their whole
  // value with its inner line breaks as CR LF.
  const char* GetValue(const char* key);

  // Reads the file into the buffer, once per object. Returns 1 when the
  // buffer holds the file, or a buffer already exists; 0 when the buffer
  // cannot be allocated (after the message "ﾒﾓﾘが不足しています。"; the next
  // call tries again), when the file cannot be opened (no message; the buffer
  // stays, full of 0xFF, and later calls return 1 without reading) or when
  // reading it fails (treated as a missing file).
  int Load();

  // Turns the loaded buffer into terminated values (see the header
  // paragraph). REQUIRES: the buffer exists.
  void Normalize();

 private:
  HGLOBAL m_hMemory;              // the block; null until the first Load that allocated it
  BYTE* m_pData;                  // its locked address
  char m_szFolder[MAX_PATH + 1];  // placed before the file name; always empty here
};
