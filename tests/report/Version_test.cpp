// The version 19.0.0.0 that every deliverable carries in its file, and
// string 1 of the program's string table.
#include "resources/Version.h"

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/win/afxstr.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TempPrefix.h"

namespace {

struct VersionNote {
  bool found = false;
  std::string owner;
  std::uint32_t type = 0;
  std::string desc;
};

// The note in the version section of the ELF file `path`.
VersionNote ReadVersionNote(const std::string& path) {
  VersionNote note;
  const std::string file = reporttest::ReadPosixFile(path);
  if (file.size() < sizeof(Elf64_Ehdr) || file.compare(0, 4, ELFMAG) != 0) return note;
  Elf64_Ehdr header;
  std::memcpy(&header, file.data(), sizeof(header));
  const auto section = [&](std::size_t i) {
    Elf64_Shdr s;
    std::memcpy(&s, file.data() + header.e_shoff + i * header.e_shentsize, sizeof(s));
    return s;
  };
  if (header.e_shoff + std::size_t{header.e_shnum} * header.e_shentsize > file.size()) return note;
  const Elf64_Shdr names = section(header.e_shstrndx);
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const Elf64_Shdr s = section(i);
    const char* name = file.data() + names.sh_offset + s.sh_name;
    if (std::strcmp(name, kVersionNoteSection) != 0 || s.sh_type != SHT_NOTE) continue;
    Elf64_Nhdr n;
    std::memcpy(&n, file.data() + s.sh_offset, sizeof(n));
    const char* owner = file.data() + s.sh_offset + sizeof(n);
    note.found = true;
    note.owner = std::string(owner, n.n_namesz > 0 ? n.n_namesz - 1 : 0);
    note.type = n.n_type;
    note.desc = std::string(owner + (n.n_namesz + 3) / 4 * 4, n.n_descsz);
  }
  return note;
}

void ExpectVersion(const std::string& path) {
  const VersionNote note = ReadVersionNote(path);
  ASSERT_TRUE(note.found) << path;
  EXPECT_EQ(kVersionNoteOwner, note.owner) << path;
  EXPECT_EQ(kVersionNoteType, note.type) << path;
  EXPECT_EQ(std::string("FileVersion=19.0.0.0\0ProductVersion=19.0.0.0\0", 45), note.desc) << path;
}

TEST(Version, EveryProgramFileCarriesTheVersionNote) {
  ExpectVersion("/proc/self/exe");
  for (const char* deliverable : {"TalGrn19ToUG13_U", "TalWht19ToUG13_U", "TalBlu19ToUG13_U"}) {
    const std::string path = uwtest::BuildDir() + "/bin/" + deliverable;
    if (std::filesystem::exists(path)) ExpectVersion(path);
  }
}

TEST(Version, TheNumbersAndStringOneMatch) {
  const WORD expected[4] = {19, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(expected, g_versionInfo.fileVersion, sizeof(expected)));
  EXPECT_EQ(0, std::memcmp(expected, g_versionInfo.productVersion, sizeof(expected)));
  CString text;
  EXPECT_TRUE(text.LoadString(1));
  EXPECT_EQ(CString("19.00.00"), text);
}

}  // namespace
