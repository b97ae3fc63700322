#pragma once
// The browser's search box: an editable line of text with a caret that
// blinks on timer 177 while the field holds the keyboard. Every change of
// the text is reported, so that the browser searches as the user types.

#include <cstdint>
#include <string>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

// Virtual key codes the field handles itself.
namespace searchkey {
constexpr int32_t kBackspace = 0x08;
constexpr int32_t kEnter = 0x0D;
constexpr int32_t kEscape = 0x1B;
constexpr int32_t kLeft = 0x25;
constexpr int32_t kRight = 0x27;
constexpr int32_t kDelete = 0x2E;
constexpr int32_t kF1 = 0x70;
constexpr int32_t kF12 = 0x7B;
}  // namespace searchkey

inline constexpr int32_t kCaretTimer = 177;
inline constexpr int32_t kCaretBlinkMs = 500;

// What the field reaches: the caret timer, the text cursor, the key
// translation and the browser panel that searches. UI thread.
class SearchHost {
 public:
  virtual ~SearchHost() = default;
  // Starts timer 177 at periodMs, or stops it.
  virtual void startCaretTimer(int32_t id, int32_t periodMs) = 0;
  virtual void stopCaretTimer(int32_t id) = 0;
  // The pointer shows the text cursor (on) or the arrow.
  virtual void showTextCursor(bool on) = 0;
  // Return: the characters key gives with the keyboard's current state;
  // empty for a key that gives none.
  virtual std::string translateKey(int32_t key) = 0;
  // The text changed: the browser searches for it.
  virtual void searchTextChanged(const std::string& text) = 0;
};

// Longest text the field holds; characters typed beyond it are dropped.
inline constexpr size_t kSearchMaxText = 4096;

// UI thread.
class SearchField : public Widget {
 public:
  // Pre: host outlives the field.
  SearchField(SearchHost& host, const BrowserLook& look) : host_(host), look_(look) {}
  ~SearchField() override;

  const std::string& text() const { return text_; }
  size_t caret() const { return caret_; }
  size_t firstVisible() const { return first_; }
  bool holdsKeyboard() const { return holding_; }
  bool caretShown() const { return caretShown_; }

  // A double click, or a click while the field does not hold the keyboard,
  // empties it; another click puts the caret at the clicked character. The
  // field then holds the keyboard.
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;
  // The background, the visible part of the text, and the caret.
  void draw() override;

  // A key while the field holds the keyboard. Return: whether it is used
  // up; Enter, Escape and F1 to F12 give up the keyboard and are not, so
  // that they go on to the shortcuts.
  bool key(int32_t code);
  // Timer 177: the caret blinks.
  void caretTick();
  void takeKeyboard();
  // Gives up the keyboard: the timer stops and the caret hides.
  void releaseKeyboard();

 private:
  void insert(const std::string& chars);
  void erase(size_t at);
  void changed();
  // Moves the first visible character so that the caret shows.
  void scrollToCaret();
  // Return: the character boundary nearest to window column x.
  size_t caretAt(int32_t x) const;
  int32_t widthOf(size_t from, size_t to) const;
  // The width the text may take: the field less a column for the caret.
  int32_t room() const { return rect().width - 2; }

  SearchHost& host_;
  BrowserLook look_;
  std::string text_;
  size_t caret_ = 0, first_ = 0;
  bool holding_ = false, caretShown_ = false;
};

}  // namespace zarnel
