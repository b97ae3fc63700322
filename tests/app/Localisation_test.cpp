#include "app/Localisation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/DefaultTexts.h"
#include "app/FatalError.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "skin/XmlReader.h"

namespace zarnel {
namespace {

constexpr const char* kPath = "/home/dj/zarnel/language.xml";
const std::string kShippedFile = std::string(ZARNEL_TEST_SOURCE_DIR) + "/../home/language.xml";

// One slot of the table, for comparing whole tables.
struct SlotAddress {
  int32_t section;  // a TextSection, or kTextSectionCount + dialog
  int32_t slot;
};

std::string_view liveText(const Localisation& table, SlotAddress at) {
  if (at.section < kTextSectionCount) return table.text(TextSection(at.section), at.slot);
  return table.dialogText(DialogId(at.section - kTextSectionCount), DialogText(at.slot));
}

std::string_view defaultText(SlotAddress at) {
  if (at.section < kTextSectionCount) {
    return textSectionDefaults(TextSection(at.section)).slots[size_t(at.slot)].text;
  }
  return dialogDefaults(DialogId(at.section - kTextSectionCount)).texts[size_t(at.slot)];
}

std::vector<SlotAddress> everySlot() {
  std::vector<SlotAddress> slots;
  for (int32_t s = 0; s < kTextSectionCount; ++s) {
    for (size_t i = 0; i < textSectionDefaults(TextSection(s)).slots.size(); ++i) slots.push_back({s, int32_t(i)});
  }
  for (int32_t d = 0; d < kDialogCount; ++d) {
    for (int32_t k = 0; k < kDialogTextCount; ++k) slots.push_back({kTextSectionCount + d, k});
  }
  return slots;
}

// Return: the addresses of the slots whose text differs from the default.
std::vector<std::pair<int32_t, int32_t>> changedSlots(const Localisation& table) {
  std::vector<std::pair<int32_t, int32_t>> changed;
  for (SlotAddress at : everySlot()) {
    if (liveText(table, at) != defaultText(at)) changed.emplace_back(at.section, at.slot);
  }
  return changed;
}

using Changes = std::vector<std::pair<int32_t, int32_t>>;
constexpr int32_t kErrorsSection = int32_t(TextSection::kErrors);
constexpr int32_t kOthersSection = int32_t(TextSection::kOthers);

Localisation loaded(const std::string& xml) {
  VirtualFileSystem files;
  files.put(kPath, std::vector<uint8_t>(xml.begin(), xml.end()));
  Localisation table;
  table.load(files, kPath);
  return table;
}

// The language file as a translator starts from it: every key once, with its
// default text. Each level of the file decodes entities once more, so an "&"
// is encoded once per element from the root to the text's own; no text can
// hold a "<", which would start an element after the last decoding. Zero
// bytes are written as the "\0" escape and line feeds as they are.
class TemplateWriter {
 public:
  std::string write() {
    out_ = "<Language>\n";
    for (int32_t s = 0; s < kTextSectionCount; ++s) writeSection(textSectionDefaults(TextSection(s)));
    if (!openParent_.empty()) out_ += "  </" + openParent_ + ">\n";
    out_ += "  <" + std::string(kWindowsSection) + ">\n";
    for (int32_t d = 0; d < kDialogCount; ++d) writeDialog(dialogDefaults(DialogId(d)));
    out_ += "  </" + std::string(kWindowsSection) + ">\n</Language>\n";
    return out_;
  }

 private:
  static std::string encode(std::string_view text, int levels) {
    std::string out;
    for (char c : text) out += c == '\0' ? std::string("\\0") : std::string(1, c);
    for (int i = 0; i < levels; ++i) {
      std::string once;
      for (char c : out) once += c == '&' ? std::string("&amp;") : std::string(1, c);
      out = once;
    }
    return out;
  }

  void writeText(std::string_view key, std::string_view text, const std::string& indent, int levels) {
    out_ += indent + "<" + std::string(key) + ">" + encode(text, levels) + "</" + std::string(key) + ">\n";
  }

