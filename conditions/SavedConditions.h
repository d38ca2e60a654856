// The saved conditions file: for each user and company selection, the tax
// switch, the end month and the output path of the last successful run.
//
// One file per edition, in the host's settings folder (host folder type 1,
// a Windows path ending in '\'), named by the edition. CP932 text, one
// record a line, each line ended by a single LF, no header:
//
//   <user id>/<selection no 1>/<selection no 2>:<tax>/<end month>/<path>\n
//
// The part up to and including ':' is the key ("%s/%d/%d:", at most 50
// bytes); the line is written with "%s%d/%d/%s\n". A key's record is the
// first line that begins with the key, so users 1 and 11 never meet. Saving
// moves the key's line to the end of the file.
//
// Reading treats as missing: a record with fewer than two '/' after the key,
// a record that is the last line and has no LF (the rest of an interrupted
// write), a value longer than 511 bytes and a path longer than 260 bytes.
//
// Saving never loses other records: the whole new content is written to a
// temporary file in the same folder, which then replaces the old file in
// one atomic rename. An interrupted save leaves the old file or the new one,
// whole; a failed save leaves the old file as it was and removes the
// temporary file. Other users' lines are kept byte for byte; a last line
// without an LF is kept whole and gets one, so that the new line starts a
// line of its own.
#pragma once

#include <string>

#include "platform/win/afxstr.h"
#include "platform/win/windef.h"

class ClSavedConditions {
 public:
  // The most bytes of a key and of the part of a line after it.
  enum { KEY_MAX = 50, VALUE_MAX = 511 };

  // The points between the steps of Save, as OnSaveStep sees them.
  enum SaveStep {
    _SaveStep_TempCreated,  // the temporary file exists, empty
    _SaveStep_TempWritten,  // the temporary file holds the whole new content
  };

  // `userId` (CP932, up to 64 bytes) and the two selection numbers form the
  // key; `hostFolder` is the settings folder (ending in '\'), `fileName` the
  // edition's file name. Null texts count as empty. The texts are copied.
  ClSavedConditions(const char* userId, LONG selectedNo1, LONG selectedNo2, const char* hostFolder,
                    const char* fileName);
  virtual ~ClSavedConditions() = default;

  // Reads the key's record. Returns 1 and sets *tax, *endMonth and `path`
  // (a 261-byte buffer) when it is found and well formed; else 0 with the
  // outputs untouched (no folder, no file, no record, a record treated as
  // missing, a key longer than 50 bytes).
  int Load(short* tax, short* endMonth, char* path);

  // Writes the key's record with `tax`, `endMonth` and `path`, or with
  // `savedPath` when `path` is null (null as well: an empty path); creates
  // the folder with every missing level first. Returns 1 when the file holds
  // the new line; 0, with the file as it was, when the folder is empty or
  // cannot be created, the key is longer than 50 bytes, the path is longer
  // than 260 bytes or holds '/' or a line break (it would not read back),
  // the old file cannot be read, or the new file cannot be written.
  int Save(short tax, short endMonth, const char* path, const char* savedPath);

 protected:
  // Called by Save between its steps; returning FALSE makes the save fail
  // at that point as a failing disk would. The default lets it go on.
  // A seam for tests, which also use it to stop the process mid-save.
  virtual BOOL OnSaveStep(SaveStep step);

 private:
  // The file's Windows path; FALSE when it does not fit a path buffer.
  BOOL GetFilePath(CString* filePath) const;
  // Writes `content` to a new temporary file in the folder and renames it
  // over `filePath`. FALSE, with the temporary file removed, on failure.
  BOOL ReplaceFile(const char* filePath, const std::string& content);

  CString m_strKey;
  BOOL m_bKeyFits;
  CString m_strFolder;
  CString m_strFileName;
};
