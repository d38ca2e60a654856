// The current user and the data sets: company data records byte for byte,
// selections, the tax settings and the account master lookup.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "platform/win/text_convert.h"
#include "tests/talhost/HostFixture.h"

namespace talhost_test {
namespace {

ClSetData* DataSet() {
  return static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_DATA, 1));
}
ClSetKamoku* KamokuSet() {
  return static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_KAMOKU, 1));
}
ClSetShohizei* ShohizeiSet() {
  return static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_SHOHIZEI, 1));
}

// Every record a fresh cursor walks, in order.
std::vector<StDATAINFO> WalkAll() {
  std::vector<StDATAINFO> records;
  TULONG cursor = 0;
  EXPECT_EQ(0, DataSet()->GetDatCursor(&cursor));
  EXPECT_EQ(0, DataSet()->ReadyDat(cursor, 0));
  StDATAINFO info;
  std::memset(&info, 0xCC, sizeof(info));
  while (DataSet()->WalkDat(&info, cursor) == 0) {
    records.push_back(info);
    std::memset(&info, 0xCC, sizeof(info));
  }
  // The call that finds nothing leaves the record alone.
  for (std::size_t i = 0; i < sizeof(info); ++i) {
    EXPECT_EQ(0xCC, reinterpret_cast<const unsigned char*>(&info)[i]) << "byte " << i;
  }
  EXPECT_EQ(0, DataSet()->ReleaseDatCursor(cursor));
  return records;
}

// StDATAINFO with the given fields and every other byte zero.
StDATAINFO Expected(const char* dataId, int dataNo, const std::string& nameCp932, int start,
                    int end, int halfYear, short kind) {
  StDATAINFO info;
  std::memset(&info, 0, sizeof(info));
  std::memcpy(info.dataId, dataId, std::strlen(dataId));
  info.dataNo = dataNo;
  std::memcpy(info.companyName, nameCp932.data(), nameCp932.size());
  info.periodStart = start;
  info.periodEnd = end;
  info.halfYearClosing = halfYear;
  info.dataKind = kind;
  return info;
}

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

class SetsTest : public HostTest {};

TEST_F(SetsTest, WalkDatDeliversEachCompanyWithOnlyItsFieldsSet) {
  // Added out of order: the walk goes by dataNo.
  Ledger().AddCompany({.dataNo = 7,
                       .dataId = "CAL2017",
                       .name = "株式会社見本",
                       .periodStart = 20170101,
                       .periodEnd = 20171231,
                       .halfYearClosing = 1,
                       .dataKind = 99});
  Ledger().AddCompany({.dataNo = 2, .name = "ABC"});
  Connect();

  const std::vector<StDATAINFO> records = WalkAll();
  ASSERT_EQ(2u, records.size());
  const StDATAINFO first = Expected("D0002", 2, "ABC", 20170401, 20180331, 0, 0);
  const StDATAINFO second = Expected(
      "CAL2017", 7, "\x8a\x94\x8e\xae\x89\xef\x8e\xd0\x8c\xa9\x96\x7b", 20170101, 20171231, 1, 99);
  EXPECT_EQ(0, std::memcmp(&first, &records[0], sizeof(StDATAINFO)));
  EXPECT_EQ(0, std::memcmp(&second, &records[1], sizeof(StDATAINFO)));
}

TEST_F(SetsTest, CompanyNameIsCutOnACharacterBoundaryToFitTheRecord) {
  const std::string a = "\xe3\x81\x82";  // あ, 82 A0 in CP932
  struct Case {
    std::string name;       // UTF-8
    std::size_t keptBytes;  // CP932 bytes kept
  } cases[] = {
      {"A" + Repeat(a, 129), 259},   // fits exactly
      {"AB" + Repeat(a, 129), 258},  // the last character would be split: dropped whole
      {Repeat(a, 129) + "AB", 259},  // a single-byte character is cut off
      {Repeat(a, 140), 258},
  };
  int dataNo = 1;
  for (const Case& c : cases) {
    Ledger().AddCompany({.dataNo = dataNo, .name = "x"});
    // The builder refuses names that do not fit; the host must still cope.
    Ledger().Exec("UPDATE company SET name = '" + c.name +
                  "' WHERE data_no = " + std::to_string(dataNo));
    ++dataNo;
  }
  Connect();
  const std::vector<StDATAINFO> records = WalkAll();
  ASSERT_EQ(std::size(cases), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string expected = uw::Utf8ToCp932(cases[i].name).substr(0, cases[i].keptBytes);
    EXPECT_EQ(expected, std::string(records[i].companyName)) << "case " << i;
    for (std::size_t k = expected.size(); k < sizeof(records[i].companyName); ++k) {
      ASSERT_EQ(0, records[i].companyName[k]) << "case " << i << " byte " << k;
    }
  }
}