  void writeSection(const TextSectionDefaults& section) {
    if (section.parent != openParent_) {
      if (!openParent_.empty()) out_ += "  </" + openParent_ + ">\n";
      openParent_ = std::string(section.parent);
      if (!openParent_.empty()) out_ += "  <" + openParent_ + ">\n";
    }
    std::string indent = section.parent.empty() ? "  " : "    ";
    out_ += indent + "<" + std::string(section.name) + ">\n";
    for (size_t i = 0; i < section.slots.size(); ++i) {
      if (isFirstOfItsKey(section, i)) {
        writeText(section.slots[i].key, section.slots[i].text, indent + "  ", section.parent.empty() ? 3 : 4);
      }
    }
    out_ += indent + "</" + std::string(section.name) + ">\n";
  }

  void writeDialog(const DialogDefaults& dialog) {
    out_ += "    <" + std::string(dialog.name) + ">\n";
    for (int32_t k = 0; k < kDialogTextCount; ++k) {
      writeText(dialogTextKey(DialogText(k)), dialog.texts[size_t(k)], "      ", 4);
    }
    out_ += "    </" + std::string(dialog.name) + ">\n";
  }

  static bool isFirstOfItsKey(const TextSectionDefaults& section, size_t slot) {
    for (size_t i = 0; i < slot; ++i) {
      if (section.slots[i].key == section.slots[slot].key) return false;
    }
    return true;
  }

