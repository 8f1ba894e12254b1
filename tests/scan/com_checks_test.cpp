// The checks of COM registrations against the scan's snapshots.
#include <gtest/gtest.h>

#include "scan/reference_list.h"
#include "scan/reference_tables.h"
#include "scan/scan_fixture.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kClass = "{00000001-0000-0000-C000-000000000046}";

class ComChecksTest : public ScanFixture {
 protected:
  void SetUp() override {
    SetRegistry(std::string("[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID\\") + kClass + "]\n" +
                "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\Interface\\{I1}]\n"
                "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\TypeLib\\{T1}]\n"
                "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\My.Prog.1]\n"
                "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\.txt]\n");
  }
};

TEST_F(ComChecksTest, ClassIdsMatchWholeTextsIgnoringCaseOnly) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\R\\lower]\n@=\"{00000001-0000-0000-c000-000000000046}\"\n"
      "[HKEY_CURRENT_USER\\R\\nobraces]\n@=\"00000001-0000-0000-C000-000000000046\"\n"
      "[HKEY_CURRENT_USER\\R\\blank]\n@=\" {00000001-0000-0000-C000-000000000046}\"\n"
      "[HKEY_CURRENT_USER\\R\\empty]\n@=\"\"\n"
      "[HKEY_CURRENT_USER\\R\\unset]\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\R\\*=Classes,0,CLSID_D_\n"),
            (Strings{"HKEY_CURRENT_USER\\R\\blank: Class not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\R\\empty: Class not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\R\\nobraces: Class not found [(Default)] 0"}));
}

TEST_F(ComChecksTest, KeyNameChecksReportTheKeyItself) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\Interface\\{I1}]\n[HKEY_CLASSES_ROOT\\Interface\\{I2}]\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{00000001-0000-0000-C000-000000000046}]\n[HKEY_CLASSES_ROOT\\CLSID\\{C2}]\n"
      "[HKEY_CLASSES_ROOT\\{C3}]\n");
  EXPECT_EQ(ScanWith("HKEY_CLASSES_ROOT\\Interface\\*=Interfaces,1,INTRFC_K_\n"
                     "HKEY_CLASSES_ROOT\\CLSID\\*=Classes,1,CLSID_K_\n"
                     "HKEY_CLASSES_ROOT\\{C3}=Top,1,CLSID_K_\n"),
            (Strings{"HKEY_CLASSES_ROOT\\Interface\\{I2}: Interface not found [] 1",
                     "HKEY_CLASSES_ROOT\\CLSID\\{C2}: Class not found [] 1"}));
}

TEST_F(ComChecksTest, SingleValueChecksUseTheirListsAndMessages) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\V]\n@=\"{T2}\"\n\"Clsid\"=\"{C9}\"\n"
      "[HKEY_CURRENT_USER\\P\\prog]\n@=\"My.Prog.1\"\n"
      "[HKEY_CURRENT_USER\\P\\class]\n@=\"{00000001-0000-0000-C000-000000000046}\"\n"
      "[HKEY_CURRENT_USER\\P\\ext]\n@=\".txt\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\V=T,0,TLB_D_\n"
                     "HKEY_CURRENT_USER\\*=C,0,CLSID_,Clsid\n"
                     "HKEY_CURRENT_USER\\P\\*=P,0,PROGIDDEF_\n"),
            (Strings{"HKEY_CURRENT_USER\\V: TypeLib not Found,Class not found [(Default)|Clsid] 0",
                     "HKEY_CURRENT_USER\\P\\ext: File not found [(Default)] 0"}));
}

TEST_F(ComChecksTest, ListChecksNameOnlyTheUnregisteredClasses) {
  SetRegistry(std::string("[HKEY_CURRENT_USER\\L]\n\"") + kClass + "\"=\"\"\n\"{C2}\"=dword:00000001\n" +
              "\"{c2x}\"=\"\"\n" + "[HKEY_CURRENT_USER\\D]\n@=\"{C3}\"\n\"a\"=\"" + kClass +
              "\"\n\"b\"=\"\"\n\"c\"=hex(2):41,00\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\L=L,0,CLSID_LN_\nHKEY_CURRENT_USER\\D=D,0,CLSID_LD_\n"),
            (Strings{"HKEY_CURRENT_USER\\L: Class not found [{c2x}|{C2}] 0",
                     "HKEY_CURRENT_USER\\D: Class not found [] 0"}));
}

}  // namespace

namespace {

// A deletion asks the registry for one name where the scan took a snapshot
// of every name: both must give the same answer.
TEST_F(ComChecksTest, ANameLookedUpNowIsRegisteredExactlyWhenTheSnapshotHoldsIt) {
  SetRegistry("[HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{C2}]\n");
  const std::pair<ReferenceTable, std::string> cases[] = {
      {ReferenceTable::kClassIds, "{00000001-0000-0000-c000-000000000046}"},
      {ReferenceTable::kClassIds, " {00000001-0000-0000-C000-000000000046}"},
      {ReferenceTable::kClassIds, "{C2}"},
      {ReferenceTable::kClassIds, "CLSID\\{C2}"},
      {ReferenceTable::kClassIds, ""},
      {ReferenceTable::kInterfaces, "{i1}"},
      {ReferenceTable::kTypeLibs, "{T1}"},
      {ReferenceTable::kTypeLibs, "{I1}"},
      {ReferenceTable::kProgIds, "My.Prog.1"},
      {ReferenceTable::kProgIds, ".txt"},
      {ReferenceTable::kProgIds, "Other.Prog"},
  };
  std::vector<bool> now, snapshot;
  for (const auto& [table, name] : cases) {
    now.push_back(RegisteredNow(registry, table, name));
    ReferenceList list;
    std::vector<std::string> names;
    for (const ReferenceTableKey& key : ReferenceTableKeys())
      if (const std::unique_ptr<RegKey> opened = key.table == table ? registry.OpenRead(key.root, key.path) : nullptr)
        for (const std::string& subkey : opened->SubkeyNames()) names.push_back(subkey);
    list.Assign(std::move(names));
    if (table == ReferenceTable::kProgIds) list.RemoveStartingWith('.');
    snapshot.push_back(list.Contains(name));
  }
  EXPECT_EQ(now, snapshot);
  EXPECT_EQ(now, (std::vector<bool>{true, false, true, false, false, true, true, false, true, false, false}));
}

}  // namespace