TEST_F(SetsTest, CurrentUserAndSelection) {
  Ledger().AddCompany({.dataNo = 1, .name = "一"});
  Ledger().AddCompany({.dataNo = 2, .name = "二"});
  Ledger().SelectCompany(talhost::kDefaultUserId, 2, 5);
  Ledger().SelectCompany("other", 1);
  Connect();

  ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
  char userId[65];
  std::memset(userId, 'x', sizeof(userId));
  ASSERT_EQ(0, user->GetCurUserID(userId));
  EXPECT_STREQ("user1", userId);
  TLONG first = -1, second = -1;
  ASSERT_EQ(0, user->GetSelectedNo(userId, &first, &second));
  EXPECT_EQ(5, first);
  EXPECT_EQ(2, second);
  EXPECT_EQ(2, DataSet()->GetSelectedInfo()->dataNo);

  first = second = -1;
  EXPECT_NE(0, user->GetSelectedNo("nobody", &first, &second));
  EXPECT_EQ(-1, second);

  // The user logs in with the connection: another user counts from the
  // next one on.
  Ledger().SetHost("user", "other");
  EXPECT_EQ(2, DataSet()->GetSelectedInfo()->dataNo);
  ClTalConnect::Inst()->Release();
  Connect();
  EXPECT_EQ(1, DataSet()->GetSelectedInfo()->dataNo);
  Ledger().SetHost("user", "nobody");
  ClTalConnect::Inst()->Release();
  Connect();
  const StDATAINFO* none = DataSet()->GetSelectedInfo();
  ASSERT_NE(nullptr, none);
  for (std::size_t i = 0; i < sizeof(*none); ++i) {
    ASSERT_EQ(0, reinterpret_cast<const unsigned char*>(none)[i]) << "byte " << i;
  }
}

TEST_F(SetsTest, TaxSettingsOfTheSelectedOrChosenData) {
  Ledger().AddCompany({.dataNo = 1, .dataId = "EXCL", .name = "a", .taxInclusive = false});
  Ledger().AddCompany({.dataNo = 2, .dataId = "INCL", .name = "b", .taxInclusive = true});
  Ledger().SelectCompany(talhost::kDefaultUserId, 2);
  Connect();

  StSHOHIZEIINFO info;
  std::memset(&info, 0xCC, sizeof(info));
  ASSERT_EQ(0, ShohizeiSet()->Get(&info));
  const StSHOHIZEIINFO inclusive = {{0, 0, 0, 0, 0}, 1, {0, 0, 0, 0, 0, 0}};
  EXPECT_EQ(0, std::memcmp(&inclusive, &info, sizeof(info)));

  ASSERT_EQ(0, ShohizeiSet()->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr()));
  ASSERT_EQ(0, ShohizeiSet()->SetCurDataID("EXCL"));
  ASSERT_EQ(0, ShohizeiSet()->Get(&info));
  EXPECT_EQ(0, info.inclusiveFlag);

  // An unknown id is refused and leaves the set without current data.
  EXPECT_NE(0, ShohizeiSet()->SetCurDataID("NOSUCH"));
  EXPECT_NE(0, ShohizeiSet()->Get(&info));
}