  std::string out_;
  std::string openParent_;
};

TEST(LocalisationDefaults, SectionsHoldTheirSlotsInOrder) {
  struct Expected {
    TextSection section;
    size_t count;
    std::string_view firstKey, lastKey;
  };
  const Expected expected[] = {
      {TextSection::kColumns, 8, "CD", "Comment"},
      {TextSection::kFilters, 7, "m3u", "Sample"},
      {TextSection::kBrowserTitles, 10, "SavePlaylist", "SaveHistory"},
      {TextSection::kErrors, 24, "StartMessage", "WDMError"},
      {TextSection::kOthers, 14, "NoHDSelected", "BroadcastMsgWait"},
      {TextSection::kOptions, 49, "AutoPitch", "Contest"},
      {TextSection::kContextMenu, 8, "Rename", "Unmark"},
      {TextSection::kToolTipButtons, 49, "_Empty", "SetCue5"},
      {TextSection::kToolTipSliders, 14, "Crossfader", "Rotation"},
      {TextSection::kToolTipOptions, 26, "AutoPitch", "Contest"},
      {TextSection::kToolTipSubButtons, 15, "Lock", "LoadEffect"},
  };
  for (const Expected& e : expected) {
    const TextSectionDefaults& section = textSectionDefaults(e.section);
    ASSERT_EQ(section.slots.size(), e.count) << section.name;
    EXPECT_EQ(section.slots.front().key, e.firstKey);
    EXPECT_EQ(section.slots.back().key, e.lastKey);
  }
  Localisation table;
  EXPECT_EQ(table.errorText(kErrorSkin), "Invalid skin file");
  EXPECT_EQ(table.errorText(kErrorWdm).substr(0, 35), "Impossible to init the WDM sound dr");
  EXPECT_EQ(table.text(TextSection::kFilters, kFilterM3u), std::string_view("Playlist (*.m3u)\0*.m3u", 22));
  EXPECT_EQ(table.dialogText(kDialogShortcutEdit, kDialogLabel4), "Right desk");
  EXPECT_EQ(table.dialogText(kDialogDefault, kDialogTitle), "");
  EXPECT_EQ(table.errorText(-1), "");
  EXPECT_EQ(table.errorText(kErrorCount), "");
  EXPECT_EQ(table.text(TextSection::kOthers, kOtherCount), "");
  EXPECT_EQ(table.dialogText(kDialogCount, kDialogTitle), "");
}

TEST(LocalisationFile, MissingOrRejectedFilesGiveEveryDefault) {
  VirtualFileSystem files;
  Localisation table;
  table.load(files, kPath);
  EXPECT_EQ(changedSlots(table), Changes{});
  const std::string body = "<Language><Errors><Skin>Bad skin</Skin></Errors></Language>";
  EXPECT_EQ(changedSlots(loaded("<?xml version=\"1.0\"?>\n" + body)), Changes{});
  EXPECT_EQ(changedSlots(loaded(body + "<!-- end -->")), Changes{});
  files.put(kPath, std::vector<uint8_t>(body.begin(), body.end()));
  files.failReadsAfter(kPath, 10);
  table.load(files, kPath);
  EXPECT_EQ(changedSlots(table), Changes{});
}

TEST(LocalisationFile, OneErrorsElementChangesItsSlotOnly) {
  Localisation table = loaded("<Language><Errors><Skin>Bad skin</Skin></Errors></Language>");
  EXPECT_EQ(changedSlots(table), (Changes{{kErrorsSection, kErrorSkin}}));
  EXPECT_EQ(table.errorText(kErrorSkin), "Bad skin");
  // Sections and keys match without regard to case; the root's name is free.
  Localisation other = loaded("<x><errors><SKIN>Bad skin</SKIN></errors></x>");
  EXPECT_EQ(other.errorText(kErrorSkin), "Bad skin");
}

TEST(LocalisationFile, EscapesBecomeLineBreaksAndZeroBytes) {
  Localisation table = loaded(
      "<L><Others><QueryClose>Quit\\nnow</QueryClose></Others>"
      "<Filters><m3u>Lists\\0*.m3u</m3u><txt>a\\tb\\\\nc\\</txt></Filters></L>");
  EXPECT_EQ(table.text(TextSection::kOthers, kOtherQueryClose), "Quit\n\rnow");
  EXPECT_EQ(table.text(TextSection::kFilters, kFilterM3u), std::string_view("Lists\0*.m3u", 11));
  EXPECT_EQ(table.text(TextSection::kFilters, kFilterTxt), "a\\tb\\\n\rc\\");
}

TEST(LocalisationFile, EmptyElementsGiveEmptyTexts) {
  Localisation table = loaded("<L><Others><Search></Search><Empty/></Others></L>");
  EXPECT_EQ(table.text(TextSection::kOthers, kOtherSearch), "");
  EXPECT_EQ(table.text(TextSection::kOthers, kOtherEmpty), "");
  EXPECT_EQ(changedSlots(table), (Changes{{kOthersSection, kOtherSearch}, {kOthersSection, kOtherEmpty}}));
}

TEST(LocalisationFile, SlotsSharingAKeyTakeTheFirstMatch) {
  Localisation table = loaded(
      "<L><ToolTips><Buttons><_Empty>one</_Empty><_Empty>two</_Empty></Buttons>"
      "<SubButtons><Lock>Locked</Lock></SubButtons></ToolTips></L>");
  for (int32_t slot : {0, 22, 23}) EXPECT_EQ(table.text(TextSection::kToolTipButtons, slot), "one");
  EXPECT_EQ(table.text(TextSection::kToolTipSubButtons, 0), "Locked");
  EXPECT_EQ(table.text(TextSection::kToolTipSubButtons, 1), "Locked");
  EXPECT_EQ(changedSlots(table).size(), 5u);
}

TEST(LocalisationFile, ToolTipOptionsAreNotTheOptionsSection) {
  Localisation table = loaded(
      "<L><Options><Charts>Top</Charts></Options>"
      "<ToolTips><Options><Charts>Tip</Charts></Options></ToolTips><Charts>x</Charts></L>");
  EXPECT_EQ(table.text(TextSection::kOptions, 47), "Top");
  EXPECT_EQ(table.text(TextSection::kToolTipOptions, 21), "Tip");
  EXPECT_EQ(changedSlots(table).size(), 2u);
}

TEST(LocalisationFile, DialogsTakeTheirKeysAndKeepTheOtherDefaults) {
  Localisation table = loaded(
      "<L><Windows><scancd><title>Scanner</title><Label5>Extra</Label5></scancd>"
      "<Unknown><Title>x</Title></Unknown></Windows></L>");
  EXPECT_EQ(table.dialogText(kDialogScanCd, kDialogTitle), "Scanner");
  EXPECT_EQ(table.dialogText(kDialogScanCd, kDialogLabel5), "Extra");
  EXPECT_EQ(table.dialogText(kDialogScanCd, kDialogOk), "Scan");
  EXPECT_EQ(changedSlots(table).size(), 2u);
}

TEST(LocalisationFile, TextsAreDecodedOncePerEnclosingElement) {
  Localisation table = loaded(
      "<L><Others><Empty>&amp;amp;amp; &amp;amp;gt;</Empty></Others>"
      "<ToolTips><Buttons><Close>&amp;amp;amp;amp;</Close></Buttons></ToolTips></L>");
  EXPECT_EQ(table.text(TextSection::kOthers, kOtherEmpty), "& >");
  EXPECT_EQ(table.text(TextSection::kToolTipButtons, 1), "&");
  // A "<" that survives every decoding starts an element: the file is invalid.
  EXPECT_EQ(changedSlots(loaded("<L><Errors><Skin>&amp;amp;lt;</Skin><Memory>m</Memory></Errors></L>")),
            Changes{});
}

TEST(LocalisationFile, ReloadingAndFreeingReturnToTheDefaults) {
  VirtualFileSystem files;
  const std::string xml = "<L><Errors><Skin>Bad skin</Skin></Errors><Others><Search>Find</Search></Others></L>";
  files.put(kPath, std::vector<uint8_t>(xml.begin(), xml.end()));
  Localisation table;
  table.load(files, kPath);
  EXPECT_EQ(changedSlots(table).size(), 2u);
  table.free();
  EXPECT_EQ(changedSlots(table), Changes{});
  table.load(files, kPath);
  files.remove(kPath);
  table.load(files, kPath);
  EXPECT_EQ(changedSlots(table), Changes{});
}

TEST(LocalisationProcess, LoadsFromTheHomeFolder) {
  EXPECT_EQ(languageFilePath("/home/dj/zarnel"), kPath);
  EXPECT_EQ(languageFilePath("/home/dj/zarnel/"), kPath);
  EXPECT_EQ(languageFilePath("C:\\Zarnel\\"), "C:\\Zarnel\\language.xml");
  VirtualFileSystem files;
  const std::string xml = "<L><Errors><Memory>Out of memory</Memory></Errors></L>";
  files.put(kPath, std::vector<uint8_t>(xml.begin(), xml.end()));
  loadLanguage(files, languageFilePath("/home/dj/zarnel").c_str());
  EXPECT_EQ(errorText(kErrorMemory), "Out of memory");
  EXPECT_EQ(localisation().errorText(kErrorMemory), "Out of memory");
  freeLanguage();
  EXPECT_EQ(errorText(kErrorMemory), "Not enough memory");
}

TEST(LocalisationShippedFile, IsTheTemplateAndLoadsAsTheDefaults) {
  const std::string expected = TemplateWriter().write();
  std::ifstream in(kShippedFile, std::ios::binary);
  std::stringstream shipped;
  shipped << in.rdbuf();
  if (shipped.str() != expected) {
    std::ofstream(kShippedFile + ".actual", std::ios::binary) << expected;
    FAIL() << kShippedFile << " differs from the defaults; see " << kShippedFile << ".actual";
  }
  auto root = xmlParse(expected);
  ASSERT_NE(root, nullptr);
  for (SlotAddress at : everySlot()) {
    const XmlNode* element = nullptr;
    if (at.section < kTextSectionCount) {
      const TextSectionDefaults& section = textSectionDefaults(TextSection(at.section));
      const XmlNode* parent = section.parent.empty() ? root.get() : xmlChild(root.get(), section.parent);
      element = xmlChild(xmlChild(parent, section.name), section.slots[size_t(at.slot)].key);
    } else {
      const XmlNode* dialog =
          xmlChild(xmlChild(root.get(), kWindowsSection), dialogDefaults(DialogId(at.section - kTextSectionCount)).name);
      element = xmlChild(dialog, dialogTextKey(DialogText(at.slot)));
    }
    EXPECT_NE(element, nullptr) << at.section << " " << at.slot;
  }
  EXPECT_EQ(changedSlots(loaded(expected)), Changes{});
}

}  // namespace
}  // namespace zarnel
