// The library's part of the main window.

#include "app/LibraryShell.h"

#include "app/App.h"
#include "app/Settings.h"
#include "library/LibraryPaths.h"
#include "platform/WindowSystem.h"
#include "skin/Renderer.h"

namespace zarnel {
namespace {

constexpr const char* kScanListName = "mp3database.txt";

// The punctuation keys of a US keyboard: virtual key, plain, shifted.
struct PunctuationKey {
  int32_t key;
  char plain, shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'}, {0xBE, '.', '>'}, {0xBF, '/', '?'},
    {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

std::string charactersOfKey(int32_t key, int32_t modifiers) {
  const bool shift = (modifiers & msg::kModShift) != 0;
  if ((modifiers & msg::kModCtrl) != 0) return {};
  if (key >= 'A' && key <= 'Z') return std::string(1, char(shift ? key : key - 'A' + 'a'));
  if (key >= '0' && key <= '9') return std::string(1, shift ? kShiftedDigits[key - '0'] : char(key));
  if (key >= 0x60 && key <= 0x69) return std::string(1, char('0' + key - 0x60));  // numeric keypad
  if (key == 0x20) return " ";
  for (const PunctuationKey& p : kPunctuation) {
    if (p.key == key) return std::string(1, shift ? p.shifted : p.plain);
  }
  return {};
}

LibraryShell::LibraryShell(const LibraryLinks& links)
    : links_(links),
      options_(*links.settings, *links.mixer, links.desks[0], links.desks[1], links.matcher, nullptr),
      panel_(BrowserPanelLinks{this, links.texts, links.settings, &options_, &scanList_}) {}

LibraryShell::~LibraryShell() { detach(); }

void LibraryShell::open() {
  if (links_.files && links_.settings) scanList_.load(*links_.files, pathInFolder(links_.settings->homeFolder, kScanListName));
}

void LibraryShell::attach(Renderer& renderer) {
  Skin* skin = renderer.skin();
  if (!skin || !skin->browser) return;
  panel_.attach(*skin->browser, renderer.context());
  panel_.drawContent();
}

void LibraryShell::detach() { panel_.detach(); }

bool LibraryShell::onTimer(int32_t id) {
  if (id == timer::kPanes) {
    panel_.paneTick();
    return true;
  }
  if (id == timer::kCaret) {
    if (SearchField* field = panel_.searchField()) field->caretTick();
    return true;
  }
  return false;
}

void LibraryShell::releaseKeyboardUnlessAt(int32_t x, int32_t y) {
  SearchField* field = panel_.searchField();
  if (field && field->holdsKeyboard() && !field->hitTest(x, y)) field->releaseKeyboard();
}

void LibraryShell::showBrowserPage(int32_t page) { panel_.showPage(page); }

void LibraryShell::setTimer(int32_t id, int32_t periodMs) {
  if (links_.window) links_.window->setTimer(id, periodMs);
}

void LibraryShell::killTimer(int32_t id) {
  if (links_.window) links_.window->killTimer(id);
}

std::string LibraryShell::translateKey(int32_t key) { return charactersOfKey(key, modifiers_); }

bool LibraryShell::takeKey(int32_t virtualKey, int32_t) {
  SearchField* field = panel_.searchField();
  return field && field->holdsKeyboard() && field->key(virtualKey);
}

bool LibraryShell::offerKey(int32_t) { return false; }

}  // namespace zarnel