TEST_F(SetsTest, WalkFindDeliversTheMasterEntryOfACode) {
  Ledger().AddCompany({.dataNo = 1, .name = "a"});
  Ledger().SelectCompany(talhost::kDefaultUserId, 1);
  Ledger().AddAccount(1, {.code = 1110000, .name = "現金", .kind = 1});
  Ledger().AddAccount(1, {.code = 1120000, .name = "預金", .kind = -3});
  Ledger().AddAccount(1, {.code = 1120001, .name = "削除済", .inMaster = false});
  Connect();

  struct Case {
    std::uint32_t code;
    bool found;
    std::int8_t kind;
  } cases[] = {{1110000, true, 1}, {1120000, true, -3}, {1120001, false, 0}, {1130000, false, 0}};
  for (const Case& c : cases) {
    StFINDINFO find;
    std::memset(&find, 0, sizeof(find));
    find.fieldId = FIND_FIELD_KAMOKU_CODE;
    find.compareOp = FIND_OP_EQUAL;
    find.valueType = FIND_VALUE_INT32;
    find.value.value32 = static_cast<std::int32_t>(c.code);
    StKAMOKUINFO info;
    std::memset(&info, 0xCC, sizeof(info));
    TULONG cursor = 0;
    ASSERT_EQ(0, KamokuSet()->GetCursor(&cursor));
    ASSERT_EQ(0, KamokuSet()->ReadyCursor(cursor));
    const TLONG rc = KamokuSet()->WalkFind(&find, &info, cursor);
    if (c.found) {
      ASSERT_EQ(0, rc) << c.code;
      EXPECT_EQ(c.code, info.code);
      EXPECT_EQ(c.kind, info.kind) << c.code;
      // The one entry is delivered once.
      EXPECT_NE(0, KamokuSet()->WalkFind(&find, &info, cursor)) << c.code;
    } else {
      EXPECT_NE(0, rc) << c.code;
      EXPECT_EQ(0xCCCCCCCCu, info.code) << c.code;  // left as it was
    }
    EXPECT_EQ(0, KamokuSet()->ReleaseCursor(cursor));
  }
}

TEST_F(SetsTest, WalkFindRefusesConditionsItDoesNotKnow) {
  Ledger().AddCompany({.dataNo = 1, .name = "a"});
  Ledger().SelectCompany(talhost::kDefaultUserId, 1);
  Ledger().AddAccount(1, {.code = 1110000, .name = "現金"});
  Connect();
  StFINDINFO find;
  std::memset(&find, 0, sizeof(find));
  find.fieldId = FIND_FIELD_MONTH;  // not a field of the account master
  find.compareOp = FIND_OP_EQUAL;
  find.valueType = FIND_VALUE_INT32;
  find.value.value32 = 1110000;
  StKAMOKUINFO info{};
  TULONG cursor = 0;
  KamokuSet()->GetCursor(&cursor);
  KamokuSet()->ReadyCursor(cursor);
  EXPECT_NE(0, KamokuSet()->WalkFind(&find, &info, cursor));
  // A cursor that was never handed out.
  find.fieldId = FIND_FIELD_KAMOKU_CODE;
  EXPECT_NE(0, KamokuSet()->WalkFind(&find, &info, cursor + 1000));
  KamokuSet()->ReleaseCursor(cursor);
  EXPECT_NE(0, KamokuSet()->ReleaseCursor(cursor));
}

TEST_F(SetsTest, EveryLedgerCallFailsCleanlyWithoutAConnection) {
  Ledger().AddCompany({.dataNo = 1, .name = "a"});
  Ledger().SelectCompany(talhost::kDefaultUserId, 1);
  TULONG cursor = 0;
  ASSERT_EQ(0, DataSet()->GetDatCursor(&cursor));
  ASSERT_EQ(0, DataSet()->ReadyDat(cursor, 0));
  StDATAINFO info{};
  EXPECT_NE(0, DataSet()->WalkDat(&info, cursor));
  DataSet()->ReleaseDatCursor(cursor);
  TLONG first = 0, second = 0;
  EXPECT_NE(0, ClDataMgr::Inst()->GetSysUserObject()->GetSelectedNo("user1", &first, &second));
  EXPECT_EQ(0, DataSet()->GetSelectedInfo()->dataNo);
  StSHOHIZEIINFO tax{};
  EXPECT_NE(0, ShohizeiSet()->Get(&tax));
}

}  // namespace
}  // namespace talhost_test
